// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/shell/base_window.h"

#include <string>

class QPlainTextEdit;
class QPushButton;

namespace tavora::app {

// The results window: the design report, rebuilt on every activation, with
// printing, YO and MMANA-GAL export and the balun sheet.
class ResultsWindow : public BaseWindow {
    Q_OBJECT
  public:
    static constexpr QSize kDesignSize{1014, 753};

    ResultsWindow(QWidget* owner, AppContext& context);

    void FormActivate() override; // GetStarted

    void PrintIt();
    void SaveYO();
    void MakeMMana();
    void Showbalun();
    // Every export of the design (YO, .maa, balun) calls this first: after a
    // report that ended in an error it refuses with that error's text, so
    // that nothing is written from a design that was not calculated.
    void RefuseFailedReport() const;
    void Simulate();
    void ShowCutList(); // "Cut list"

    QPlainTextEdit* ReportBox() const { return report_; }

  private:
    std::string reportError_; // the last rebuild's error; empty when it finished
    QPlainTextEdit* report_;
    QPushButton *print_, *createYo_, *createMaa_, *balun_, *back_, *simulate_, *cutList_;
};

} // namespace tavora::app
