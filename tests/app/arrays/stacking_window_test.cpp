// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/arrays/stacking_window.h"
#include "app/shell/main_window.h"
#include "app/shell/pictures.h"
#include "tool_test.h"

#include "temp_dir.h"

#include <QAction>
#include <QLabel>
#include <QPointer>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

class StackingTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_;

  private slots:
    void cleanup() { QVERIFY(watchdog_.Failures().isEmpty()); }

    void calculateWritesFourLines_data()
    {
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<QStringList>("memo");
        QTest::newRow("vertical") << false
                                  << QStringList{"Estimated gain of antenna:\t14.5 dBd",
                                                 "Vertical stacking distance:\t4022 mm",
                                                 "Estimated horiz. stacking:\t4125 mm",
                                                 "Estimated gain of array:\t17.3 dBd"};
        QTest::newRow("horizontal") << true
                                    << QStringList{"Estimated gain of antenna:\t14.5 dBd",
                                                   "Horizontal stacking distance:\t4022 mm",
                                                   "Estimated vertical stacking:\t3922 mm",
                                                   "Estimated gain of array:\t17.3 dBd"};
    }
    void calculateWritesFourLines()
    {
        QFETCH(bool, horizontal);
        QFETCH(QStringList, memo);
        Harness h;
        StackingWindow w(nullptr, h.context);
        if (horizontal)
            Choose(&w, "RadioGroup1Item1");
        Click(&w, "Button1");
        Click(&w, "Button1"); // replaced, not appended
        QCOMPARE(MemoLines(&w), Typed(memo));
        QVERIFY(h.dialogs.messages.isEmpty());
    }

    void badInputShowsItsMessage_data()
    {
        QTest::addColumn<QString>("freq");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("linesLeft");
        QTest::newRow("not a number keeps the memo")
            << "x"
            << "Frequency in MHz must be a number, not 'x'" << 4;
        QTest::newRow("zero is refused naming the box, the memo kept")
            << "0"
            << "Frequency in MHz box empty or zero!" << 4;
        QTest::newRow("negative is refused naming the box, the memo kept")
            << "-144.1"
            << "Frequency in MHz cannot be negative" << 4;
    }
    void badInputShowsItsMessage()
    {
        QFETCH(QString, freq);
        QFETCH(QString, message);
        QFETCH(int, linesLeft);
        Harness h;
        StackingWindow w(nullptr, h.context);
        Click(&w, "Button1");
        Type(&w, "Edit1", Typed(freq));
        Click(&w, "Button1");
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{Typed(message)});
        QCOMPARE(MemoLines(&w).size(), linesLeft);
        Type(&w, "Edit1", Typed("144.1")); // the window goes on
        Type(&w, "Edit2", "200");
        Click(&w, "Button1");
        QCOMPARE(h.dialogs.MessageTexts().last(),
                 QStringLiteral("Half power vertical beamwidth must be from 10 to 150 degrees"));
        Type(&w, "Edit2", "");
        Click(&w, "Button1");
        QCOMPARE(h.dialogs.MessageTexts().last(),
                 QStringLiteral("Half power vertical beamwidth box empty or zero!"));
        Type(&w, "Edit2", "30");
        Click(&w, "Button1");
        QCOMPARE(MemoLines(&w).size(), 4);
    }

    void switchingThePlaneChangesCaptionsAndPictureOnly()
    {
        Harness h;
        StackingWindow w(nullptr, h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(Find<QLabel>(&w, "VersionLabel")->font().pointSize(), 11);
        Click(&w, "Button1");
        Choose(&w, "RadioGroup1Item1");
        QVERIFY(MemoLines(&w).isEmpty());
        QCOMPARE(Find<QLabel>(&w, "Label5")->text(), QString("Horizontal stacking"));
        QCOMPARE(Find<QLabel>(&w, "Label3")->text(), QString("Half power horizontal beamwidth"));
        QCOMPARE(Find<PictureBox>(&w, "Image1")->Picture().toImage(),
                 QImage(QString::fromStdString(h.state.ProgramDir + "/horizontal.bmp")));
        QVERIFY(h.dialogs.messages.isEmpty());
    }

    void aMissingPictureIsReportedAndTheWindowGoesOn()
    {
        Harness h;
        TempDir empty;
        h.state.ProgramDir = empty.Path().string();
        StackingWindow w(nullptr, h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(h.dialogs.MessageTexts(),
                 QStringList{QString::fromStdString("Cannot open file \"" +
                                                    empty.File("vertical.bmp") + "\"")});
        Click(&w, "Button1");
        QCOMPARE(MemoLines(&w).size(), 4);
        Choose(&w, "RadioGroup1Item1");
        QVERIFY(h.dialogs.messages.value(1).text.contains("horizontal.bmp"));
        QCOMPARE(Find<QLabel>(&w, "Label5")->text(), QString("Horizontal stacking"));
        // The window's own picture shows both planes, so it fits either caption.
        const QPixmap own = Find<PictureBox>(&w, "Image1")->Picture();
        QVERIFY(!own.isNull());
        Choose(&w, "RadioGroup1Item0");
        QCOMPARE(Find<PictureBox>(&w, "Image1")->Picture().toImage(), own.toImage());
    }

    void aPlaneIndexThatIsNoNumberIsReportedAtCreation()
    {
        Harness h;
        h.state.StackingValues[2] = "v";
        StackingWindow w(nullptr, h.context);
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{"'v' is not a valid integer value"});
    }

    void reopeningRestoresWhatWasTypedAndChosen()
    {
        Harness h;
        h.registry.AddTask<StackingWindow>(TaskId::Stacking);
        MainWindow main(h.context);
        main.show();
        QStringList shown;
        QPointer<QWidget> last;
        const auto visit = [&](bool change) {
            WhenModalOpens([&, change](QWidget* modal) {
                last = modal;
                shown << Find<QLineEdit>(modal, "Edit1")->text() + " " +
                             Find<QLabel>(modal, "Label5")->text();
                if (change) {
                    Type(modal, "Edit1", Typed("432.5"));
                    Type(modal, "Edit2", "abc");
                    Choose(modal, "RadioGroup1Item1");
                }
                modal->close();
            });
            main.findChild<QAction*>("Stacking_calc")->trigger();
        };
        visit(true);
        QVERIFY(last.isNull()); // closed means destroyed: the next one is new
        visit(false);
        QCOMPARE(shown, Typed({"144.1 Vertical stacking", "432.5 Horizontal stacking"}));
        QCOMPARE(h.state.StackingValues, (StackingTexts{Typed("432.5").toStdString(), "abc", "1"}));
    }
};

TAVORA_UI_TEST_MAIN(StackingTest)
#include "stacking_window_test.moc"
