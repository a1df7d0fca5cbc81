// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/base_window.h"

#include "arrays/gain.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tavora::app {

// The gain estimate: boom length and frequency in, gain and beamwidth by one
// of three published formulas out. Its boxes live in the gain value group.
class GainWindow : public BaseWindow {
    Q_OBJECT
  public:
    static constexpr QSize kDesignSize{1050, 770};

    GainWindow(QWidget* owner, AppContext& context);

    void FormActivate() override; // GetOld
    void ContentsHTML1Click() override;

    void Findgain() { Calculate(GainMethod::VK3AUU); }
    void FindWA2PHW() { Calculate(GainMethod::WA2PHW); }
    void FindDJ9BV() { Calculate(GainMethod::DJ9BV); }

  protected:
    void done(int result) override; // SaveOld

  private:
    void Calculate(GainMethod method);
    void GetValues();
    void SaveValues();

    QLineEdit *frequency_, *boomLength_;
    QPlainTextEdit* memo_;
};

} // namespace tavora::app
