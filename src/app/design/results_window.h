#pragma once

#include "app/shell/base_window.h"

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

    QPlainTextEdit* ReportBox() const { return report_; }
    // The report as the box shows it, one entry per displayed (wrapped) line.
    QStringList DisplayedLines() const;

  private:
    QPlainTextEdit* report_;
    QPushButton *print_, *createYo_, *createMaa_, *balun_, *back_;
};

} // namespace tavora::app
