#pragma once

#include "yagi_base_form.h"

namespace tavora::app {

class PictureBox;

// The main window and welcome screen.
class TYagibaseform1 : public TYagibaseform {
    Q_OBJECT
  public:
    static constexpr QSize kDesignSize{1096, 835};

    explicit TYagibaseform1(AppContext& context);

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
