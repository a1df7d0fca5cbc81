// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulation/director_scan_page.h"
#include "app/simulation/simulation_window.h"
#include "simulation_ui.h"
#include "tool_test.h"

#include "child_processes.h"

#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

namespace {

DirectorScanPage* Page(QWidget* window)
{
    return Find<DirectorScanPage>(window, "DirectorScanPage");
}

// The Best column, top to bottom.
QStringList Marks(QWidget* w)
{
    auto* table = Find<QTableWidget>(w, "ScanTable");
    QStringList marks;
    for (int r = 0; r < table->rowCount(); ++r)
        marks << table->item(r, table->columnCount() - 1)->text();
    return marks;
}

} // namespace

class DirectorScanPageTest : public FolderTest {
    Q_OBJECT

  private slots:
    void thePageOpensOnTheTypedCountAndTenEitherSide_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("8 opens 1 to 18, not below one") << "8"
                                                        << "1"
                                                        << "18";
        QTest::newRow("20 opens 10 to 30") << "20"
                                           << "10"
                                           << "30";
        QTest::newRow("95 opens 85 to 100, not above the entry's most") << "95"
                                                                        << "85"
                                                                        << "100";
    }
    void thePageOpensOnTheTypedCountAndTenEitherSide()
    {
        QFETCH(QString, typed);
        Harness h;
        Design(h.state, typed.toUtf8().constData());
        SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
        QTEST(Find<QLineEdit>(&w, "ScanFrom")->text(), "from");
        QTEST(Find<QLineEdit>(&w, "ScanTo")->text(), "to");
    }

    void aScanShowsEveryCountWithTheBestMarkedAndCountsDecks()
    {
        Harness h;
        Design(h.state, "8");
        SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
        w.ShowPage(QStringLiteral("DirectorScanPage"));
        w.show();
        Type(&w, "ScanFrom", QStringLiteral("14"));
        Type(&w, "ScanTo", QStringLiteral("18"));
        Click(&w, "Scan");
        QTRY_VERIFY_WITH_TIMEOUT(Page(&w)->Result().has_value(), kRunLimitMs);
        const QStringList marks = Marks(&w);
        QCOMPARE(marks.size(), 5);
        // At 144.1 MHz with these sizes 17 directors give the best F/B, 18 the lowest SWR.
        QCOMPARE(marks, (QStringList{"", "", "", "best F/B", "lowest SWR"}));
        QVERIFY(
            Find<QLabel>(&w, "ScanNotes")->text().contains(QStringLiteral("without error bars")));
        QCOMPARE(Find<QProgressBar>(&w, "Progress")->maximum(), 5);
        QCOMPARE(Page(&w)->Csv().size(), size_t{1});
        QCOMPARE(Page(&w)->Csv().front().name, std::string("scan"));
        QCOMPARE(ChildProcessCount(), 0);
    }

    void cancelEndsEveryEngineOfTheScan()
    {
        Harness h;
        Design(h.state, "60"); // 50 to 70 directors: long enough to be caught running
        SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
        w.ShowPage(QStringLiteral("DirectorScanPage"));
        w.show();
        Click(&w, "Scan");
        QTRY_VERIFY(ChildProcessCount() > 0);
        QVERIFY(!Find<QLineEdit>(&w, "ScanFrom")->isEnabled());
        Click(&w, "Cancel");
        QCOMPARE(ChildProcessCount(), 0);
        QTRY_COMPARE(Find<QLabel>(&w, "Status")->text(), QStringLiteral("Simulation cancelled"));
        QVERIFY(!Page(&w)->Result().has_value());
    }

    void aScanIsRefusedBeforeAnyEngineRuns_data()
    {
        QTest::addColumn<bool>("existingYagi");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("message");
        QTest::newRow("an existing Yagi has no design to change") << true << "5" << kNoScanDesign;
        QTest::newRow("a range that runs backwards")
            << false << "19"
            << "Directors to cannot be below Directors from (19)";
        QTest::newRow("a count beyond the entry's") << false << "101"
                                                    << "Directors from must be from 0 to 100";
    }
    void aScanIsRefusedBeforeAnyEngineRuns()
    {
        QFETCH(bool, existingYagi);
        QFETCH(QString, from);
        Harness h;
        Design(h.state, "8");
        const char sep = UserDecimalSep();
        SimulationWindow w(nullptr, h.context,
                           existingYagi ? SimulationWindow::FromYoEntries(h.state.YoEntry, sep)
                                        : SimulationWindow::FromDesign(h.state));
        w.ShowPage(QStringLiteral("DirectorScanPage"));
        w.show();
        Type(&w, "ScanFrom", from);
        Type(&w, "ScanTo", QStringLiteral("18"));
        Click(&w, "Scan");
        QTRY_COMPARE(h.dialogs.MessageTexts().size(), 1);
        QTEST(h.dialogs.MessageTexts().front(), "message");
        QVERIFY(!w.Running());
        QCOMPARE(ChildProcessCount(), 0);
    }
};

TAVORA_UI_TEST_MAIN(DirectorScanPageTest)
#include "director_scan_page_test.moc"
