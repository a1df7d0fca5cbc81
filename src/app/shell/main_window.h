// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/base_window.h"

#include <string>

namespace tavora::app {

class PictureBox;

// The main window and welcome screen.
class MainWindow : public BaseWindow {
    Q_OBJECT
  public:
    static constexpr QSize kDesignSize{1096, 835};

    explicit MainWindow(AppContext& context);

    void FormActivate() override;
    PictureBox* Picture() const { return picture_; }
    // `tavora FILE.yag`: the YO details screen with the file loaded, as its
    // Load Yag file would load it.
    // The name as the system gives it: bytes, which need not be UTF-8.
    void OpenYagFile(const std::string& path);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    // "Close program?": true when the user answered OK.
    bool ShutIt();
    void Fixscreen();

    PictureBox* picture_;
};

} // namespace tavora::app
