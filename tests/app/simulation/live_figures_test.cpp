// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design/design_entry_window.h"
#include "app/exchange/yo_details_window.h"
#include "app/simulation/live_figures.h"
#include "simulation_ui.h"
#include "tool_test.h"

#include "child_processes.h"

#include "simulation/live.h"

#include <QGroupBox>
#include <QLabel>
#include <QTableWidget>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

namespace {

LiveFigures* Panel(QWidget* w) { return Find<LiveFigures>(w, "LiveFigures"); }

QString Status(QWidget* w) { return Find<QLabel>(w, "LiveStatus")->text(); }

// The panel's figure rows, a line each: label and figure.
QStringList Shown(QWidget* w)
{
    const QTableWidget* table = Find<QTableWidget>(w, "LiveTable");
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r)
        rows << table->item(r, 0)->text() + ' ' + table->item(r, 1)->text();
    return rows;
}

// What the panel must show for the entry with `directors`: the same run
// made by hand, bars and all.
QStringList Expected(const DesignState& state, const DesignEntry& typed, const char* directors)
{
    DesignEntry e = typed;
    e.Directors = directors;
    const NecModel model = LiveModel(e, state, Feed::SingleDipole, UserDecimalSep());
    SimulationResult r = tavora::Run(model, LiveSettings(), {});
    AddBars(r, model, LiveSettings(), {});
    QStringList rows;
    for (const FigureRow& row : LiveFiguresText(r, UserDecimalSep()).figures)
        rows << QString::fromStdString(row.label + ' ' + row.Text());
    return rows;
}

// Waits for the panel to settle: no pause, no run, bars shown or a refusal.
void Settle(QWidget* w)
{
    QTRY_VERIFY_WITH_TIMEOUT(!Panel(w)->Busy(), kRunLimitMs);
}

} // namespace

class LiveFiguresTest : public FolderTest {
    Q_OBJECT

  private slots:
    void typingUpdatesTheFiguresRefusalsShowInThePanelAndTheLastValueWins()
    {
        Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        entry.show();
        Settle(&entry);
        const DesignEntry typed = GetValues(h.state.DesignEntry);
        QCOMPARE(Shown(&entry), Expected(h.state, typed, "8"));

        // Each value long enough to start its run, the next abandoning it:
        // never two engines, and the last value's figures.
        int most = 0;
        for (const char* directors : {"5", "24", "10", "60", "17"}) {
            TypeKeys(&entry, "Edit2", QString::fromUtf8(directors));
            // The figures still shown are marked until the new ones come.
            QCOMPARE(Status(&entry), QString::fromUtf8(kLiveUpdating));
            QVERIFY(!Find<QTableWidget>(&entry, "LiveTable")->isEnabled());
            for (int i = 0; i < 25; ++i) {
                QTest::qWait(10);
                most = std::max(most, ChildProcessCount());
            }
        }
        QVERIFY(most <= 1);
        Settle(&entry);
        QCOMPARE(Status(&entry), QString());
        QCOMPARE(Shown(&entry), Expected(h.state, typed, "17"));

        // A refusal replaces the figures, in the panel, not in a box.
        TypeKeys(&entry, "Edit2", QStringLiteral("101"));
        Settle(&entry);
        QCOMPARE(Status(&entry), QString::fromUtf8(kDirectorCountRange));
        QVERIFY(Shown(&entry).isEmpty());
        QVERIFY(h.dialogs.messages.isEmpty());
        QCOMPARE(ChildProcessCount(), 0);
    }

    void hidingThePanelStopsItsRuns()
    {
        Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        entry.show();
        TypeKeys(&entry, "Edit2", QStringLiteral("80")); // long enough to be caught running
        QTRY_VERIFY_WITH_TIMEOUT(ChildProcessCount() > 0, kRunLimitMs);
        Find<QGroupBox>(&entry, "LiveBox")->setChecked(false);
        QTRY_COMPARE(ChildProcessCount(), 0);
        TypeKeys(&entry, "Edit2", QStringLiteral("12"));
        QTest::qWait(2 * LiveFigures::kPauseMs);
        QCOMPARE(ChildProcessCount(), 0);
        QTRY_VERIFY(!Panel(&entry)->Busy()); // the abandoned run's thread winds up
        QVERIFY(!Find<QTableWidget>(&entry, "LiveTable")->isVisible());
        Find<QGroupBox>(&entry, "LiveBox")->setChecked(true);
        Settle(&entry);
        QCOMPARE(Shown(&entry), Expected(h.state, GetValues(h.state.DesignEntry), "12"));
    }

    void theYoScreenSimulatesTheYagiInItsBoxes()
    {
        Harness h;
        YoDetailsWindow yo(nullptr, h.context);
        yo.show();
        yo.LoadYagFile(TAVORA_DATA "/examples/2m-10-element.yag");
        Settle(&yo);
        QCOMPARE(Status(&yo), QString());
        const QTableWidget* table = Find<QTableWidget>(&yo, "LiveTable");
        QCOMPARE(table->rowCount(), 1); // the figures across, under their captions
        QCOMPARE(table->horizontalHeaderItem(2)->text(), QStringLiteral("F/B (180 deg)"));
        QVERIFY(table->item(0, 2)->text().endsWith(QStringLiteral(" dB")) ||
                table->item(0, 2)->text().contains(QStringLiteral(" dB ±")));
    }
};

TAVORA_UI_TEST_MAIN(LiveFiguresTest)
#include "live_figures_test.moc"
