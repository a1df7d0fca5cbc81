#include "gain_calc.h"
#include "opening.h"
#include "tool_test.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

class GainTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_;

  private slots:
    void cleanup()
    {
        QVERIFY2(watchdog_.Failures().isEmpty(), qPrintable(watchdog_.Failures().join('\n')));
    }

    void methodButtonsWriteGainAndBeamwidth_data()
    {
        QTest::addColumn<QString>("freq");
        QTest::addColumn<QString>("boom");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("gain");
        QTest::addColumn<QString>("beamwidth");
        QTest::newRow("defaults by VK3AUU") << "144.1"
                                            << "4000"
                                            << "Button1"
                                            << "11.4"
                                            << "42.9";
        QTest::newRow("defaults by WA2PHW") << "144.1"
                                            << "4000"
                                            << "Button2"
                                            << "11.7"
                                            << "41.5";
        QTest::newRow("defaults by DJ9BV") << "144.1"
                                           << "4000"
                                           << "Button3"
                                           << "11.4"
                                           << "42.9";
        QTest::newRow("432 MHz 2 m by VK3AUU") << "432"
                                               << "2000"
                                               << "Button1"
                                               << "12.7"
                                               << "36.6";
        QTest::newRow("432 MHz 2 m by WA2PHW") << "432"
                                               << "2000"
                                               << "Button2"
                                               << "13.0"
                                               << "35.6";
        QTest::newRow("432 MHz 2 m by DJ9BV") << "432"
                                              << "2000"
                                              << "Button3"
                                              << "12.7"
                                              << "36.7";
        QTest::newRow("short boom by VK3AUU") << "144.1"
                                              << "500"
                                              << "Button1"
                                              << "4.3"
                                              << "96.6";
        QTest::newRow("short boom by WA2PHW") << "144.1"
                                              << "500"
                                              << "Button2"
                                              << "7.4"
                                              << "67.4";
        QTest::newRow("short boom by DJ9BV") << "144.1"
                                             << "500"
                                             << "Button3"
                                             << "4.3"
                                             << "96.4";
        QTest::newRow("one wavelength by VK3AUU") << "300"
                                                  << "1000"
                                                  << "Button1"
                                                  << "9.2"
                                                  << "55.4";
        QTest::newRow("one wavelength by WA2PHW") << "300"
                                                  << "1000"
                                                  << "Button2"
                                                  << "9.8"
                                                  << "51.1";
    }
    void methodButtonsWriteGainAndBeamwidth()
    {
        QFETCH(QString, freq);
        QFETCH(QString, boom);
        QFETCH(QString, button);
        QFETCH(QString, gain);
        QFETCH(QString, beamwidth);
        Harness h;
        TYagibaseform3 w(nullptr, h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Type(&w, "Edit1", freq);
        Type(&w, "Edit2", boom);
        Click(&w, "Button2"); // a second press replaces the lines
        Click(&w, qPrintable(button));
        QCOMPARE(MemoLines(&w),
                 (QStringList{"Gain is " + gain + " dBd (referred to dipole)",
                              "Approximate 3 dB beamwidth is " + beamwidth + " degrees",
                              "(Assuming E-plane and H-plane are the same)"}));
        QCOMPARE(h.state.DesignFreq, freq.toDouble());
        QCOMPARE(h.state.BoomLength, boom.toDouble());
        QCOMPARE(h.state.WaveLength, 300000 / freq.toDouble());
        QVERIFY(h.dialogs.messages.isEmpty());
    }

    void badInputShowsItsMessageAndLeavesTheMemoEmpty_data()
    {
        QTest::addColumn<QString>("freq");
        QTest::addColumn<QString>("boom");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("frequency not a number") << "abc"
                                                << "4000"
                                                << "Button1"
                                                << "'abc' is not a valid floating point value";
        QTest::newRow("boom not whole") << "144.1"
                                        << "4000.5"
                                        << "Button1"
                                        << "'4000.5' is not a valid integer value";
        QTest::newRow("boom empty") << "144.1"
                                    << ""
                                    << "Button2"
                                    << "'' is not a valid integer value";
        QTest::newRow("zero frequency") << "0"
                                        << "4000"
                                        << "Button2"
                                        << "Floating point division by zero";
        QTest::newRow("zero boom by VK3AUU") << "144.1"
                                             << "0"
                                             << "Button1"
                                             << "Floating point division by zero";
        QTest::newRow("negative boom by DJ9BV") << "144.1"
                                                << "-5"
                                                << "Button3"
                                                << "Invalid floating point operation";
    }
    void badInputShowsItsMessageAndLeavesTheMemoEmpty()
    {
        QFETCH(QString, freq);
        QFETCH(QString, boom);
        QFETCH(QString, button);
        QFETCH(QString, message);
        Harness h;
        TYagibaseform3 w(nullptr, h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Click(&w, "Button1");
        QCOMPARE(MemoLines(&w).size(), 3);
        TypeKeys(&w, "Edit1", freq);
        TypeKeys(&w, "Edit2", boom);
        Click(&w, qPrintable(button));
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{message});
        QVERIFY(MemoLines(&w).isEmpty());
        // Coming back from the message box keeps what was typed.
        w.FormActivate();
        QCOMPARE(Find<QLineEdit>(&w, "Edit1")->text(), freq);
        QCOMPARE(Find<QLineEdit>(&w, "Edit2")->text(), boom);
        // And the window is still usable.
        Type(&w, "Edit1", "144.1");
        Type(&w, "Edit2", "4000");
        Click(&w, "Button1");
        QCOMPARE(MemoLines(&w).size(), 3);
    }

    void boomOfZeroByWA2PHWIsStillAGain()
    {
        Harness h;
        TYagibaseform3 w(nullptr, h.context);
        Type(&w, "Edit2", "0");
        Click(&w, "Button2");
        QCOMPARE(MemoLines(&w).value(0), QString("Gain is 6.3 dBd (referred to dipole)"));
    }

    void theSameEntryTwiceGivesTwoWindowsReadingTheGainGroup()
    {
        Harness h;
        h.registry.AddTask<TYagibaseform3>(TaskId::Gain);
        TYagibaseform1 main(h.context);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QList<QWidget*> seen;
        QStringList shown;
        const auto visit = [&](const QString& typed) {
            WhenModalOpens([&, typed](QWidget* modal) {
                seen << modal;
                QCOMPARE(modal->windowTitle(), QString("Gain Calculations"));
                shown << Find<QLineEdit>(modal, "Edit1")->text() + " " +
                             Find<QLineEdit>(modal, "Edit2")->text();
                QVERIFY(MemoLines(modal).isEmpty());
                QCOMPARE(Find<QLabel>(modal, "VersionLabel")->text(), QString(" Version 2.6.10"));
                QVERIFY(!Find<QMenu>(modal, "File1")->menuAction()->isVisible());
                QVERIFY(!Find<QMenu>(modal, "Task1")->menuAction()->isVisible());
                Type(modal, "Edit1", typed);
                Click(modal, "Button4"); // Back
            });
            main.findChild<QAction*>("Gain_calc")->trigger();
        };
        visit("50.2");
        visit("not a number");
        QCOMPARE(shown, (QStringList{"144.1 4000", "50.2 4000"}));
        QCOMPARE(h.state.GainValues[0], std::string("not a number"));
    }

    void htmlHelpOpensTheContentsThenTopic120()
    {
        Harness h;
        TYagibaseform3 w(nullptr, h.context);
        w.findChild<QAction*>("ContentsHTML1")->trigger();
        QCOMPARE(h.dialogs.helpRequests.size(), 2);
        QCOMPARE(h.dialogs.helpRequests[0].command, HelpCommand::Contents);
        QCOMPARE(h.dialogs.helpRequests[1].context, 120);
    }
};

TAVORA_UI_TEST_MAIN(GainTest)
#include "gain_test.moc"
