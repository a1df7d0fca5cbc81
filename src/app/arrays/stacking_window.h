// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/base_window.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tavora::app {

class PictureBox;
class RadioGroup;

// The stacking calculator: two Yagis' spacing in both planes and the array
// gain, from one antenna's beamwidth. Its boxes live in the stacking value group.
class StackingWindow : public BaseWindow {
    Q_OBJECT
  public:
    static constexpr QSize kDesignSize{942, 771};

    StackingWindow(QWidget* owner, AppContext& context);

    void FormActivate() override { ClearBoxV(); }
    void ContentsHTML1Click() override;

    void ClearBoxV();
    void FindBeamGain();
    void SimulateArray(); // "Simulate the array"

  protected:
    void done(int result) override; // Savethings

  private:
    void GetValues();
    void SaveValues();

    QLineEdit *frequency_, *beamwidth_;
    QLabel *beamwidthLabel_, *planeLabel_;
    RadioGroup* plane_;
    QPlainTextEdit* memo_;
    PictureBox* picture_;
};

} // namespace tavora::app
