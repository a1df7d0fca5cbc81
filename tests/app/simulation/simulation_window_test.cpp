// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design/results_window.h"
#include "app/shell/program.h"
#include "app/exchange/yo_details_window.h"
#include "app/simulation/simulation_plots.h"
#include "app/simulation/simulation_window.h"
#include "simulation_ui.h"
#include "tool_test.h"

#include "child_processes.h"

#include "design/entry.h"
#include "design/report.h"
#include "exchange/yo_details.h"
#include "nec/runner.h"
#include "nec/stop_signals.h"

#include <algorithm>
#include <cmath>
#include <csignal>

#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPainterPathStroker>
#include <QProcess>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>

#include <cfenv>
#include <unistd.h>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

namespace {

// A three-element Yagi typed into the YO entry group.
void TypeSmallYagi(YoEntryTexts& entries)
{
    const std::pair<int, const char*> values[] = {{37, "144"},  {4, "6"},   {1, "8"},
                                                  {39, "1030"}, {3, "980"}, {2, "400"},
                                                  {5, "920"},   {6, "560"}, {41, "2"}};
    for (auto [n, text] : values)
        entries[static_cast<size_t>(n - 1)] = text;
}

// A table's rows as lines, the cells joined by tabs; the heading first when shown.
QStringList Rows(QWidget* w, const char* name)
{
    auto* table = Find<QTableWidget>(w, name);
    QStringList lines;
    if (!table->horizontalHeader()->isHidden()) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << table->horizontalHeaderItem(c)->text();
        lines << cells.join(QLatin1Char('\t'));
    }
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            if (table->item(r, c))
                cells << table->item(r, c)->text();
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines;
}

// Presses "Simulate" on `from`: the simulation window must open and run; gives
// its figures.
QStringList FiguresAfterSimulate(QWidget* from)
{
    QStringList figures;
    WhenModalOpens([&figures](QWidget* modal) {
        auto* simulation = qobject_cast<SimulationWindow*>(modal);
        QVERIFY(simulation);
        QTRY_VERIFY_WITH_TIMEOUT(simulation->Result().has_value(), kRunLimitMs);
        figures = Rows(simulation, "Figures");
        simulation->close();
    });
    Click(from, "Simulate");
    return figures.isEmpty() ? QStringList{QStringLiteral("<no simulation>")} : figures;
}

} // namespace

class SimulationWindowTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_{kRunLimitMs};

  private slots:
    void cleanup()
    {
        QVERIFY(watchdog_.Failures().isEmpty());
        QCOMPARE(ChildProcessCount(), 0);
    }

    void simulateOnTheResultsWindowOpensTheSimulation()
    {
        Harness h;
        Design(h.state);
        ResultsWindow results(nullptr, h.context);
        results.show();
        QCOMPARE(FiguresAfterSimulate(&results).first(), Typed("Frequency:\t144.100 MHz"));
    }

    void progressMovesAndTheFiguresAppear()
    {
        Harness h;
        Design(h.state);
        SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
        auto* bar = Find<QProgressBar>(&w, "Progress");
        QSignalSpy moved(bar, &QProgressBar::valueChanged);
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(w.Result().has_value(), kRunLimitMs);
        QVERIFY(!moved.isEmpty());
        QCOMPARE(bar->value(), bar->maximum());
        // The design frequency, the sweep's other 20, and the error bars' three:
        // half the density, the builder's gap, a feed twice as wide.
        QCOMPARE(bar->maximum(), 24);
        QVERIFY(Find<QLabel>(&w, "Notes")
                    ->text()
                    .startsWith(QStringLiteral(
                        "Simulated with nec2c (NEC-2) in free space, aluminium elements")));
        // Each figure with its error bar.
        QVERIFY(Rows(&w, "Figures")
                    .contains(Typed("Forward gain:\t14.02 dBi \u00b10.04\t11.87 dBd \u00b10.04\t"
                                    "DL6WU estimate 11.7 dBd")));
        const QStringList sweep = Rows(&w, "Sweep");
        QCOMPARE(sweep.size(), 22);
        QCOMPARE(sweep.first(), QStringLiteral("MHz\tR (ohm)\tX (ohm)\tSWR\tGain (dBi)\tF/B (dB)"));
        QCOMPARE(sweep[11], Typed("144.100\t47.7\t4.4\t1.11\t14.02\t28.3"));
        QVERIFY(Find<QPushButton>(&w, "Print")->isEnabled());
        QVERIFY(!Find<QPushButton>(&w, "Cancel")->isEnabled());

        // The plots are drawn: more than the white background.
        const QImage plots = Find<QWidget>(&w, "Plots")->grab().toImage();
        int coloured = 0;
        for (int y = 0; y < plots.height(); y += 3)
            for (int x = 0; x < plots.width(); x += 3)
                coloured += plots.pixel(x, y) != qRgb(255, 255, 255);
        QVERIFY(coloured > 500);

        // As opened and maximised, every value shows whole: the columns grow
        // with the font.
        for (const QSize size : {w.size(), QSize(1600, 1000)}) {
            w.resize(size);
            for (const char* name : {"Figures", "Sweep"}) {
                auto* table = Find<QTableWidget>(&w, name);
                for (int r = 0; r < table->rowCount(); ++r)
                    for (int c = 0; c < table->columnCount(); ++c)
                        if (const QTableWidgetItem* cell = table->item(r, c))
                            QTRY_VERIFY2(
                                QFontMetrics(table->font()).horizontalAdvance(cell->text()) <
                                    table->columnWidth(c),
                                qPrintable(cell->text()));
            }
        }

        // A new run that is cancelled leaves empty tables, not numbered headings.
        Click(&w, "Simulate");
        Click(&w, "Cancel");
        QTRY_COMPARE(Find<QLabel>(&w, "Status")->text(), QStringLiteral("Simulation cancelled"));
        QCOMPARE(Find<QTableWidget>(&w, "Sweep")->columnCount(), 0);
        QCOMPARE(Find<QTableWidget>(&w, "Figures")->columnCount(), 0);
    }

    void ringLabelsStayOffTheTrace()
    {
        // The main lobe forward and rear lobes right across the rear diagonals,
        // where the labels used to sit.
        PatternCut cut{};
        const auto lobe = [](double a, double at, double peak, double width) {
            const double off = std::remainder(a - at, 360.0) / width;
            return peak - 12 * off * off;
        };
        for (size_t i = 0; i < cut.size(); ++i) {
            const double a = static_cast<double>(i);
            cut[i] =
                std::max({lobe(a, 0, 10, 30), lobe(a, 135, -5, 15), lobe(a, 225, -5, 15), -45.0});
        }
        QFont font;
        font.setPixelSize(14);
        const PolarLayout layout =
            LayOutPolarCut(QFontMetricsF(font), QRectF(0, 0, 400, 440), cut, 10, '.');
        QCOMPARE(layout.ringLabels.size(), size_t(3));
        QPainterPathStroker pen;
        pen.setWidth(2);
        const QPainterPath line = pen.createStroke(layout.trace);
        for (const PolarLayout::Label& label : layout.ringLabels)
            QVERIFY2(!line.intersects(label.box), qPrintable(label.text));
    }

    void cancelStopsEveryProcess()
    {
        Harness h;
        Design(h.state, "60"); // long enough to be caught running
        SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
        w.show();
        QTRY_VERIFY(w.Running());
        QTRY_VERIFY(ChildProcessCount() > 0);
        Click(&w, "Cancel");
        QVERIFY(!w.Running());
        QCOMPARE(ChildProcessCount(), 0);
        QTRY_COMPARE(Find<QLabel>(&w, "Status")->text(), QStringLiteral("Simulation cancelled"));
        QVERIFY(!w.Result().has_value());
        QVERIFY(Find<QPushButton>(&w, "Simulate")->isEnabled());
        QVERIFY(h.dialogs.messages.isEmpty());
    }

    void closingWhileRunningLeavesNoProcess()
    {
        Harness h;
        Design(h.state, "60");
        {
            SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
            w.show();
            QTRY_VERIFY(ChildProcessCount() > 0);
            w.close();
        }
        QCOMPARE(ChildProcessCount(), 0);
    }

    void missingEngineSaysSo()
    {
        Harness h;
        Design(h.state);
        const QByteArray path = qgetenv("PATH");
        QTemporaryDir empty;
        qputenv("PATH", empty.path().toUtf8());
        SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
        w.show();
        QTRY_COMPARE(h.dialogs.MessageTexts(), QStringList{QString::fromUtf8(kEngineMissing)});
        qputenv("PATH", path);
        QVERIFY(!w.Running());
        QVERIFY(!w.Result().has_value());
    }

    // A stand-in nec2c on the PATH: a wrapper script that starts a child, and
    // what the engine says. The window's Cancel ends the child too, and a
    // long, unprintable error text shows as a short message, broken into
    // lines that fit the screen.
    void standInEngine_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("message");
        QTest::newRow("Cancel ends what a wrapper started")
            << QByteArray("sleep 300 &\necho $! >> \"$PIDS\"\nwait\n") << true << QString();
        QTest::newRow("a 5 MB binary error text shows as a short excerpt")
            << QByteArray("printf '\\001' >&2; head -c 5000000 /dev/zero | tr '\\0' x >&2\n")
            << false
            << QStringLiteral("nec2c: ?") + QString(99, QLatin1Char('x')) + "\n" +
                   QString(100, QLatin1Char('x')) + "\n" + QString(100, QLatin1Char('x')) +
                   "\n...";
    }

    void standInEngine()
    {
        QFETCH(QByteArray, script);
        QFETCH(bool, cancel);
        QFETCH(QString, message);
        QTemporaryDir bin;
        QFile engine(bin.filePath("nec2c"));
        QVERIFY(engine.open(QIODevice::WriteOnly));
        engine.write("#!/bin/sh\n" + script);
        engine.close();
        engine.setPermissions(QFile::ExeOwner | QFile::ReadOwner | QFile::WriteOwner);
        const QByteArray path = qgetenv("PATH");
        const QString pids = bin.filePath("pids");
        qputenv("PATH", bin.path().toUtf8() + ":" + path);
        qputenv("PIDS", pids.toUtf8());
        Harness h;
        Design(h.state);
        {
            SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
            w.show();
            if (cancel) {
                QTRY_VERIFY(QFile(pids).size() > 0);
                Click(&w, "Cancel");
                QVERIFY(AllEnded(pids.toStdString()));
            } else {
                QTRY_COMPARE_WITH_TIMEOUT(h.dialogs.MessageTexts(), QStringList{message},
                                          kRunLimitMs);
            }
            QVERIFY(!w.Result().has_value());
        }
        qputenv("PATH", path);
        qunsetenv("PIDS");
    }

    // Stopped by a signal mid-run (a desktop session ending, its terminal
    // closing, Ctrl-C), the program leaves no engine and no folder within
    // 2 s, and ends by that signal; killed outright, its engine still ends.
    // The program is this test's stoppedMidRun, started again.
    void stopSignalLeavesNothing_data()
    {
        QTest::addColumn<int>("signal");
        for (const int signal : {SIGTERM, SIGHUP, SIGINT, SIGKILL})
            QTest::newRow(sigabbrev_np(signal)) << signal;
    }

    void stopSignalLeavesNothing()
    {
        QFETCH(int, signal);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("tmp")));
        const QString pids = dir.filePath(QStringLiteral("pids"));
        QFile engine(dir.filePath(QStringLiteral("nec2c")));
        QVERIFY(engine.open(QIODevice::WriteOnly));
        engine.write("#!/bin/sh\necho $$ >> \"$PIDS\"\nexec sleep 300\n");
        engine.close();
        engine.setPermissions(QFile::ExeOwner | QFile::ReadOwner | QFile::WriteOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PATH"), dir.path() + ':' + env.value(QStringLiteral("PATH")));
        env.insert(QStringLiteral("TMPDIR"), dir.filePath(QStringLiteral("tmp")));
        env.insert(QStringLiteral("PIDS"), pids);
        env.insert(QStringLiteral("TAVORA_STOPPED_RUN"), QStringLiteral("1"));
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QCoreApplication::applicationFilePath(), {QStringLiteral("stoppedMidRun")});
        QTRY_VERIFY_WITH_TIMEOUT(QFile(pids).size() > 0, kRunLimitMs);
        QElapsedTimer stopped;
        stopped.start();
        ::kill(static_cast<pid_t>(program.processId()), signal);
        QVERIFY(program.waitForFinished(2000));
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);
        QCOMPARE(program.exitCode(), signal);
        QVERIFY(AllEnded(pids.toStdString()));
        QVERIFY2(stopped.elapsed() < 2000, qPrintable(QString::number(stopped.elapsed())));
        // Only a run removes its folder: the next run removes what kill -9 left.
        const QStringList runFolders = QDir(dir.filePath(QStringLiteral("tmp")))
                                           .entryList({QStringLiteral("tavora-nec-*")}, QDir::Dirs);
        QCOMPARE(runFolders.isEmpty(), signal != SIGKILL);
    }

    void stoppedMidRun()
    {
        if (!qEnvironmentVariableIsSet("TAVORA_STOPPED_RUN"))
            QSKIP("the program stopSignalLeavesNothing stops");
        const StopSignals stop;
        Harness h;
        Design(h.state);
        SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
        w.show();
        ExecUntilStopped();
    }

    void printAndSaveThroughTheDialogs()
    {
        Harness h;
        Design(h.state);
        SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(w.Result().has_value(), kRunLimitMs);
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("sim.png"));
        const QString pdf = dir.filePath(QStringLiteral("sim.pdf"));
        const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
        h.dialogs.saveFiles = {png, pdf};
        h.dialogs.printers.push_back(ScriptedDialogs::PdfPrinter(printed));
        // Flags that earlier code on this thread left set must not fail the save.
        std::feraiseexcept(FE_ALL_EXCEPT);
        Click(&w, "SavePicture");
        std::feraiseexcept(FE_ALL_EXCEPT);
        Click(&w, "SavePicture");
        Click(&w, "Print");
        QVERIFY(h.dialogs.unexpected.isEmpty());
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{});
        const QImage image(png);
        QCOMPARE(image.size(), QSize(1600, 1400));
        // Both polar plots' traces, left and right, below the figures.
        for (const int left : {0, 800}) {
            int trace = 0;
            for (int y = 400; y < 900; ++y)
                for (int x = left; x < left + 800; ++x) {
                    const QRgb c = image.pixel(x, y);
                    trace += qBlue(c) > 150 && qRed(c) < 80 && qGreen(c) < 120;
                }
            QVERIFY2(trace > 200, qPrintable(QString::number(trace)));
        }
        // Each page proposes its own file; every printout says what it is.
        QCOMPARE(QFileInfo(h.dialogs.fileDialogs.value(0).initialName).fileName(),
                 QStringLiteral("Simulation-sweep.png"));
        QCOMPARE(h.dialogs.printNames, QStringList{"Simulation-sweep"});
        for (const QString& file : {pdf, printed}) {
            QProcess p;
            p.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
            p.waitForFinished();
            const QString text = QString::fromUtf8(p.readAllStandardOutput());
            for (const QString& frame :
                 {QStringLiteral("Tavora - NEC-2 simulation: Patterns and sweep"),
                  Typed(QStringLiteral("144.1 MHz, 8 directors, single dipole")),
                  QDate::currentDate().toString(Qt::ISODate), QStringLiteral("Page 1 of 1")})
                QVERIFY2(text.contains(frame), qPrintable(file + ": " + frame));
            QVERIFY2(text.contains(QStringLiteral("Forward gain:")), qPrintable(file));
            QVERIFY(text.contains(QStringLiteral("-10 dB")));
            QVERIFY(text.contains(QStringLiteral("Frequency (MHz)")));
        }

        // A save that fails leaves no file, not even a partial one.
        QTemporaryDir failing;
        const QString ro = failing.filePath(QStringLiteral("ro"));
        QVERIFY(QDir().mkdir(ro));
        QFile::setPermissions(ro, QFile::ReadOwner | QFile::ExeOwner);
        QStringList names{QStringLiteral("gone/sim.png"), QStringLiteral("gone/sim.pdf")};
        if (::geteuid() != 0) // root writes into any folder
            names << QStringLiteral("ro/sim.png") << QStringLiteral("ro/sim.pdf");
        for (const QString& name : names) {
            h.dialogs.messages.clear();
            h.dialogs.saveFiles = {failing.filePath(name)};
            Click(&w, "SavePicture");
            QTRY_COMPARE(h.dialogs.messages.size(), 1);
        }
        QCOMPARE(QDir(ro).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{});
        QVERIFY(!QFile::exists(failing.filePath(QStringLiteral("gone"))));
        QFile::setPermissions(ro, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void simulateOnTheYoScreenTakesTheYagiInItsBoxes()
    {
        Harness h;
        TypeSmallYagi(h.state.YoEntry);
        YoDetailsWindow yo(nullptr, h.context);
        yo.show();
        const QStringList figures = FiguresAfterSimulate(&yo);
        QCOMPARE(figures.first(), Typed("Frequency:\t144.000 MHz"));
        QVERIFY(figures.join('\n').contains(QStringLiteral("DL6WU estimate")));
    }

    void aBadYoBoxIsNamedAndNoSimulationOpens()
    {
        Harness h;
        TypeSmallYagi(h.state.YoEntry);
        h.state.YoEntry[5] = "x"; // director 1's distance
        YoDetailsWindow yo(nullptr, h.context);
        yo.show();
        Click(&yo, "Simulate");
        QCOMPARE(h.dialogs.MessageTexts(),
                 QStringList{"Dir 1 Dist from reflector must be a number, not 'x'"});
    }

    // An SWR reference the figures would answer with nonsense runs nothing.
    void aReferenceOutsideItsRangeIsRefusedBeforeTheEngineRuns()
    {
        Harness h;
        Design(h.state);
        SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(w.Result().has_value(), kRunLimitMs);
        for (const char* z0 : {"-50", "0.000001"}) {
            Type(&w, "Z0", Typed(z0));
            Click(&w, "Simulate");
            QVERIFY(!w.Running());
            QVERIFY(w.Result().has_value()); // the figures shown stay
        }
        QCOMPARE(
            h.dialogs.MessageTexts(),
            (QStringList{"SWR reference (ohm, 0 by dipole) cannot be negative",
                         "SWR reference (ohm, 0 by dipole) must be 0, or from 10 to 1000 ohm"}));
    }
};

TAVORA_UI_TEST_MAIN(SimulationWindowTest)
#include "simulation_window_test.moc"
