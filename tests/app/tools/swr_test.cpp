#include "swr.h"
#include "tool_test.h"

#include "temp_dir.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProcess>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

namespace {

const QString kHeading[] = {"CALCULATING SWR FOR VARIOUS INPUTS", "",
                            "SWR\tSWR\tCoax\tRev\tFwd\tUnits", "bridge\tantenna\tloss db"};

// A program directory with a small cable file of our own.
struct CoaxFolder {
    TempDir dir;
    CoaxFolder()
    {
        std::ofstream(dir.File("Coax.dta")) << "# test cables\n"
                                               "Test cable B     144MHZ=5 432MHZ=9\n"
                                               "Test cable A     50MHZ=2\n";
    }
};

QString Label(QWidget* w, const char* name)
{
    return Find<QLabel>(w, name)->text();
}

} // namespace

class SwrTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_;
    std::unique_ptr<Harness> h_;
    std::unique_ptr<TForm1> w_;
    CoaxFolder coax_;

    TForm1& Open()
    {
        h_ = std::make_unique<Harness>();
        h_->state.ProgramDir = coax_.dir.Path().string();
        w_ = std::make_unique<TForm1>(nullptr, h_->context);
        w_->show();
        return *w_;
    }
    void Readings(const QString& reverse, const QString& forward)
    {
        Type(w_.get(), "Edit1", reverse);
        Type(w_.get(), "Edit2", forward);
        Click(w_.get(), "Button1");
    }
    // Coax compensate Yes, a band and a length, then a click on a cable.
    void PickCable(int band, const QString& length, int row)
    {
        Choose(w_.get(), "RadioGroup2Item0");
        Find<QComboBox>(w_.get(), "ComboBox1")->setCurrentIndex(band);
        Type(w_.get(), "Edit3", length);
        QListWidget* list = Find<QListWidget>(w_.get(), "ListBox1");
        list->setCurrentRow(row);
        list->itemClicked(list->item(row));
    }

  private slots:
    void cleanup()
    {
        w_.reset();
        h_.reset();
        QVERIFY2(watchdog_.Failures().isEmpty(), qPrintable(watchdog_.Failures().join('\n')));
    }

    void opensWithTheHeadingAndTheCableControlsHidden()
    {
        TForm1& w = Open();
        QCOMPARE(MemoLines(&w), QStringList(std::begin(kHeading), std::end(kHeading)));
        QVERIFY(!Find<QListWidget>(&w, "ListBox1")->isVisible());
        QVERIFY(!Find<QLineEdit>(&w, "Edit3")->isVisible());
        QCOMPARE(Label(&w, "VersionLabel"), QString(" Version 2.6.8"));
        QCOMPARE(w.windowTitle(), QString("SWR calculations"));
    }

    void rowsForEachMeasure_data()
    {
        QTest::addColumn<int>("measure");
        QTest::addColumn<QString>("reverse");
        QTest::addColumn<QString>("forward");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("firstLabel");
        QTest::newRow("power without coax") << 0 << "4"
                                            << "100"
                                            << "1.50\t1.50\t0.00\t   4.00\t 100.00\twatts"
                                            << "Reverse watts";
        QTest::newRow("no reverse power") << 0 << "0"
                                          << "100"
                                          << "1.00\t1.00\t0.00\t   0.00\t 100.00\twatts"
                                          << "Reverse watts";
        QTest::newRow("volts") << 1 << "2"
                               << "10"
                               << "1.50\t1.50\t0.00\t   2.00\t  10.00\tvolts"
                               << "Reverse volts";
        QTest::newRow("milliamps") << 2 << "10"
                                   << "50"
                                   << "1.50\t1.50\t0.00\t  10.00\t  50.00\tmA"
                                   << "Reverse mA";
        QTest::newRow("ohms either way") << 3 << "75"
                                         << "50"
                                         << "1.50\t1.50\t0.00\t  75.00\t  50.00\tohms"
                                         << "Low impedance";
    }
    void rowsForEachMeasure()
    {
        QFETCH(int, measure);
        QFETCH(QString, reverse);
        QFETCH(QString, forward);
        QFETCH(QString, row);
        QFETCH(QString, firstLabel);
        TForm1& w = Open();
        Type(&w, "Edit1", "1");
        Choose(&w, qPrintable(QString("RadioGroup1Item%1").arg(measure)));
        QVERIFY(Find<QLineEdit>(&w, "Edit1")->text().isEmpty());
        QCOMPARE(Label(&w, "Label7"), firstLabel);
        Readings(reverse, forward);
        QCOMPARE(MemoLines(&w).size(), 5);
        QCOMPARE(MemoLines(&w).last(), row);
        QVERIFY(Label(&w, "Label12").isEmpty());
    }

    void equalReadingsGiveAHugeSwrNotAnError()
    {
        TForm1& w = Open();
        Readings("100", "100");
        QVERIFY(h_->dialogs.messages.isEmpty());
        QVERIFY(MemoLines(&w).last().section('\t', 0, 0).toDouble() > 1e6);
    }

    void aReadingThatIsNoNumberLeavesTheMemo()
    {
        TForm1& w = Open();
        Readings("4", "lots");
        QCOMPARE(h_->dialogs.MessageTexts(),
                 QStringList{"'lots' is not a valid floating point value"});
        QCOMPARE(MemoLines(&w).size(), 4);
        Readings("4", "100");
        QCOMPARE(MemoLines(&w).size(), 5);
    }

    void coaxLossCorrectsSwrAndPower()
    {
        TForm1& w = Open();
        PickCable(1, "20", 1); // "Test cable B", 144MHZ=5
        QCOMPARE(Label(&w, "Label11"), QString("Coax lost= 3.28 dB"));
        Readings("4", "100");
        QCOMPARE(MemoLines(&w).last(), QString("1.50\t2.48\t3.28\t   4.00\t 100.00\twatts"));
        QCOMPARE(Label(&w, "Label12"),
                 QString("100 watts at bottom of coax delivers 46.99 watts to antenna"));
        Type(&w, "Edit3", "30.48"); // editing the length recomputes at once
        QCOMPARE(Label(&w, "Label11"), QString("Coax lost= 5 dB"));
        QVERIFY(h_->dialogs.messages.isEmpty());
    }

    void aCableWithoutTheBandGivesNA()
    {
        TForm1& w = Open();
        PickCable(1, "20", 0); // "Test cable A" has only 50MHZ
        QCOMPARE(h_->dialogs.MessageTexts(),
                 QStringList{"No data for loss at this frequency - coax unsuitable?"});
        QCOMPARE(Label(&w, "Label11"), QString("Coax loss"));
        Readings("4", "100");
        QCOMPARE(MemoLines(&w).last(), QString("1.50\tN/A\tN/A\t   4.00\t 100.00\twatts"));
        QCOMPARE(Find<QListWidget>(&w, "ListBox1")->currentRow(), -1);
        Readings("4", "100");
        QVERIFY(MemoLines(&w).last().contains("N/A")); // until another cable is picked
        Choose(&w, "RadioGroup2Item1");
        Readings("4", "100");
        QCOMPARE(MemoLines(&w).last(), QString("1.50\t1.50\t0.00\t   4.00\t 100.00\twatts"));
    }

    void aCableBeforeTheBandAsksForTheBand()
    {
        TForm1& w = Open();
        Choose(&w, "RadioGroup2Item0");
        QListWidget* list = Find<QListWidget>(&w, "ListBox1");
        list->setCurrentRow(0);
        list->itemClicked(list->item(0));
        QCOMPARE(h_->dialogs.MessageTexts(), QStringList{"You must select frequency first"});
        QCOMPARE(list->currentRow(), -1);
    }

    void yesNoYesListsEachCableOnce()
    {
        TForm1& w = Open();
        Choose(&w, "RadioGroup2Item0");
        QVERIFY(Find<QListWidget>(&w, "ListBox1")->isVisible());
        Choose(&w, "RadioGroup2Item1");
        QCOMPARE(Find<QListWidget>(&w, "ListBox1")->count(), 0);
        Choose(&w, "RadioGroup2Item0");
        QListWidget* list = Find<QListWidget>(&w, "ListBox1");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QString("Test cable A     50MHZ=2"));
    }

    void aMissingCableFileIsReported()
    {
        TForm1& w = Open();
        TempDir empty;
        h_->state.ProgramDir = empty.Path().string();
        Choose(&w, "RadioGroup2Item0");
        QCOMPARE(h_->dialogs.MessageTexts(),
                 QStringList{"File called 'Coax.dta' does not exist, see help file"});
        QCOMPARE(Find<QListWidget>(&w, "ListBox1")->count(), 0);
        Readings("4", "100");
        QCOMPARE(MemoLines(&w).last(), QString("1.50\t1.50\t0.00\t   4.00\t 100.00\twatts"));
    }

    void printingWritesTheMemoAndBreaksThePageAfterLine48()
    {
        TForm1& w = Open();
        for (int i = 0; i < 50; ++i)
            Readings("4", "100");
        TempDir out;
        const QString pdf = QString::fromStdString(out.File("swr.pdf"));
        h_->dialogs.printers.push_back(ScriptedDialogs::PdfPrinter(pdf));
        h_->dialogs.answers.push_back(QMessageBox::No);
        Click(&w, "Button2");
        QCOMPARE(h_->dialogs.MessageTexts(), QStringList{"Do you want to clear the memo field?"});
        QCOMPARE(MemoLines(&w).size(), 54);

        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(text.waitForFinished(20000));
        const QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split('\f');
        QVERIFY(pages.size() >= 2);
        QVERIFY(pages[0].contains("CALCULATING SWR FOR VARIOUS INPUTS"));
        QVERIFY(pages[0].contains("bridge"));
        // Memo lines 4 to 48 on the first page, the five after them on the second.
        QCOMPARE(pages[0].count("watts"), 45);
        QCOMPARE(pages[1].count("watts"), 5);
        QVERIFY(pages[1].contains(
            QRegularExpression("1\\.50\\s+1\\.50\\s+0\\.00\\s+4\\.00\\s+100\\.00\\s+watts")));
    }

    void cancelledPrintStillOffersToClear()
    {
        TForm1& w = Open();
        Readings("4", "100");
        h_->dialogs.printers.push_back(nullptr);
        h_->dialogs.answers.push_back(QMessageBox::Yes);
        Click(&w, "Button2");
        QCOMPARE(MemoLines(&w), QStringList(std::begin(kHeading), std::end(kHeading)));
    }

    void htmlHelpGoesStraightToTopic70()
    {
        TForm1& w = Open();
        w.findChild<QAction*>("ContentsHTML1")->trigger();
        QCOMPARE(h_->dialogs.helpRequests.size(), 1);
        QCOMPARE(h_->dialogs.helpRequests[0].context, 70);
    }
};

TAVORA_UI_TEST_MAIN(SwrTest)
#include "swr_test.moc"
