#include "app/simulation/simulation_window.h"

#include "app/shell/form_scaler.h"
#include "app/shell/tool_widgets.h"
#include "app/shell/user_locale.h"
#include "app/simulation/simulation_plots.h"

#include "state/atomic_file.h"
#include "state/errors.h"
#include "state/numbers.h"
#include "state/refusals.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <exception>

namespace tavora::app {

namespace {

class PlotArea : public QWidget {
  public:
    PlotArea(QWidget* parent, const std::optional<SimulationResult>& result)
        : QWidget(parent), result_(result)
    {
    }

  protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (result_)
            DrawSimulationPlots(painter, QRectF(rect()).adjusted(4, 4, -4, -4), *result_,
                                UserDecimalSep());
    }

  private:
    const std::optional<SimulationResult>& result_;
};

QTableWidget* AddTable(const char* name, QRect geometry, QWidget* parent)
{
    auto* table = new QTableWidget(parent);
    table->setObjectName(QString::fromUtf8(name));
    table->setGeometry(geometry);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->setShowGrid(false);
    // Every column as wide as its text: a stretched last column would be cut
    // short with "..." where the text is wider than what is left.
    table->horizontalHeader()->setStretchLastSection(false);
    return table;
}

// Empty, without the numbered column headings an empty table would show.
void Clear(QTableWidget* table)
{
    table->clear();
    table->setRowCount(0);
    table->setColumnCount(0);
}

// Columns as wide as their widest cell in the table's current font.
void FitColumns(QTableWidget* table)
{
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
}

// One row per line, one cell per tab-separated text; the heading line, when
// given, labels the columns.
void Fill(QTableWidget* table, const std::vector<std::string>& lines, bool heading)
{
    std::vector<QStringList> rows;
    int columns = 0;
    for (const std::string& line : lines) {
        rows.push_back(QString::fromStdString(line).split(QLatin1Char('\t')));
        columns = std::max(columns, static_cast<int>(rows.back().size()));
    }
    Clear(table);
    table->setColumnCount(columns);
    const size_t first = heading && !rows.empty() ? 1 : 0;
    if (first)
        table->setHorizontalHeaderLabels(rows.front());
    table->horizontalHeader()->setVisible(first == 1);
    table->setRowCount(static_cast<int>(rows.size() - first));
    for (size_t r = first; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            table->setItem(static_cast<int>(r - first), c, new QTableWidgetItem(rows[r][c]));
    FitColumns(table);
}

} // namespace

ModelSource SimulationWindow::FromDesign(const DesignState& state)
{
    return [state](Feed feed) { return ModelFromDesign(state, feed); };
}

ModelSource SimulationWindow::FromYoEntries(const YoEntryTexts& entries, char sep)
{
    return [entries, sep](Feed feed) { return ModelFromYoEntries(entries, feed, sep); };
}

SimulationWindow::SimulationWindow(QWidget* owner, AppContext& context, ModelSource source)
    : BaseWindow(owner, context, kDesignSize), source_(std::move(source))
{
    setObjectName(QStringLiteral("SimulationWindow"));
    SetHelpTopic(shell::HelpTopic::Simulation);
    setWindowTitle(QStringLiteral("NEC-2 simulation"));
    Heading()->setText(QStringLiteral("Tavora "));
    HideMenu(BaseMenu::File);
    HideMenu(BaseMenu::Task);

    QWidget* c = Client();
    SetToolFont(c);
    AddLabel("DipoleLabel", QStringLiteral("Driven element"), {10, 40, 150, 26}, c);
    dipole_ = new QComboBox(c);
    dipole_->setObjectName(QStringLiteral("Dipole"));
    dipole_->addItems({QStringLiteral("Single dipole"), QStringLiteral("Folded dipole")});
    dipole_->setGeometry(160, 38, 170, 30);
    AddLabel("Z0Label", QStringLiteral("SWR reference (ohm, 0 by dipole)"), {350, 40, 260, 26}, c);
    z0_ = AddEdit("Z0", QStringLiteral("0"), {610, 38, 70, 30}, c);
    z0_->setToolTip(
        QStringLiteral("ohm: 0 takes 50 for the single and 200 for the folded dipole, "
                       "or from %1")
            .arg(QString::fromStdString(RangeText(kReferenceImpedanceRange, UserDecimalSep()))));

    const auto button = [c](const char* name, const char* caption, int left) {
        return AddButton(name, QString::fromUtf8(caption), {left, 80, 130, 38}, c);
    };
    simulate_ = button("Simulate", "&Simulate", 10);
    cancel_ = button("Cancel", "&Cancel", 150);
    print_ = button("Print", "&Print", 290);
    save_ = button("SavePicture", "Sa&ve picture", 430);
    back_ = button("Back", "&Back", 570);
    progress_ = new QProgressBar(c);
    progress_->setObjectName(QStringLiteral("Progress"));
    progress_->setGeometry(720, 84, 510, 30);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    status_ = AddLabel("Status", QString(), {10, 124, 700, 26}, c);
    AddExportButtons(c);

    // Room for the heading and four notes: the model's own and those on how
    // far its figures can be trusted.
    notes_ = AddLabel("Notes", QString(), {10, 150, 1220, 104}, c);
    notes_->setWordWrap(true);
    notes_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    figures_ = AddTable("Figures", {10, 256, 620, 330}, c);
    sweep_ = AddTable("Sweep", {10, 594, 620, 250}, c);
    plots_ = new PlotArea(c, result_);
    plots_->setObjectName(QStringLiteral("Plots"));
    plots_->setGeometry(636, 256, 594, 588);
    // The scaler grows the fonts with the window: the columns follow, so that
    // no value is cut short.
    ResizeKit1().OnExitResize = [this](double, double) {
        FitColumns(figures_);
        FitColumns(sweep_);
    };

    SetEnterButton(simulate_);
    On(simulate_, &QPushButton::clicked, [this] { Start(); });
    connect(cancel_, &QPushButton::clicked, this, &SimulationWindow::Cancel);
    On(print_, &QPushButton::clicked, [this] { PrintIt(); });
    On(save_, &QPushButton::clicked, [this] { SavePicture(); });
    connect(back_, &QPushButton::clicked, this, &SimulationWindow::reject);
    connect(&watcher_, &QFutureWatcher<Outcome>::finished, this,
            [this] { Guarded(Context().dialogs, this, [this] { Finished(); }); });
    SetRunning(false);
}

SimulationWindow::~SimulationWindow()
{
    stop_ = true;
    watcher_.waitForFinished();
}

void SimulationWindow::showEvent(QShowEvent* event)
{
    BaseWindow::showEvent(event);
    // The run starts as the window opens; its errors reach the general handler.
    if (!started_) {
        started_ = true;
        QMetaObject::invokeMethod(
            this, [this] { Guarded(Context().dialogs, this, [this] { Start(); }); },
            Qt::QueuedConnection);
    }
}

bool SimulationWindow::Running() const
{
    return watcher_.isRunning();
}

void SimulationWindow::SetRunning(bool running)
{
    simulate_->setEnabled(!running);
    cancel_->setEnabled(running);
    print_->setEnabled(!running && result_.has_value());
    save_->setEnabled(!running && result_.has_value());
    saveCsv_->setEnabled(!running && result_.has_value());
    saveS1p_->setEnabled(!running && result_.has_value());
    dipole_->setEnabled(!running);
    z0_->setEnabled(!running);
}

void SimulationWindow::Start()
{
    if (Running())
        return;
    if (FindEngine().empty())
        throw Error(kEngineMissing);
    const Feed feed = dipole_->currentIndex() == 0 ? Feed::SingleDipole : Feed::FoldedDipole;
    SimulationSettings settings;
    settings.z0 = StrToFloat(Text(z0_), UserDecimalSep());
    const NecModel model = source_(feed);
    RefuseSimulation(model, settings, UserDecimalSep());

    stop_ = false;
    result_.reset();
    notes_->clear();
    Clear(figures_);
    Clear(sweep_);
    plots_->update();
    status_->setText(QStringLiteral("Running nec2c..."));
    // The pattern frequency, the sweep's other ones and the finer solve's, as
    // the engine counts them.
    const int points = std::max(settings.points, 1);
    progress_->setRange(0, 2 + points - points % 2);
    progress_->setValue(0);
    QProgressBar* bar = progress_;
    watcher_.setFuture(QtConcurrent::run([this, bar, model, settings] {
        Outcome out;
        RunControl control;
        control.cancel = &stop_;
        control.progress = [bar](int done, int total) {
            QMetaObject::invokeMethod(
                bar,
                [bar, done, total] {
                    bar->setRange(0, total);
                    bar->setValue(done);
                },
                Qt::QueuedConnection);
        };
        try {
            out.result = Simulate(model, settings, control);
        } catch (const SimulationCancelled&) {
            out.cancelled = true;
        } catch (const std::exception& e) {
            out.error = e.what();
        }
        return out;
    }));
    SetRunning(true);
}

void SimulationWindow::Cancel()
{
    stop_ = true;
    watcher_.waitForFinished();
}

void SimulationWindow::Finished()
{
    const Outcome out = watcher_.result();
    SetRunning(false);
    if (out.cancelled) {
        status_->setText(QString::fromUtf8(SimulationCancelled().what()));
        progress_->setValue(0);
        return;
    }
    status_->setText(QString());
    if (!out.result)
        throw Error(out.error);
    result_ = out.result;
    const char sep = UserDecimalSep();
    // The heading and the model's notes are sentences; the figures are rows.
    QStringList notes;
    std::vector<std::string> figures;
    for (const std::string& line : SimulationFigureLines(*result_, sep)) {
        if (line.find('\t') == std::string::npos)
            notes << QString::fromStdString(line);
        else
            figures.push_back(line);
    }
    notes_->setText(notes.join(QLatin1Char('\n')));
    Fill(figures_, figures, false);
    Fill(sweep_, SweepTableLines(*result_, sep), true);
    plots_->update();
    SetRunning(false); // again: Print and Save picture now have a result
}

void SimulationWindow::reject()
{
    Cancel();
    BaseWindow::reject();
}

void SimulationWindow::PrintIt()
{
    if (!result_)
        return;
    std::unique_ptr<QPrinter> printer = Context().dialogs.Print(this, windowTitle());
    if (!printer)
        return;
    QPainter painter;
    if (!painter.begin(printer.get()))
        throw Error("Printer could not be opened");
    const QRectF page = printer->pageLayout().paintRectPixels(printer->resolution());
    DrawSimulationPage(painter, QRectF(0, 0, page.width(), page.height()), *result_,
                       UserDecimalSep());
    painter.end();
}

void SimulationWindow::SavePicture()
{
    if (!result_)
        return;
    const QString path = Context().dialogs.SaveFile(
        this, {QStringLiteral("Save simulation picture"), QStringLiteral("png"),
               QStringLiteral("PNG pictures (*.png);;PDF files (*.pdf)"),
               QDir::current().filePath(QStringLiteral("Simulation.png"))});
    if (path.isEmpty())
        return;
    // Drawn into memory and written only when whole: a failed save leaves no file.
    const char sep = UserDecimalSep();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(1200);
        pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        QPainter painter(&pdf);
        const QRectF page = pdf.pageLayout().paintRectPixels(pdf.resolution());
        DrawSimulationPage(painter, QRectF(0, 0, page.width(), page.height()), *result_, sep);
    } else {
        QImage image(1600, 1400, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            QFont font = painter.font();
            font.setPixelSize(18);
            painter.setFont(font);
            DrawSimulationPage(painter, QRectF(20, 20, 1560, 1360), *result_, sep);
        }
        if (!image.save(&buffer, "PNG"))
            throw FileError("Cannot write " + path.toStdString());
    }
    WriteFileAtomically(path.toStdString(), bytes.toStdString());
}

} // namespace tavora::app
