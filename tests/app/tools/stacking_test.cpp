#include "opening.h"
#include "pictures.h"
#include "stacking.h"
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
    void cleanup()
    {
        QVERIFY2(watchdog_.Failures().isEmpty(), qPrintable(watchdog_.Failures().join('\n')));
    }

    void calculateWritesFourLines_data()
    {
        QTest::addColumn<QString>("freq");
        QTest::addColumn<QString>("beamwidth");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<QStringList>("memo");
        QTest::newRow("defaults, vertical") << "144.1"
                                            << "30" << false
                                            << QStringList{"Estimated gain of antenna:\t14.5 dBd",
                                                           "Vertical stacking distance:\t4022 mm",
                                                           "Estimated horiz. stacking:\t4125 mm",
                                                           "Estimated gain of array:\t17.3 dBd"};
        QTest::newRow("defaults, horizontal")
            << "144.1"
            << "30" << true
            << QStringList{
                   "Estimated gain of antenna:\t14.5 dBd", "Horizontal stacking distance:\t4022 mm",
                   "Estimated vertical stacking:\t3922 mm", "Estimated gain of array:\t17.3 dBd"};
        QTest::newRow("60 degrees reads 92.6 percent")
            << "144.1"
            << "60" << false
            << QStringList{
                   "Estimated gain of antenna:\t8.4 dBd", "Vertical stacking distance:\t2082 mm",
                   "Estimated horiz. stacking:\t2248 mm", "Estimated gain of array:\t11.3 dBd"};
        QTest::newRow("18 dBd is beyond the table")
            << "432"
            << "20" << false
            << QStringList{
                   "Estimated gain of antenna:\t18.0 dBd", "Vertical stacking distance:\t2000 mm",
                   "Estimated horiz. stacking:\t2026 mm", "Estimated gain of array:\t20.8 dBd"};
        QTest::newRow("50 MHz horizontal") << "50"
                                           << "45" << true
                                           << QStringList{"Estimated gain of antenna:\t10.9 dBd",
                                                          "Horizontal stacking distance:\t7840 mm",
                                                          "Estimated vertical stacking:\t7428 mm",
                                                          "Estimated gain of array:\t13.8 dBd"};
    }
    void calculateWritesFourLines()
    {
        QFETCH(QString, freq);
        QFETCH(QString, beamwidth);
        QFETCH(bool, horizontal);
        QFETCH(QStringList, memo);
        Harness h;
        TYagibaseform4 w(nullptr, h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Type(&w, "Edit1", freq);
        Type(&w, "Edit2", beamwidth);
        if (horizontal)
            Choose(&w, "RadioGroup1Item1");
        Click(&w, "Button1");
        Click(&w, "Button1"); // replaced, not appended
        QCOMPARE(MemoLines(&w), memo);
        QCOMPARE(h.state.WaveLength, 300000 / freq.toDouble());
        QVERIFY(h.dialogs.messages.isEmpty());
    }

    void badInputShowsItsMessage_data()
    {
        QTest::addColumn<QString>("freq");
        QTest::addColumn<QString>("beamwidth");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("linesLeft");
        QTest::newRow("frequency not a number keeps the memo")
            << "x"
            << "30"
            << "'x' is not a valid floating point value" << 4;
        QTest::newRow("zero beamwidth keeps the memo") << "144.1"
                                                       << "0"
                                                       << "Floating point division by zero" << 4;
        QTest::newRow("zero frequency leaves the gain line")
            << "0"
            << "30"
            << "Floating point division by zero" << 1;
    }
    void badInputShowsItsMessage()
    {
        QFETCH(QString, freq);
        QFETCH(QString, beamwidth);
        QFETCH(QString, message);
        QFETCH(int, linesLeft);
        Harness h;
        TYagibaseform4 w(nullptr, h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Click(&w, "Button1");
        Type(&w, "Edit1", freq);
        Type(&w, "Edit2", beamwidth);
        Click(&w, "Button1");
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{message});
        QCOMPARE(MemoLines(&w).size(), linesLeft);
        QCOMPARE(MemoLines(&w).value(0), QString("Estimated gain of antenna:\t14.5 dBd"));
    }

    void switchingThePlaneChangesCaptionsAndPictureOnly()
    {
        Harness h;
        TYagibaseform4 w(nullptr, h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(Find<QLabel>(&w, "VersionLabel")->text(), QString(" Version 2.6.10"));
        QCOMPARE(Find<QLabel>(&w, "VersionLabel")->font().pointSize(), 11);
        QCOMPARE(Find<PictureBox>(&w, "Image1")->Picture().size(), QSize(260, 220));
        Click(&w, "Button1");
        Choose(&w, "RadioGroup1Item1");
        QVERIFY(MemoLines(&w).isEmpty());
        QCOMPARE(Find<QLabel>(&w, "Label5")->text(), QString("Horizontal stacking"));
        QCOMPARE(Find<QLabel>(&w, "Label3")->text(), QString("Half power horizontal beamwidth"));
        QCOMPARE(Find<PictureBox>(&w, "Image1")->Picture().toImage(),
                 QImage(QString::fromStdString(h.state.ProgramDir + "/horizontal.bmp")));
        Choose(&w, "RadioGroup1Item0");
        QCOMPARE(Find<QLabel>(&w, "Label5")->text(), QString("Vertical stacking"));
        QVERIFY(h.dialogs.messages.isEmpty());
    }

    void aMissingPictureIsReportedAndTheWindowGoesOn()
    {
        Harness h;
        TempDir empty;
        h.state.ProgramDir = empty.Path().string();
        TYagibaseform4 w(nullptr, h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const std::string file = (empty.Path() / "vertical.bmp").string();
        QCOMPARE(h.dialogs.MessageTexts(),
                 QStringList{QString::fromStdString("Cannot open file \"" + file + "\"")});
        QCOMPARE(Find<QLabel>(&w, "Label5")->text(), QString("Vertical stacking"));
        Click(&w, "Button1");
        QCOMPARE(MemoLines(&w).size(), 4);
        Choose(&w, "RadioGroup1Item1");
        QCOMPARE(h.dialogs.messages.size(), 2);
        QVERIFY(h.dialogs.messages[1].text.contains("horizontal.bmp"));
        QCOMPARE(Find<QLabel>(&w, "Label5")->text(), QString("Horizontal stacking"));
    }

    void aPlaneIndexThatIsNoNumberIsReportedAtCreation()
    {
        Harness h;
        h.state.StackingValues[2] = "v";
        TYagibaseform4 w(nullptr, h.context);
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{"'v' is not a valid integer value"});
    }

    void reopeningRestoresWhatWasTypedAndChosen()
    {
        Harness h;
        h.registry.AddTask<TYagibaseform4>(TaskId::Stacking);
        TYagibaseform1 main(h.context);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QStringList shown;
        QPointer<QWidget> last;
        const auto visit = [&](bool change) {
            WhenModalOpens([&, change](QWidget* modal) {
                last = modal;
                shown << Find<QLineEdit>(modal, "Edit1")->text() + " " +
                             Find<QLineEdit>(modal, "Edit2")->text() + " " +
                             Find<QLabel>(modal, "Label5")->text();
                if (change) {
                    Type(modal, "Edit1", "432.5");
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
        QCOMPARE(shown,
                 (QStringList{"144.1 30 Vertical stacking", "432.5 abc Horizontal stacking"}));
        QCOMPARE(h.state.StackingValues, (StackingTexts{"432.5", "abc", "1"}));
    }
};

TAVORA_UI_TEST_MAIN(StackingTest)
#include "stacking_test.moc"
