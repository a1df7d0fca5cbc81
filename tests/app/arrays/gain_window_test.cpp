// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/arrays/gain_window.h"
#include "app/shell/main_window.h"
#include "tool_test.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

class GainTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_;

  private slots:
    void cleanup() { QVERIFY(watchdog_.Failures().isEmpty()); }

    void methodButtonsWriteGainAndBeamwidth_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("gain");
        QTest::addColumn<QString>("beamwidth");
        QTest::newRow("VK3AUU") << "Button1"
                                << "11.4"
                                << "42.9";
        QTest::newRow("WA2PHW") << "Button2"
                                << "11.7"
                                << "41.5";
        QTest::newRow("DJ9BV") << "Button3"
                               << "11.4"
                               << "42.9";
    }
    void methodButtonsWriteGainAndBeamwidth()
    {
        QFETCH(QString, button);
        QFETCH(QString, gain);
        QFETCH(QString, beamwidth);
        Harness h;
        GainWindow w(nullptr, h.context);
        Click(&w, "Button2"); // a second press replaces the lines
        Click(&w, qPrintable(button));
        QCOMPARE(MemoLines(&w),
                 (QStringList{"Gain is " + Typed(gain) + " dBd (referred to dipole)",
                              "Approximate 3 dB beamwidth is " + Typed(beamwidth) + " degrees",
                              "(Assuming E-plane and H-plane are the same)"}));
        QCOMPARE(h.state.WaveLength, 300000 / 144.1);
        QCOMPARE(h.state.BoomLength, 4000.0);
    }

    void badInputShowsItsMessageAndKeepsWhatWasTyped_data()
    {
        QTest::addColumn<QString>("freq");
        QTest::addColumn<QString>("boom");
        QTest::addColumn<QString>("message");
        QTest::newRow("frequency") << "abc"
                                   << "4000"
                                   << "Enter frequency in MHz must be a number, not 'abc'";
        QTest::newRow("boom not whole") << "144.1"
                                        << "4000.5"
                                        << "Boom length mm must be a whole number, not '4000.5'";
        QTest::newRow("a pasted page is quoted short")
            << QString(10000, 'x') << "4000"
            << "Enter frequency in MHz must be a number, not '" + QString(80, 'x') + "...'";
        QTest::newRow("an empty boom names its box") << "144.1"
                                                     << ""
                                                     << "Boom length mm box empty or zero!";
        QTest::newRow("zero frequency is refused naming the box")
            << "0"
            << "4000"
            << "Enter frequency in MHz box empty or zero!";
        QTest::newRow("a boom too short for the formulas")
            << "144.1"
            << "1"
            << "Boom length mm must be from 416 to 104000 mm at 144.1 MHz (0.2 to 50 wavelengths)";
        QTest::newRow("negative frequency is refused naming the box")
            << "-144.1"
            << "4000"
            << "Enter frequency in MHz cannot be negative";
        QTest::newRow("negative boom is refused naming the box")
            << "144.1"
            << "-1000"
            << "Boom length mm cannot be negative";
    }
    void badInputShowsItsMessageAndKeepsWhatWasTyped()
    {
        QFETCH(QString, freq);
        QFETCH(QString, boom);
        QFETCH(QString, message);
        freq = Typed(freq);
        boom = Typed(boom);
        message = Typed(message);
        Harness h;
        GainWindow w(nullptr, h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Click(&w, "Button1");
        TypeKeys(&w, "Edit1", freq);
        TypeKeys(&w, "Edit2", boom);
        Click(&w, "Button1");
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{message});
        QVERIFY(MemoLines(&w).isEmpty());
        w.FormActivate(); // back from the message box
        QCOMPARE(Find<QLineEdit>(&w, "Edit1")->text() + Find<QLineEdit>(&w, "Edit2")->text(),
                 freq + boom);
        TypeKeys(&w, "Edit1", Typed("144.1"));
        TypeKeys(&w, "Edit2", "4000");
        Click(&w, "Button1");
        QCOMPARE(MemoLines(&w).size(), 3);
    }

    void enterRepeatsTheMethodChosenLast()
    {
        Harness h;
        GainWindow w(nullptr, h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const auto enter = [&] {
            Find<QPlainTextEdit>(&w, "Memo1")->clear();
            Find<QLineEdit>(&w, "Edit2")->setFocus(); // the button clicked had it
            QTest::keyClick(Find<QLineEdit>(&w, "Edit2"), Qt::Key_Return);
            return MemoLines(&w);
        };
        const QStringList first = enter(); // VK3AUU until another is chosen
        Click(&w, "Button1");
        QCOMPARE(first, MemoLines(&w));
        Click(&w, "Button2");
        const QStringList wa2phw = MemoLines(&w);
        QVERIFY(wa2phw != first);
        QCOMPARE(enter(), wa2phw);
    }

    void theSameEntryTwiceGivesTwoWindowsReadingTheGainGroup()
    {
        Harness h;
        h.registry.AddTask<GainWindow>(TaskId::Gain);
        MainWindow main(h.context);
        main.show();
        QStringList shown;
        const auto visit = [&](const QString& typed) {
            WhenModalOpens([&, typed](QWidget* modal) {
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
        visit(Typed("50.2"));
        visit("not a number");
        QCOMPARE(shown, (QStringList{Typed("144.1 4000"), Typed("50.2 4000")}));
        QCOMPARE(h.state.GainValues[0], std::string("not a number"));
    }

    void htmlHelpOpensTheContentsThenTopic120()
    {
        Harness h;
        GainWindow w(nullptr, h.context);
        w.findChild<QAction*>("ContentsHTML1")->trigger();
        QCOMPARE(h.dialogs.helpRequests.size(), 2);
        QCOMPARE(h.dialogs.helpRequests[1].context, 120);
    }
};

TAVORA_UI_TEST_MAIN(GainTest)
#include "gain_window_test.moc"
