// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/arrays/stacking_window.h"
#include "app/simulation/array_page.h"
#include "app/simulation/simulation_window.h"
#include "simulation_ui.h"
#include "tool_test.h"

#include "child_processes.h"

#include "design/entry.h"
#include "design/report.h"

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QTableWidget>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

namespace {

ArrayPage* Page(QWidget* window)
{
    auto* page = window->findChild<ArrayPage*>(QStringLiteral("ArrayPage"));
    if (page == nullptr)
        qFatal("no array page");
    return page;
}

QString Cell(QWidget* w, const char* table, int row, int column)
{
    const QTableWidgetItem* item = Find<QTableWidget>(w, table)->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

class ArrayPageTest : public FolderTest {
    Q_OBJECT

  private slots:
    void theStackingWindowOpensTheArrayPageAndItPrints()
    {
        Harness h;
        Design(h.state, "5");
        StackingWindow stacking(nullptr, h.context);
        stacking.show();
        QString gain, printed, notes;
        int progress = -1, steps = 0;
        WhenModalOpens([&](QWidget* modal) {
            auto* simulation = qobject_cast<SimulationWindow*>(modal);
            QVERIFY(simulation);
            QCOMPARE(simulation->CurrentPage(), Page(simulation));
            QVERIFY(!simulation->Running()); // waits for its own button
            Type(simulation, "SweepPoints", QStringLiteral("3"));
            Click(simulation, "SimulateArray");
            QTRY_VERIFY_WITH_TIMEOUT(Page(simulation)->Result().has_value(), kRunLimitMs);
            gain = Cell(simulation, "ArrayFigures", 0, 0) + "|" +
                   Cell(simulation, "ArrayFigures", 0, 2);
            notes = Find<QLabel>(simulation, "ArrayNotes")->text();
            auto* bar = Find<QProgressBar>(simulation, "Progress");
            progress = bar->value(), steps = bar->maximum();
            printed = QDir::current().filePath(QStringLiteral("printed.pdf"));
            h.dialogs.printers.push_back(ScriptedDialogs::PdfPrinter(printed));
            Click(simulation, "Print");
            simulation->close();
        });
        Click(&stacking, "SimulateArray");
        QVERIFY2(gain.startsWith(QStringLiteral("Stacked gain:|")) &&
                     gain.endsWith(QStringLiteral(" dB over one Yagi")),
                 qPrintable(gain));
        QVERIFY2(
            notes.startsWith(QStringLiteral(
                "Simulated with nec2c (NEC-2) in free space, aluminium elements, fed in phase")),
            qPrintable(notes));
        // One Yagi, the spacing asked for, the rule's, three sweep points, the search.
        QCOMPARE(steps, 6 + kSearchRounds * kSearchPoints);
        QCOMPARE(progress, steps);
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {printed, QStringLiteral("-")});
        QVERIFY(p.waitForFinished());
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        for (const char* words : {"fed in phase", "Stacked gain:", "Feed impedance, Yagi 2:",
                                  "Spacing (mm)", "Best spacing:", "E plane"})
            QVERIFY2(text.contains(QString::fromUtf8(words)), words);
        QCOMPARE(ChildProcessCount(), 0);
    }

    void cancelStopsTheArrayRun()
    {
        Harness h;
        Design(h.state, "40"); // four of them: long enough to be caught running
        SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
        w.ShowPage(QStringLiteral("ArrayPage"));
        w.show();
        Find<QComboBox>(&w, "Arrangement")->setCurrentIndex(static_cast<int>(Arrangement::Box));
        Click(&w, "SimulateArray");
        QTRY_VERIFY(ChildProcessCount() > 0);
        QVERIFY(!Find<QPushButton>(&w, "SimulateArray")->isEnabled());
        Click(&w, "Cancel");
        QCOMPARE(ChildProcessCount(), 0);
        QTRY_COMPARE(Find<QLabel>(&w, "Status")->text(), QStringLiteral("Simulation cancelled"));
        QVERIFY(!Page(&w)->Result().has_value());
        QVERIFY(Find<QPushButton>(&w, "SimulateArray")->isEnabled());
        QVERIFY(h.dialogs.MessageTexts().isEmpty());
    }

    void aBoxOutsideWhatTheArrayTakesIsRefusedBeforeTheEngineRuns()
    {
        // 15 wavelengths at 144.1 MHz are 31208 mm.
        const struct {
            const char *box, *text, *message;
        } rows[] = {{"SweepPoints", "1", "Sweep points must be from 2 to 101"},
                    {"Spacing", "31300", "Spacing in mm must be from 0 to "},
                    {"SweepTo", "31300", "Sweep spacings in mm must be from 0 to "}};
        for (const auto& row : rows) {
            Harness h;
            Design(h.state, "5");
            SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
            w.ShowPage(QStringLiteral("ArrayPage"));
            w.show();
            Type(&w, row.box, QString::fromUtf8(row.text));
            Click(&w, "SimulateArray");
            QTRY_COMPARE(h.dialogs.MessageTexts().size(), 1);
            QVERIFY2(h.dialogs.MessageTexts().front().startsWith(QString::fromUtf8(row.message)),
                     row.box);
            QVERIFY(!w.Running());
            QCOMPARE(ChildProcessCount(), 0);
        }
    }

    // Task, Stacking, Simulate the array before any design was calculated.
    void theStackingWindowSimulatesTheEntryScreensDesign_data()
    {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("message");
        QTest::newRow("a fresh start runs the entry screen's design") << "144.1"
                                                                      << "";
        QTest::newRow("an empty entry group asks for a design")
            << ""
            << "Calculate a design first (Task, Design Yagi)";
        QTest::newRow("a frequency Calculate refuses is refused")
            << "30000"
            << "Frequency in MHz must be from 50 to 10500 MHz";
    }
    void theStackingWindowSimulatesTheEntryScreensDesign()
    {
        QFETCH(QString, frequency);
        QFETCH(QString, message);
        Harness h;
        if (frequency.isEmpty())
            h.state.DesignEntry.fill(std::string());
        else
            h.state.DesignEntry[0] = Typed(frequency).toStdString();
        StackingWindow stacking(nullptr, h.context);
        bool ran = false;
        WhenModalOpens([&](QWidget* modal) {
            Click(modal, "SimulateArray");
            ran = qobject_cast<SimulationWindow*>(modal)->Running();
            modal->close();
        });
        Click(&stacking, "SimulateArray");
        QCOMPARE(ran, message.isEmpty());
        QCOMPARE(h.dialogs.MessageTexts(),
                 message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(ChildProcessCount(), 0);
    }
};

TAVORA_UI_TEST_MAIN(ArrayPageTest)
#include "array_page_test.moc"
