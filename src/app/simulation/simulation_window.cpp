// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulation/simulation_window.h"

#include "app/shell/form_scaler.h"
#include "app/shell/tool_widgets.h"
#include "app/shell/user_locale.h"
#include "app/simulation/array_page.h"
#include "app/simulation/director_scan_page.h"
#include "app/simulation/print_frame.h"
#include "app/simulation/sweep_page.h"
#include "app/simulation/tolerance_page.h"

#include "design/entry.h"
#include "nec/model_builder.h"
#include "state/atomic_file.h"
#include "state/errors.h"
#include "state/numbers.h"
#include "state/refusals.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>

namespace tavora::app {

ModelSource SimulationWindow::FromDesign(const DesignState& state)
{
    return {[state](Feed feed) { return ModelFromDesign(state, feed); }, [state] { return state; }};
}

ModelSource SimulationWindow::FromDesignEntry(const DesignState& state, char sep)
{
    const auto design = [state, sep] { return DesignFromEntry(state, sep); };
    return {[design](Feed feed) { return ModelFromDesign(design(), feed); }, design};
}

ModelSource SimulationWindow::FromYoEntries(const YoEntryTexts& entries, char sep)
{
    return {[entries, sep](Feed feed) { return ModelFromYoEntries(entries, feed, sep); }, {}};
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
    cancel_ = button("Cancel", "&Cancel", 10);
    print_ = button("Print", "&Print", 150);
    save_ = button("SavePicture", "Sa&ve picture", 290);
    saveCsv_ = button("SaveCsv", "Sav&e CSV", 430);
    back_ = button("Back", "&Back", 570);
    progress_ = new QProgressBar(c);
    progress_->setObjectName(QStringLiteral("Progress"));
    progress_->setGeometry(720, 84, 510, 30);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    status_ = AddLabel("Status", QString(), {10, 124, 1220, 26}, c);

    pages_ = new QTabWidget(c);
    pages_->setObjectName(QStringLiteral("Pages"));
    pages_->setGeometry(10, 150, 1220, 694);
    sweep_ = new SweepPage(*this);
    AddPage(sweep_);
    AddPage(new TolerancePage(*this));
    AddPage(new ArrayPage(*this));
    AddPage(new DirectorScanPage(*this));
    // The scaler grows the fonts with the window: the tables follow, so that
    // no value is cut short.
    ResizeKit1().OnExitResize = [this](double, double) {
        for (SimulationPage* page : allPages_)
            page->Rescaled();
    };

    connect(pages_, &QTabWidget::currentChanged, this, [this] {
        SetEnterButton(CurrentPage()->RunButton());
        SetRunning(Running());
    });
    connect(cancel_, &QPushButton::clicked, this, &SimulationWindow::Cancel);
    On(print_, &QPushButton::clicked, [this] { PrintIt(); });
    On(save_, &QPushButton::clicked, [this] { SavePicture(); });
    On(saveCsv_, &QPushButton::clicked, [this] { SaveCsv(); });
    connect(back_, &QPushButton::clicked, this, &SimulationWindow::reject);
    connect(&watcher_, &QFutureWatcher<Outcome>::finished, this,
            [this] { Guard([this] { Finished(); }); });
    SetEnterButton(sweep_->RunButton());
    SetRunning(false);
}

SimulationWindow::~SimulationWindow()
{
    stop_ = true;
    watcher_.waitForFinished();
}

void SimulationWindow::AddPage(SimulationPage* page)
{
    allPages_.push_back(page);
    pages_->addTab(page, page->Title());
    page->SetRunning(Running());
}

void SimulationWindow::ShowPage(const QString& objectName)
{
    for (SimulationPage* page : allPages_)
        if (page->objectName() == objectName)
            pages_->setCurrentWidget(page);
}

SimulationPage* SimulationWindow::CurrentPage() const
{
    return static_cast<SimulationPage*>(pages_->currentWidget());
}

const std::optional<SimulationResult>& SimulationWindow::Result() const
{
    return sweep_->Result();
}

void SimulationWindow::showEvent(QShowEvent* event)
{
    BaseWindow::showEvent(event);
    // The sweep starts as the window opens on it; its errors reach the general
    // handler. A window opened on another page waits for that page's button.
    if (!started_) {
        started_ = true;
        if (CurrentPage() != sweep_)
            return;
        QMetaObject::invokeMethod(
            this, [this] { Guard([this] { sweep_->Start(); }); }, Qt::QueuedConnection);
    }
}

void SimulationWindow::Guard(const std::function<void()>& action)
{
    Guarded(Context().dialogs, this, action);
}

bool SimulationWindow::Running() const
{
    return watcher_.isRunning();
}

void SimulationWindow::SetRunning(bool running)
{
    const bool shown = !running && CurrentPage()->HasResult();
    cancel_->setEnabled(running);
    print_->setEnabled(shown);
    save_->setEnabled(shown);
    saveCsv_->setEnabled(shown);
    dipole_->setEnabled(!running);
    z0_->setEnabled(!running);
    for (SimulationPage* page : allPages_)
        page->SetRunning(running);
}

Feed SimulationWindow::ChosenFeed() const
{
    return dipole_->currentIndex() == 0 ? Feed::SingleDipole : Feed::FoldedDipole;
}

SimulationSettings SimulationWindow::Settings() const
{
    SimulationSettings settings;
    settings.z0 = BoxNumber(Text(z0_), kReferenceBox, UserDecimalSep());
    return settings;
}

NecModel SimulationWindow::Model() const
{
    const SimulationSettings settings = Settings();
    NecModel model = source_(ChosenFeed());
    Refuse(settings, model, UserDecimalSep());
    return model;
}

bool SimulationWindow::Run(const QString& status, int steps, JobWork work)
{
    if (Running())
        return false;
    if (FindEngine().empty())
        throw Error(kEngineMissing);
    stop_ = false;
    status_->setText(status);
    progress_->setRange(0, std::max(steps, 1));
    progress_->setValue(0);
    QProgressBar* bar = progress_;
    watcher_.setFuture(QtConcurrent::run([this, bar, work = std::move(work)] {
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
            out.show = work(control);
        } catch (const SimulationCancelled&) {
            out.cancelled = true;
        } catch (const std::exception& e) {
            out.error = e.what();
        }
        return out;
    }));
    SetRunning(true);
    return true;
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
    if (!out.show)
        throw Error(out.error);
    out.show();
    SetRunning(false); // again: Print and the saves now have a result
}

void SimulationWindow::reject()
{
    Cancel();
    BaseWindow::reject();
}

QString SimulationWindow::FileName() const
{
    // "SweepPage" proposes Simulation-sweep.pdf, "TunePage" Simulation-tune.pdf.
    QString page = CurrentPage()->objectName();
    page.chop(QStringLiteral("Page").size());
    return QStringLiteral("Simulation-") + page.toLower();
}

void SimulationWindow::DrawFramed(QPainter& painter, const QRectF& area, char sep) const
{
    const SimulationPage* page = CurrentPage();
    PrintFrame frame{QStringLiteral("Tavora - NEC-2 simulation: ") + page->Title(), QString()};
    try {
        frame.design = QString::fromStdString(ModelSummary(source_(ChosenFeed()), sep));
    } catch (const std::exception&) {
        // The page's own figures are printed all the same.
    }
    page->DrawPage(painter, DrawPrintFrame(painter, area, frame), sep);
}

void SimulationWindow::PrintIt()
{
    if (!CurrentPage()->HasResult())
        return;
    std::unique_ptr<QPrinter> printer = Context().dialogs.Print(this, FileName());
    if (!printer)
        return;
    QPainter painter;
    if (!painter.begin(printer.get()))
        throw Error("Printer could not be opened");
    const QRectF area = printer->pageLayout().paintRectPixels(printer->resolution());
    DrawFramed(painter, QRectF(0, 0, area.width(), area.height()), UserDecimalSep());
    painter.end();
}

void SimulationWindow::SavePicture()
{
    const SimulationPage* page = CurrentPage();
    if (!page->HasResult())
        return;
    const QString path = Context().dialogs.SaveFile(
        this, {QStringLiteral("Save simulation picture"), QStringLiteral("png"),
               QStringLiteral("PNG pictures (*.png);;PDF files (*.pdf)"),
               QDir::current().filePath(FileName() + QStringLiteral(".png"))});
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
        const QRectF area = pdf.pageLayout().paintRectPixels(pdf.resolution());
        DrawFramed(painter, QRectF(0, 0, area.width(), area.height()), sep);
    } else {
        QImage image(1600, 1400, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            QFont font = painter.font();
            font.setPixelSize(18);
            painter.setFont(font);
            DrawFramed(painter, QRectF(20, 20, 1560, 1360), sep);
        }
        if (!image.save(&buffer, "PNG"))
            throw FileError("Cannot write " + path.toStdString());
    }
    WriteFileAtomically(path.toStdString(), bytes.toStdString());
}

void SimulationWindow::SaveText(const char* title, const char* extension, const char* filter,
                                const std::string& text)
{
    const QString path = Context().dialogs.SaveFile(
        this,
        {QString::fromUtf8(title), QString::fromUtf8(extension), QString::fromUtf8(filter),
         QDir::current().filePath(FileName() + QStringLiteral(".") + QString::fromUtf8(extension))});
    if (path.isEmpty())
        return;
    WriteFileAtomically(path.toStdString(), text);
    Context().dialogs.Beep();
    Context().dialogs.Notice(this, QStringLiteral("File saved"));
}

void SimulationWindow::SaveCsv()
{
    if (CurrentPage()->HasResult())
        SaveCsvTables(Context().dialogs, this, QStringLiteral("Save simulation as CSV"),
                      QDir::current().filePath(QStringLiteral("Simulation.csv")),
                      CurrentPage()->Csv());
}

} // namespace tavora::app
