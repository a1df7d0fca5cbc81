// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/base_window.h"

#include "feedline/swr.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace tavora::app {

class RadioGroup;

// SWR and coax loss: bridge readings in, one table row per calculation, the
// cable loss from Coax.dta. Nothing of it is kept after it closes.
class SwrWindow : public BaseWindow {
    Q_OBJECT
  public:
    static constexpr QSize kDesignSize{1152, 846};

    SwrWindow(QWidget* owner, AppContext& context);

    // It keeps the version line it was designed with.
    void FormActivate() override {}
    void ContentsHTML1Click() override { HelpContext(70); }

    void SetUpMemo();
    void Changeunits();
    void Docoax();
    void GetLoss();
    void UpdateEdit();
    void FindSWR();
    void PrintTheMemo();

    const SwrSession& Session() const { return session_; }

  protected:
    void showEvent(QShowEvent* event) override; // Setheading

  private:
    // Shows what the session holds, also after a handler failed half-way.
    void ShowSession();

    SwrSession session_;
    RadioGroup *measure_, *compensate_;
    QLineEdit *reverse_, *forward_, *length_;
    QLabel *reverseLabel_, *forwardLabel_, *lengthLabel_, *bandLabel_, *lossLabel_, *powerLine_;
    QComboBox* band_;
    QListWidget* cables_;
    QPlainTextEdit* memo_;
};

} // namespace tavora::app
