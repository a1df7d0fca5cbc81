#include "impedance.h"
#include "tool_test.h"

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
    void cleanup()
    {
        QVERIFY2(watchdog_.Failures().isEmpty(), qPrintable(watchdog_.Failures().join('\n')));
    }

    void opensWithTheImpedanceUnknownAndResultsHidden()
    {
        Harness h;
        TForm2 w(nullptr, h.context);
        QVERIFY(Shown(&w, "Edit1") && Shown(&w, "Edit2"));
        QVERIFY(!Shown(&w, "Edit3") && !Shown(&w, "Label16"));
        QVERIFY(!Shown(&w, "Edit8") && !Shown(&w, "Edit9") && !Shown(&w, "Label8"));
        QCOMPARE(Find<QLabel>(&w, "Label15")->text(), QString("Centre to centre (mm)"));
    }

    void rodsCalculation_data()
    {
        QTest::addColumn<int>("unknown");
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("spacing");
        QTest::addColumn<QString>("impedance");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("message");
        const QString round = "Calculated Impedance outside range of algorithms (45-175 ohms)";
        QTest::newRow("initial round rods") << 0 << 0 << "9.5"
                                            << "12.8"
                                            << ""
                                            << "99.8"
                                            << "";
        QTest::newRow("initial square rods") << 0 << 1 << "9.5"
                                             << "12.8"
                                             << ""
                                             << "162.0"
                                             << "";
        QTest::newRow("round diameter for 100 ohms") << 1 << 0 << ""
                                                     << "12.8"
                                                     << "100"
                                                     << "9.5"
                                                     << "";
        QTest::newRow("round spacing for 100 ohms") << 2 << 0 << "9.5"
                                                    << ""
                                                    << "100"
                                                    << "12.8"
                                                    << "";
        QTest::newRow("200 ohms round is out of range") << 1 << 0 << ""
                                                        << "12.8"
                                                        << "200"
                                                        << "Out of range" << round;
        QTest::newRow("square gap for 300 ohms") << 2 << 1 << "9.5"
                                                 << ""
                                                 << "300"
                                                 << "56.9"
                                                 << "";
        QTest::newRow("30 ohms round stops at the first step") << 1 << 0 << ""
                                                               << "12.8"
                                                               << "30"
                                                               << "12.2" << round;
    }
    void rodsCalculation()
    {
        QFETCH(int, unknown);
        QFETCH(int, section);
        QFETCH(QString, size);
        QFETCH(QString, spacing);
        QFETCH(QString, impedance);
        QFETCH(QString, result);
        QFETCH(QString, message);
        Harness h;
        TForm2 w(nullptr, h.context);
        Choose(&w, qPrintable(QString("RadioGroup1Item%1").arg(unknown)));
        Choose(&w, qPrintable(QString("RadioGroup2Item%1").arg(section)));
        const char* boxes[] = {"Edit3", "Edit1", "Edit2"}; // by unknown
        QVERIFY(!Shown(&w, boxes[unknown]));
        for (const char* box : boxes)
            if (box != boxes[unknown])
                QVERIFY(Shown(&w, box));
        if (!size.isEmpty())
            Type(&w, "Edit1", size);
        if (!spacing.isEmpty())
            Type(&w, "Edit2", spacing);
        if (!impedance.isEmpty())
            Type(&w, "Edit3", impedance);
        Click(&w, "Button1");
        QVERIFY(Shown(&w, boxes[unknown]));
        QCOMPARE(Box(&w, boxes[unknown]), result);
        QCOMPARE(Find<QLabel>(&w, "Label17")->text(), message);
        QVERIFY(h.dialogs.messages.isEmpty());
    }

    void squareRodsNameTheGap()
    {
        Harness h;
        TForm2 w(nullptr, h.context);
        Choose(&w, "RadioGroup2Item1");
        QCOMPARE(Find<QLabel>(&w, "Label15")->text(), QString("Face to face (mm)"));
    }

    void quarterWave_data()
    {
        QTest::addColumn<QString>("velocityFactor");
        QTest::addColumn<QString>("length");
        QTest::newRow("air line") << "1.0"
                                  << "520.5";
        QTest::newRow("velocity factor 0.66") << "0.66"
                                              << "343.5";
    }
    void quarterWave()
    {
        QFETCH(QString, velocityFactor);
        QFETCH(QString, length);
        Harness h;
        TForm2 w(nullptr, h.context);
        Type(&w, "Edit7", velocityFactor);
        Click(&w, "Button2");
        QVERIFY(Shown(&w, "Edit8") && Shown(&w, "Label9"));
        QCOMPARE(Box(&w, "Edit8"), length);
        QCOMPARE(Box(&w, "Edit9"), QString("100.0"));
    }

    void badBoxesShowTheirMessage_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("rod spacing not a number") << "Edit2"
                                                  << "x"
                                                  << "Button1"
                                                  << "Error in one of the entry boxes";
        QTest::newRow("zero round diameter") << "Edit1"
                                             << "0"
                                             << "Button1"
                                             << "Floating point division by zero";
        QTest::newRow("frequency not a number") << "Edit4"
                                                << ""
                                                << "Button2"
                                                << "Error in one of the entry boxes";
        QTest::newRow("zero frequency") << "Edit4"
                                        << "0"
                                        << "Button2"
                                        << "Floating point division by zero";
        QTest::newRow("negative impedance product") << "Edit5"
                                                    << "-200"
                                                    << "Button2"
                                                    << "Invalid floating point operation";
    }
    void badBoxesShowTheirMessage()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, button);
        QFETCH(QString, message);
        Harness h;
        TForm2 w(nullptr, h.context);
        Type(&w, qPrintable(box), text);
        Click(&w, qPrintable(button));
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{message});
        // The window goes on.
        Type(&w, qPrintable(box), box == "Edit5" ? "200" : "12.8");
        Click(&w, qPrintable(button));
        QCOMPARE(h.dialogs.messages.size(), 1);
    }

    void helpEntries()
    {
        Harness h;
        TForm2 w(nullptr, h.context);
        w.findChild<QAction*>("ContentsHTML1")->trigger();
        w.findChild<QAction*>("Contents1")->trigger();
        QCOMPARE(h.dialogs.helpRequests.size(), 3);
        QCOMPARE(h.dialogs.helpRequests[0].context, 135);
        QCOMPARE(h.dialogs.helpRequests[1].command, HelpCommand::Finder);
        QCOMPARE(h.dialogs.helpRequests[2].command, HelpCommand::Finder);
        QVERIFY(h.dialogs.helpRequests[2].file.endsWith("Tavora.hlp"));
    }
};

TAVORA_UI_TEST_MAIN(ImpedanceTest)
#include "impedance_test.moc"
