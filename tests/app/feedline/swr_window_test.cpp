// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/feedline/swr_window.h"
#include "tool_test.h"

#include "temp_dir.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QListWidget>
#include <QProcess>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

namespace {

const QStringList kHeading{"CALCULATING SWR FOR VARIOUS INPUTS", "",
                           "SWR\tSWR\tCoax\tRev\tFwd\tUnits", "bridge\tantenna\tloss db"};
const QString kPlainRow = "1.50\t1.50\t0.00\t   4.00\t 100.00\twatts";

QString Label(QWidget* w, const char* name)
{
    return Find<QLabel>(w, name)->text();
}

} // namespace

class SwrTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_;
    TempDir folder_; // the program directory, with a cable file of our own
    std::unique_ptr<Harness> h_;
    std::unique_ptr<SwrWindow> w_;

    SwrWindow& Open()
    {
        h_ = std::make_unique<Harness>();
        h_->state.ProgramDir = folder_.Path().string();
        w_ = std::make_unique<SwrWindow>(nullptr, h_->context);
        w_->show();
        return *w_;
    }
    void Readings(const QString& reverse, const QString& forward)
    {
        Type(w_.get(), "Edit1", reverse);
        Type(w_.get(), "Edit2", forward);
        Click(w_.get(), "Button1");
    }
    QListWidget* Cables() { return Find<QListWidget>(w_.get(), "ListBox1"); }
    void ClickCable(int row)
    {
        Cables()->setCurrentRow(row);
        Cables()->itemClicked(Cables()->item(row));
    }
    // Coax compensate Yes, a band and a length, then a click on a cable.
    void PickCable(int band, const QString& length, int row)
    {
        Choose(w_.get(), "RadioGroup2Item0");
        Find<QComboBox>(w_.get(), "ComboBox1")->setCurrentIndex(band);
        Type(w_.get(), "Edit3", length);
        ClickCable(row);
    }

  private slots:
    void initTestCase()
    {
        std::ofstream(folder_.File("Coax.dta")) << "# test cables\n"
                                                   "Test cable B     144MHZ=5 432MHZ=9\n"
                                                   "Test cable A     50MHZ=2\n";
    }
    void cleanup()
    {
        w_.reset();
        h_.reset();
        QVERIFY(watchdog_.Failures().isEmpty());
    }

    void opensWithTheHeadingAndTheCableControlsHidden()
    {
        SwrWindow& w = Open();
        QCOMPARE(MemoLines(&w), kHeading);
        QVERIFY(!Cables()->isVisible() && !Find<QLineEdit>(&w, "Edit3")->isVisible());
        QCOMPARE(Label(&w, "VersionLabel"), QString(" Version 2.6.10"));
    }

    void rowsForEachMeasure_data()
    {
        QTest::addColumn<int>("measure");
        QTest::addColumn<QString>("reverse");
        QTest::addColumn<QString>("forward");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("label");
        QTest::newRow("power") << 0 << "4"
                               << "100" << kPlainRow << "Reverse watts";
        QTest::newRow("volts") << 1 << "2"
                               << "10"
                               << "1.50\t1.50\t0.00\t   2.00\t  10.00\tvolts"
                               << "Reverse volts";
        QTest::newRow("ohms") << 3 << "75"
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
        QFETCH(QString, label);
        SwrWindow& w = Open();
        Type(&w, "Edit1", "1");
        Choose(&w, qPrintable(QString("RadioGroup1Item%1").arg(measure)));
        QVERIFY(Find<QLineEdit>(&w, "Edit1")->text().isEmpty());
        QCOMPARE(Label(&w, "Label7"), label);
        Readings(reverse, forward);
        QCOMPARE(MemoLines(&w), kHeading + QStringList{Typed(row)});
        QVERIFY(Label(&w, "Label12").isEmpty());
    }

    void aReadingThatIsNoNumberLeavesTheMemo()
    {
        SwrWindow& w = Open();
        Readings("4", "lots");
        QCOMPARE(h_->dialogs.MessageTexts(),
                 QStringList{"'lots' is not a valid floating point value"});
        QCOMPARE(MemoLines(&w), kHeading);
        Choose(&w, "RadioGroup1Item3"); // a negative resistance is refused too
        Readings("50", "-75");
        QCOMPARE(h_->dialogs.MessageTexts().last(), QString("High impedance cannot be negative"));
        Readings("0", "75"); // and a line of no ohms
        QCOMPARE(h_->dialogs.MessageTexts().last(), QString("Low impedance box empty or zero!"));
        QCOMPARE(MemoLines(&w), kHeading);
        Readings("50", "75");
        QCOMPARE(MemoLines(&w).size(), 5);
    }

    void coaxLossCorrectsSwrAndPower()
    {
        SwrWindow& w = Open();
        PickCable(1, "20", 1); // "Test cable B" at 144 MHz: 5 dB per 100 ft
        QCOMPARE(Label(&w, "Label11"), Typed("Coax lost= 3.28 dB"));
        Readings("4", "100");
        QCOMPARE(MemoLines(&w).last(), Typed("1.50\t2.48\t3.28\t   4.00\t 100.00\twatts"));
        QCOMPARE(Label(&w, "Label12"),
                 Typed("100 watts at bottom of coax delivers 46.99 watts to antenna"));
        Type(&w, "Edit3", Typed("30.48")); // the loss follows the length at once
        QCOMPARE(Label(&w, "Label11"), QString("Coax lost= 5 dB"));
        QVERIFY(h_->dialogs.messages.isEmpty());
    }

    void typingTheLengthSaysNothingUntilCalculate()
    {
        SwrWindow& w = Open();
        PickCable(1, "20", 1);
        TypeKeys(&w, "Edit3", "1e300"); // "1e" is no number yet, 1e300 m no loss
        QVERIFY(h_->dialogs.messages.isEmpty());
        Readings("4", "100");
        QCOMPARE(h_->dialogs.MessageTexts(), QStringList{"Invalid floating point operation"});
        QCOMPARE(MemoLines(&w), kHeading);
        TypeKeys(&w, "Edit3", "20x"); // no number under any locale
        QCOMPARE(h_->dialogs.messages.size(), 1);
        QCOMPARE(Label(&w, "Label11"), Typed("Coax lost= 3.28 dB"));
        Readings("4", "100"); // the box as it is when Calculate is pressed
        QCOMPARE(h_->dialogs.MessageTexts().last(),
                 QString("'20x' is not a valid floating point value"));
        TypeKeys(&w, "Edit3", "20");
        Readings("4", "100");
        QCOMPARE(MemoLines(&w).last(), Typed("1.50\t2.48\t3.28\t   4.00\t 100.00\twatts"));
    }

    void arrowKeysChooseTheCableAsAClickDoes()
    {
        SwrWindow& w = Open();
        PickCable(1, "20", 1);
        QCOMPARE(Label(&w, "Label11"), Typed("Coax lost= 3.28 dB"));
        Cables()->setFocus();
        QTest::keyClick(Cables(), Qt::Key_Up); // "Test cable A": nothing for 144 MHz
        QCOMPARE(h_->dialogs.MessageTexts(),
                 QStringList{"No data for loss at this frequency - coax unsuitable?"});
        QCOMPARE(Label(&w, "Label11"), QString("Coax loss"));
    }

    void aVeryLargeSwrKeepsItsRowInTheColumns()
    {
        SwrWindow& w = Open();
        Readings("100", "100"); // equal readings: an SWR of hundreds of millions
        auto* memo = Find<QPlainTextEdit>(&w, "Memo1");
        const QString swr = MemoLines(&w).last().section('\t', 0, 0);
        QVERIFY2(swr.size() > 8, qPrintable(swr));
        const qreal stop = memo->tabStopDistance();
        QVERIFY(stop > QFontMetricsF(memo->font()).horizontalAdvance(swr));
        // The stops follow the font when the scaler grows it.
        QFont bigger = memo->font();
        bigger.setPixelSize(bigger.pixelSize() * 2);
        memo->setFont(bigger);
        QVERIFY(memo->tabStopDistance() > 1.8 * stop);
    }

    void aCableWithoutTheBandGivesNAUntilCompensationEnds()
    {
        SwrWindow& w = Open();
        PickCable(1, "20", 0); // "Test cable A" has only 50MHZ
        QCOMPARE(h_->dialogs.MessageTexts(),
                 QStringList{"No data for loss at this frequency - coax unsuitable?"});
        Readings("4", "100");
        Readings("4", "100");
        QCOMPARE(MemoLines(&w).last(), Typed("1.50\tN/A\tN/A\t   4.00\t 100.00\twatts"));
        QCOMPARE(Cables()->currentRow(), -1);
        Choose(&w, "RadioGroup2Item1");
        Readings("4", "100");
        QCOMPARE(MemoLines(&w).last(), Typed(kPlainRow));
    }

    void yesNoYesListsEachCableOnceAndAsksForTheBandFirst()
    {
        SwrWindow& w = Open();
        Choose(&w, "RadioGroup2Item0");
        Choose(&w, "RadioGroup2Item1");
        QCOMPARE(Cables()->count(), 0);
        Choose(&w, "RadioGroup2Item0");
        QCOMPARE(Cables()->count(), 2);
        QCOMPARE(Cables()->item(0)->text(), QString("Test cable A     50MHZ=2"));
        ClickCable(0);
        QCOMPARE(h_->dialogs.MessageTexts(), QStringList{"You must select frequency first"});
        QCOMPARE(Cables()->currentRow(), -1);
    }

    void aMissingCableFileIsReported()
    {
        SwrWindow& w = Open();
        TempDir empty;
        h_->state.ProgramDir = empty.Path().string();
        Choose(&w, "RadioGroup2Item0");
        QCOMPARE(h_->dialogs.MessageTexts(),
                 QStringList{"File called 'Coax.dta' does not exist, see help file"});
        QCOMPARE(Cables()->count(), 0);
        Readings("4", "100");
        QCOMPARE(MemoLines(&w).last(), Typed(kPlainRow));
    }

    void printingWritesTheMemoAndBreaksThePageAfterLine48()
    {
        SwrWindow& w = Open();
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
        QVERIFY(pages[0].contains(QRegularExpression("CALCULATING SWR FOR VARIOUS INPUTS\\s+"
                                                     "SWR\\s+SWR\\s+Coax\\s+Rev\\s+Fwd\\s+Units")));
        // Memo lines 4 to 48 on the first page, the five after them on the second.
        QCOMPARE(pages[0].count(QRegularExpression(
                     "1[.,]50\\s+1[.,]50\\s+0[.,]00\\s+4[.,]00\\s+100[.,]00\\s+watts")),
                 45);
        QCOMPARE(pages.value(1).count("watts"), 5);
    }

    void cancelledPrintStillOffersToClear()
    {
        SwrWindow& w = Open();
        Readings("4", "100");
        h_->dialogs.printers.push_back(nullptr);
        h_->dialogs.answers.push_back(QMessageBox::Yes);
        Click(&w, "Button2");
        QCOMPARE(MemoLines(&w), kHeading);
    }
};

TAVORA_UI_TEST_MAIN(SwrTest)
#include "swr_window_test.moc"
