// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/feedline/impedance_window.h"
#include "tool_test.h"

#include <QAction>
#include <QLabel>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

namespace {

bool Shown(QWidget* w, const char* name)
{
    return !Find<QWidget>(w, name)->isHidden();
}
QString Box(QWidget* w, const char* name)
{
    return Find<QLineEdit>(w, name)->text();
}

} // namespace

class ImpedanceTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_;

  private slots:
    void cleanup() { QVERIFY(watchdog_.Failures().isEmpty()); }

    void opensWithTheImpedanceUnknownAndResultsHidden()
    {
        Harness h;
        ImpedanceWindow w(nullptr, h.context);
        QVERIFY(Shown(&w, "Edit1") && Shown(&w, "Edit2"));
        QVERIFY(!Shown(&w, "Edit3") && !Shown(&w, "Label16"));
        QVERIFY(!Shown(&w, "Edit8") && !Shown(&w, "Edit9") && !Shown(&w, "Label8"));
        QCOMPARE(Find<QLabel>(&w, "Label15")->text(), QString("Centre to centre (mm)"));
        Choose(&w, "RadioGroup2Item1");
        QCOMPARE(Find<QLabel>(&w, "Label15")->text(), QString("Face to face (mm)"));
    }

    void rodsCalculation_data()
    {
        QTest::addColumn<int>("unknown");
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("known"); // the box that is neither unknown nor default
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("round impedance") << 0 << 0 << ""
                                         << "99.8"
                                         << "";
        QTest::newRow("square impedance") << 0 << 1 << ""
                                          << "162.0"
                                          << "";
        QTest::newRow("round spacing") << 2 << 0 << ""
                                       << "12.8"
                                       << "";
        QTest::newRow("round 200 ohms") << 1 << 0 << "200"
                                        << "Out of range"
                                        << "Calculated Impedance outside range of algorithms "
                                           "(45-175 ohms)";
    }
    void rodsCalculation()
    {
        QFETCH(int, unknown);
        QFETCH(int, section);
        QFETCH(QString, known);
        QFETCH(QString, result);
        QFETCH(QString, message);
        Harness h;
        ImpedanceWindow w(nullptr, h.context);
        Choose(&w, qPrintable(QString("RadioGroup1Item%1").arg(unknown)));
        Choose(&w, qPrintable(QString("RadioGroup2Item%1").arg(section)));
        const char* boxes[] = {"Edit3", "Edit1", "Edit2"}; // by unknown
        for (int i = 0; i < 3; ++i)
            QCOMPARE(Shown(&w, boxes[i]), i != unknown);
        if (!known.isEmpty())
            Type(&w, "Edit3", known);
        Click(&w, "Button1");
        QVERIFY(Shown(&w, boxes[unknown]));
        QCOMPARE(Box(&w, boxes[unknown]), Typed(result));
        QCOMPARE(Find<QLabel>(&w, "Label17")->text(), message);
        QVERIFY(h.dialogs.messages.isEmpty());
    }

    void quarterWave()
    {
        Harness h;
        ImpedanceWindow w(nullptr, h.context);
        Click(&w, "Button2");
        QVERIFY(Shown(&w, "Edit8") && Shown(&w, "Label9"));
        QCOMPARE(Box(&w, "Edit8") + " " + Box(&w, "Edit9"), Typed("520.5 100.0"));
    }

    void badBoxesShowTheirMessage_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("rods") << "Edit2"
                              << "x"
                              << "Button1"
                              << "Error in one of the entry boxes";
        QTest::newRow("zero frequency is refused naming the box")
            << "Edit4"
            << "0"
            << "Button2"
            << "Frequency (MHz) box empty or zero!";
        QTest::newRow("rods that overlap")
            << "Edit2"
            << "5"
            << "Button1"
            << "Centre to centre (mm) must be above the Cross section (mm), 9.5 mm: closer, the "
               "rods overlap";
        QTest::newRow("negative spacing is refused naming the box")
            << "Edit2"
            << "-12.8"
            << "Button1"
            << "Centre to centre (mm) cannot be negative";
        QTest::newRow("negative frequency is refused naming the box")
            << "Edit4"
            << "-144"
            << "Button2"
            << "Frequency (MHz) cannot be negative";
        QTest::newRow("zero output impedance is refused naming the box")
            << "Edit6"
            << "0"
            << "Button2"
            << "Output impedance (ohms) box empty or zero!";
    }
    void badBoxesShowTheirMessage()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, button);
        QFETCH(QString, message);
        Harness h;
        ImpedanceWindow w(nullptr, h.context);
        Type(&w, qPrintable(box), Typed(text));
        Click(&w, qPrintable(button));
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{Typed(message)});
        Type(&w, qPrintable(box), Typed("12.8")); // and the window goes on
        Click(&w, qPrintable(button));
        QCOMPARE(h.dialogs.messages.size(), 1);
    }

    void helpEntries()
    {
        Harness h;
        ImpedanceWindow w(nullptr, h.context);
        w.findChild<QAction*>("ContentsHTML1")->trigger();
        w.findChild<QAction*>("Contents1")->trigger();
        QCOMPARE(h.dialogs.helpRequests.size(), 3);
        QCOMPARE(h.dialogs.helpRequests[0].context, 135);
        QCOMPARE(h.dialogs.helpRequests[2].command, HelpCommand::Finder);
    }
};

TAVORA_UI_TEST_MAIN(ImpedanceTest)
#include "impedance_window_test.moc"
