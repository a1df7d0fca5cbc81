#pragma once

#include "app/shell/base_window.h"

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
