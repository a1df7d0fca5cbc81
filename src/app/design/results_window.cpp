// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design/results_window.h"

#include "app/design/cut_list_window.h"
#include "app/design/folded_dipole_drawing.h"
#include "app/exchange/mmana_export_window.h"
#include "app/exchange/yag_description.h"
#include "app/feedline/balun_window.h"
#include "app/shell/text_printer.h"
#include "app/shell/tool_widgets.h"
#include "app/shell/user_locale.h"
#include "app/simulation/simulation_window.h"
#include "app/simulation/tune_page.h"

#include "design/report.h"
#include "exchange/mmana.h"
#include "exchange/yo_file.h"
#include "shell/startup.h"
#include "state/design_state.h"
#include "state/errors.h"

#include <QDir>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>

namespace tavora::app {

namespace {

class FoldedDipolePicture : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        DrawFoldedDipole(painter, rect());
    }
};

} // namespace

ResultsWindow::ResultsWindow(QWidget* owner, AppContext& context)
    : BaseWindow(owner, context, kDesignSize)
{
    setObjectName(QStringLiteral("Yagibaseform2"));
    SetHelpTopic(shell::HelpTopic::Results);
    setWindowTitle(QStringLiteral("Yagi Results"));
    Heading()->setText(QStringLiteral("Tavora "));
    HideMenu(BaseMenu::File);
    HideMenu(BaseMenu::Task);

    QWidget* c = Client();
    SetToolFont(c);

    report_ = new QPlainTextEdit(c);
    report_->setObjectName(QStringLiteral("Memo1"));
    report_->setGeometry(10, 40, 740, 680);
    report_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    report_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont sans(QStringLiteral("Arial"));
    sans.setPixelSize(13);
    report_->setFont(sans);
    // Eight characters a column: "Boom position" runs past one stop, so its one
    // tab reaches the stop that the rows' two tabs reach after a boom position.
    KeepTabStops(report_, [](const QFontMetricsF& m) { return ColumnTabStop(m); });

    const auto button = [c](const char* name, const char* caption, int top) {
        return AddButton(name, QString::fromUtf8(caption), {760, top, 230, 42}, c);
    };
    print_ = button("Button1", "&Print results", 50);
    createYo_ = button("Button2", "Create &YO", 102);
    createMaa_ = button("Button4", "Create .&maa", 154);
    balun_ = button("Button5", "Ba&lun", 206);
    back_ = button("Button3", "&Back", 258);

    AddLabel("Label2", QStringLiteral("Folded dipole measuring points"), {760, 330, 240, 26}, c);
    auto* picture = new FoldedDipolePicture(c);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(760, 360, 230, 130);
    simulate_ = button("Simulate", "&Simulate", 510);
    cutList_ = button("CutList", "C&ut list", 562);

    On(print_, &QPushButton::clicked, [this] { PrintIt(); });
    On(createYo_, &QPushButton::clicked, [this] { SaveYO(); });
    On(createMaa_, &QPushButton::clicked, [this] { MakeMMana(); });
    On(balun_, &QPushButton::clicked, [this] { Showbalun(); });
    On(simulate_, &QPushButton::clicked, [this] { Simulate(); });
    On(cutList_, &QPushButton::clicked, [this] { ShowCutList(); });
    On(back_, &QPushButton::clicked, [this] { accept(); });
}

void ResultsWindow::FormActivate()
{
    std::string report, error;
    try {
        Yagidimensions(Context().state, report, UserDecimalSep());
    } catch (const Error& e) {
        error = e.what();
    }
    // What was written before a failure stays readable.
    report_->setPlainText(FromCrlf(report));
    // The same design fails the same way at every activation: its error is
    // shown once, not again whenever a message box hands the focus back.
    const bool alreadyShown = !error.empty() && error == reportError_;
    reportError_ = error;
    if (!error.empty() && !alreadyShown)
        throw Error(error);
    SetVersionLine();
}

void ResultsWindow::RefuseFailedReport() const
{
    if (!reportError_.empty())
        throw Error(reportError_);
}

void ResultsWindow::PrintIt()
{
    RefuseFailedReport();
    const QString name =
        QString::fromStdString(ReportDocumentName(Context().state, UserDecimalSep()));
    std::unique_ptr<QPrinter> printer = Context().dialogs.Print(this, name);
    if (!printer)
        return;
    // Paragraphs, not the lines the box wraps them into: the page is wider.
    std::vector<std::string> paragraphs;
    for (const QString& line : report_->toPlainText().split(QLatin1Char('\n')))
        paragraphs.push_back(line.toStdString());
    QStringList lines;
    for (const std::string& line : ReportPrintLines(paragraphs))
        lines << QString::fromStdString(line);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    PrintTextLines(*printer, font, lines, name, 8,
                   {QString::fromUtf8(shell::kProgramTitle) + QStringLiteral(" - ") + name,
                    QDate::currentDate()});
}

void ResultsWindow::SaveYO()
{
    RefuseFailedReport();
    Dialogs& dialogs = Context().dialogs;
    DesignState& state = Context().state;
    if (!AskYagiDescription(this, Context()))
        return;
    // The file holds the boom-corrected lengths, as the .maa export does.
    if (state.Mounting != 'N')
        dialogs.Notice(this, QString::fromUtf8(kYoNotInsulated));
    const QString path =
        dialogs.SaveFile(this, {QStringLiteral("Save YO file"), QStringLiteral("yag"),
                                QStringLiteral("Yagi Optimiser (*.yag);;All files (*.*)"),
                                QDir::current().filePath(QStringLiteral("Untitled.yag"))});
    if (path.isEmpty())
        return;
    WriteYagFromDesign(state, path.toStdString());
    dialogs.Beep();
    dialogs.Notice(this, QStringLiteral("File saved"));
}

void ResultsWindow::MakeMMana()
{
    RefuseFailedReport();
    MmanaExportWindow mmana(this, Context());
    ShowModal(mmana);
}

void ResultsWindow::Showbalun()
{
    RefuseFailedReport();
    const double vf = Context().state.VelocityFactor;
    if (!(vf > 0 && vf <= 1)) {
        Context().dialogs.Notice(
            this, QStringLiteral("No coax selected or velocity factor out of range"));
        return;
    }
    BalunWindow balun(this, Context());
    ShowModal(balun);
}

void ResultsWindow::ShowCutList()
{
    RefuseFailedReport();
    CutListWindow window(this, Context());
    ShowModal(window);
}

// The design as it stands, simulated with NEC-2 in a window of its own.
void ResultsWindow::Simulate()
{
    RefuseFailedReport();
    SimulationWindow window(this, Context(), SimulationWindow::FromDesign(Context().state));
    window.AddPage(new TunePage(window, Context().state));
    ShowModal(window);
}

} // namespace tavora::app
