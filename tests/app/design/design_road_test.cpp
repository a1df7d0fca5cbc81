// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design/design_entry_window.h"
#include "app/design/results_window.h"
#include "app/feedline/balun_window.h"
#include "app/shell/app_context.h"
#include "app/shell/main_window.h"
#include "ui_test.h"

#include "design/entry.h"
#include "design/report.h"
#include "state/design_state.h"
#include "state/errors.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMenu>
#include <QPageSize>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace tavora;
using namespace tavora::app;

namespace {

QString Cli(const QStringList& args)
{
    QProcess cli;
    cli.start(QStringLiteral(TAVORA_CLI), args);
    cli.waitForFinished();
    return QString::fromUtf8(cli.readAllStandardOutput());
}

// The text of a PDF as pdftotext lays it out.
QString PdfText(const QString& path, const QStringList& options = {QStringLiteral("-layout")})
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), options + QStringList{path, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QLineEdit* Box(QWidget* w, const char* name)
{
    return w->findChild<QLineEdit*>(name);
}

void Click(QWidget* w, const char* name)
{
    w->findChild<QPushButton*>(name)->click();
}

void ChooseCoax(DesignEntryWindow& entry, int row)
{
    auto* list = entry.findChild<QListWidget*>("ListBox1");
    list->setCurrentRow(row);
    emit list->itemClicked(list->item(row));
}

// Shows the screen and types the frequency into its box, then leaves it for
// the director count, as a person does first.
void EnterFrequency(DesignEntryWindow& entry, const QString& freq)
{
    entry.show();
    QVERIFY(QTest::qWaitForWindowActive(&entry));
    Box(&entry, "Edit1")->setFocus();
    Box(&entry, "Edit1")->setText(freq);
    Box(&entry, "Edit2")->setFocus(); // focus leaves the frequency box
}

QString CoaxStatus(DesignEntryWindow& entry)
{
    return entry.findChild<QLabel*>("CoaxStatus")->text();
}

// Presses Calculate; `onResults` runs on the results window once its report is built.
void Calculate(DesignEntryWindow& entry, std::function<void(ResultsWindow&)> onResults)
{
    test::WhenModalOpens([onResults](QWidget* modal) {
        auto* results = qobject_cast<ResultsWindow*>(modal);
        QVERIFY(results);
        QTRY_VERIFY(!results->ReportBox()->toPlainText().isEmpty());
        onResults(*results);
        results->close();
    });
    Click(&entry, "Button1");
}

} // namespace

class DesignRoadTest : public test::FolderTest {
    Q_OBJECT

  private slots:
    void designYagiIsOnTheTaskMenu()
    {
        test::Harness h;
        RegisterWindows(h.registry);
        MainWindow main(h.context);
        QVERIFY(main.findChild<QAction*>("Design_yagi")->isEnabled());
        QString title;
        test::WhenModalOpens([&](QWidget* modal) {
            title = modal->windowTitle();
            QVERIFY(!modal->findChild<QMenu*>("File1")->menuAction()->isVisible());
            QVERIFY(!modal->findChild<QMenu*>("Task1")->menuAction()->isVisible());
            QVERIFY(modal->findChild<QMenu*>("Help1")->menuAction()->isVisible());
            modal->close();
        });
        main.findChild<QAction*>("Design_yagi")->trigger();
        QCOMPARE(title, QStringLiteral("Design Yagi"));
    }

    void defaultValuesGiveTheCommandLinesReport()
    {
        test::Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        entry.show();
        QCOMPARE(Box(&entry, "Edit1")->text(), test::Typed("144.1"));
        QCOMPARE(Box(&entry, "Edit2")->text(), QStringLiteral("8"));
        QCOMPARE(Box(&entry, "Edit8")->text(), QStringLiteral("15"));
        // The form's own choices: round boom, non-metal, fully insulated dipole.
        QVERIFY(entry.findChild<QRadioButton*>("RadioGroup1Item1")->isChecked());
        QVERIFY(entry.findChild<QRadioButton*>("RadioGroup2Item2")->isChecked());
        QVERIFY(entry.findChild<QRadioButton*>("RadioGroup5Item1")->isChecked());
        QString report;
        Calculate(entry, [&](ResultsWindow& r) { report = r.ReportBox()->toPlainText(); });
        QCOMPARE(report, test::Typed(Cli({"design"})));
        QCOMPARE(h.state.DesignEntry[11], std::string("12001"));
        // Every shape has its sizes at the first opening: a square calculates.
        entry.findChild<QRadioButton*>("RadioGroup4Item1")->click();
        Calculate(entry, [&](ResultsWindow& r) { report = r.ReportBox()->toPlainText(); });
        QVERIFY(report.contains("Director/reflector square section =7 mm\n"));
        QVERIFY(h.dialogs.messages.isEmpty());
    }

    void theScreenAndTheCommandLineGiveOneDesign_data()
    {
        QTest::addColumn<QString>("freq");
        QTest::addColumn<QString>("directors");
        QTest::newRow("50 MHz") << "50"
                                << "6";
        QTest::newRow("144.1 MHz") << "144.1"
                                   << "8";
        QTest::newRow("432 MHz") << "432"
                                 << "20";
        QTest::newRow("1296 MHz") << "1296"
                                  << "25";
        QTest::newRow("2320 MHz") << "2320"
                                  << "30";
    }
    void theScreenAndTheCommandLineGiveOneDesign()
    {
        QFETCH(QString, freq);
        QFETCH(QString, directors);
        test::Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        // Only the frequency and the director count typed, as a new user does,
        // with the user's separator: under de_DE.UTF-8 "144,1", and the report
        // comes with commas.
        EnterFrequency(entry, test::Typed(freq));
        Box(&entry, "Edit2")->setText(directors);
        QString report;
        Calculate(entry, [&](ResultsWindow& r) { report = r.ReportBox()->toPlainText(); });
        QCOMPARE(h.state.DesignFreq, freq.toDouble());
        QVERIFY(report.contains("Yagi design frequency ="));
        // The command line ends every report with a line end, as a text file
        // does; the box's text from 432 MHz up ends without one.
        if (!report.endsWith('\n'))
            report += '\n';
        QCOMPARE(report, test::Typed(Cli({"design", "--freq", freq, "--directors", directors})));
    }

    void impossibleEntriesAreRefusedNamingTheBox_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("negative frequency") << "Edit1"
                                            << "-5"
                                            << "Frequency in MHz cannot be negative";
        QTest::newRow("negative boom") << "Edit5"
                                       << "-25"
                                       << "Cross-section of boom mm cannot be negative";
        QTest::newRow("negative director diameter")
            << "ElementDiam"
            << "-7"
            << "Diameter of element (mm) of the directors/reflector cannot be negative";
        QTest::newRow("negative gap") << "Edit8"
                                      << "-1"
                                      << "Dipole gap at feed point mm cannot be negative";
        QTest::newRow("a frequency past the method")
            << "Edit1"
            << "30000"
            << "Frequency in MHz must be from 50 to 10500 MHz";
        QTest::newRow("no gap") << "Edit8"
                                << "0"
                                << "Dipole gap at feed point mm box empty or zero!";
        QTest::newRow("a bend past the dipole")
            << "Edit7"
            << "2000"
            << "Diameter of dipole bend mm must be below 985 mm, to leave a straight on the folded "
               "dipole of 1000 mm";
    }
    void impossibleEntriesAreRefusedNamingTheBox()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        test::Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        entry.show();
        const QString typed = Box(&entry, qPrintable(box))->text();
        Box(&entry, qPrintable(box))->setText(text);
        Click(&entry, "Button1"); // no results window opens: the watchdog would say
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{message});
        QVERIFY(entry.isVisible());
        Box(&entry, qPrintable(box))->setText(typed);
        QString report;
        Calculate(entry, [&](ResultsWindow& r) { report = r.ReportBox()->toPlainText(); });
        QVERIFY(report.contains("COMMENTS"));
        QCOMPARE(h.dialogs.messages.size(), 1);
    }

    // Calculate refuses what the engine would fail on; a design state it
    // fails on all the same (a bend of 0) keeps every button but Back shut.
    void aFailedReportShowsWhatWasWrittenAndRefusesEveryButton()
    {
        test::Harness h;
        DesignEntry e = FormDefaults();
        YagiDoCalculate(e, h.state);
        h.state.VelocityFactor = 0.66;
        h.state.BendDiam = 0;
        const QString error = QStringLiteral("Floating point division by zero");
        ResultsWindow r(nullptr, h.context);
        r.show();
        QTRY_COMPARE(h.dialogs.MessageTexts(), QStringList{error});
        QVERIFY(r.ReportBox()->toPlainText().endsWith("FOLDED DIPOLE CONSTRUCTION\n"));
        // Print, Create YO, Create .maa, Balun, Simulate: no dialog, no window.
        for (const char* button : {"Button1", "Button2", "Button4", "Button5", "Simulate"})
            Click(&r, button);
        QTRY_COMPARE(h.dialogs.MessageTexts(), QStringList(6, error));
        // Coming back to the window rebuilds the report, not the same box again.
        r.FormActivate();
        QCOMPARE(h.dialogs.messages.size(), 6);
        QCOMPARE(h.dialogs.unexpected, QStringList{});
        QVERIFY(h.dialogs.printNames.isEmpty());
        QVERIFY(h.dialogs.fileDialogs.isEmpty());
        QCOMPARE(h.dialogs.beeps, 0);
        QVERIFY(QDir(folder_.path()).entryList(QDir::Files).isEmpty());
    }

    void arrowKeysChooseTheCoaxAsAClickDoes()
    {
        test::Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        entry.show();
        QVERIFY(QTest::qWaitForWindowActive(&entry));
        auto* list = entry.findChild<QListWidget*>("ListBox1");
        // A mouse click is one choice: the user item asks once.
        list->scrollToItem(list->item(45));
        h.dialogs.prompts.push_back(test::Typed("0.82"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(45)).center());
        QCOMPARE(CoaxStatus(entry), test::Typed("4:1 balun uses velocity factor of 0.82"));
        QCOMPARE(h.dialogs.unexpected, QStringList{});
        QVERIFY(h.dialogs.prompts.empty());

        ChooseCoax(entry, 37); // RG-213, then five rows down by keyboard
        list->setFocus();
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentRow(), 42);
        QCOMPARE(CoaxStatus(entry), QStringLiteral("9913 (air PE)  4:1 balun"));
        QCOMPARE(h.state.VelocityFactor, 0.84);
        // A key that moves nothing does not make the program's own moves count.
        QTest::keyClick(list, Qt::Key_Left);
        QCoreApplication::processEvents();
        list->setCurrentRow(0);
        QCOMPARE(CoaxStatus(entry), QStringLiteral("9913 (air PE)  4:1 balun"));
        list->setCurrentRow(42);
        QString report;
        Calculate(entry, [&](ResultsWindow& r) { report = r.ReportBox()->toPlainText(); });
        QVERIFY2(report.contains(test::Typed("uses 0.84 velocity factor 9913 (air PE)  and is")),
                 qPrintable(report));
    }

    void leavingTheFrequencyBoxWritesTheBandDefaults_data()
    {
        QTest::addColumn<QString>("freq");
        // gap, bend, radiator size, director size, thicknesses, boom
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("432 MHz is the middle band")
            << "432" << QStringList{"10", "35", "6", "6", "2", "25"};
        QTest::newRow("1296 MHz is the top band")
            << "1296" << QStringList{"5", "25", "4", "4", "2", "15"};
        QTest::newRow("200 MHz is still the lowest band")
            << "200" << QStringList{"15", "50", "10", "7", "2", "25"};
        QTest::newRow("1000 MHz is the top band")
            << "1000" << QStringList{"5", "25", "4", "4", "2", "15"};
    }
    void leavingTheFrequencyBoxWritesTheBandDefaults()
    {
        QFETCH(QString, freq);
        QFETCH(QStringList, boxes);
        test::Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        EnterFrequency(entry, freq);
        QCOMPARE(Box(&entry, "Edit8")->text(), boxes[0]);
        QCOMPARE(Box(&entry, "Edit7")->text(), boxes[1]);
        QCOMPARE(Box(&entry, "RadiatorDiam")->text(), boxes[2]);
        QCOMPARE(Box(&entry, "RadiatorWidth")->text(), boxes[2]);
        QCOMPARE(Box(&entry, "ElementDiam")->text(), boxes[3]);
        QCOMPARE(Box(&entry, "ElementWidth")->text(), boxes[3]);
        QCOMPARE(Box(&entry, "ElementThick")->text(), boxes[4]);
        QCOMPARE(Box(&entry, "RadiatorThick")->text(), boxes[4]);
        QCOMPARE(Box(&entry, "Edit5")->text(), boxes[5]);
        QCOMPARE(Box(&entry, "Edit2")->text(), QStringLiteral("8"));
    }

    void aRefusedFrequencyChangesNothingAndIsSaidOnce_data()
    {
        QTest::addColumn<QString>("freq");
        QTest::addColumn<QString>("message");
        QTest::newRow("30000 MHz is out of range")
            << "30000"
            << "Frequency in MHz must be from 50 to 10500 MHz";
        QTest::newRow("an empty box names the box") << ""
                                                    << "Frequency in MHz box empty or zero!";
        // 432,1 under C and 432.1 under a comma locale: the other separator.
        const QString other = test::Typed("432.1") == "432.1" ? "432,1" : "432.1";
        QTest::newRow("the other separator is no number")
            << other << "Frequency in MHz must be a number, not '" + other + "'";
    }
    void aRefusedFrequencyChangesNothingAndIsSaidOnce()
    {
        QFETCH(QString, freq);
        QFETCH(QString, message);
        test::Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        const auto sizes = [&entry] {
            return Box(&entry, "Edit8")->text() + Box(&entry, "Edit5")->text();
        };
        const QString before = sizes();
        EnterFrequency(entry, freq);
        Box(&entry, "Edit1")->setFocus();
        Box(&entry, "Edit2")->setFocus(); // and again, unchanged
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{message});
        QCOMPARE(sizes(), before);
    }

    // The band comes when the box is left or Calculate is pressed, into the
    // boxes not typed since the last band.
    void aBandChangeKeepsTheSizesTyped()
    {
        test::Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        EnterFrequency(entry, "432");
        Box(&entry, "Edit5")->setText("30");
        Box(&entry, "Edit1")->setFocus();
        Box(&entry, "Edit1")->setText("1296"); // Enter, without leaving the box
        Calculate(entry, [](ResultsWindow&) {});
        QCOMPARE(h.state.DesignFreq, 1296.0);
        QCOMPARE(h.state.FeedGap, 5.0);
        QCOMPARE(static_cast<double>(h.state.BoomSize), 30.0);
        QVERIFY(h.dialogs.MessageTexts().isEmpty());
    }

    void coaxChoicesSetFactorNameAndStatus()
    {
        test::Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        QCOMPARE(CoaxStatus(entry), QStringLiteral("No coax selected for 4:1 balun"));
        ChooseCoax(entry, 37);
        QCOMPARE(CoaxStatus(entry), QStringLiteral("RG-213 (PE)  4:1 balun"));
        QCOMPARE(h.state.VelocityFactor, 0.66);
        ChooseCoax(entry, 42);
        QCOMPARE(h.state.CoaxName, std::string("9913 (air PE) "));
        QCOMPARE(h.state.VelocityFactor, 0.84);

        h.dialogs.prompts.push_back(test::Typed("0.82"));
        ChooseCoax(entry, 45);
        QCOMPARE(CoaxStatus(entry), test::Typed("4:1 balun uses velocity factor of 0.82"));
        QCOMPARE(h.state.VelocityFactor, 0.82);
        h.dialogs.prompts.push_back(test::Typed("1.2"));
        ChooseCoax(entry, 45);
        QCOMPARE(CoaxStatus(entry), QStringLiteral("Velocity factor not in range"));
        h.dialogs.prompts.push_back(std::nullopt); // cancelled: the default "0"
        ChooseCoax(entry, 45);
        QCOMPARE(CoaxStatus(entry), QStringLiteral("Velocity factor not in range"));
        QCOMPARE(h.dialogs.unexpected, QStringList{});
    }

    void shapesShowTheirSizeBoxesAndTheChoicesAreSaved()
    {
        test::Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        entry.show();
        QVERIFY(Box(&entry, "ElementDiam")->isVisible());
        QVERIFY(!Box(&entry, "ElementWidth")->isVisible());
        entry.findChild<QRadioButton*>("RadioGroup4Item2")->click(); // flat ribbon directors
        QVERIFY(!Box(&entry, "ElementDiam")->isVisible());
        QVERIFY(Box(&entry, "ElementWidth")->isVisible());
        QVERIFY(Box(&entry, "ElementThick")->isVisible());
        entry.findChild<QRadioButton*>("RadioGroup3Item1")->click(); // square radiator
        QVERIFY(!Box(&entry, "RadiatorDiam")->isVisible());
        QVERIFY(Box(&entry, "RadiatorWidth")->isVisible());
        QVERIFY(!Box(&entry, "RadiatorThick")->isVisible());
        entry.findChild<QRadioButton*>("RadioGroup1Item1")->click(); // round boom
        entry.findChild<QRadioButton*>("RadioGroup2Item1")->click(); // insulated
        entry.findChild<QRadioButton*>("RadioGroup5Item1")->click(); // fully insulated
        Box(&entry, "ElementWidth")->setText("10");
        Box(&entry, "ElementThick")->setText("2");
        Box(&entry, "RadiatorThick")->setText("2");
        QString report;
        Calculate(entry, [&](ResultsWindow& r) { report = r.ReportBox()->toPlainText(); });
        QCOMPARE(h.state.DesignEntry[11], std::string("11121"));
        QVERIFY(report.contains("Director/reflector strip =10 mm by 2 mm\n"));
        QVERIFY(report.contains("Radiator square section =10 mm\n"));
        QCOMPARE(h.state.ElementDiam, 6.712);
    }

    void aConversionErrorLeavesTheResultsWindowClosed()
    {
        test::Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        entry.show();
        Box(&entry, "Edit5")->setText("wide");
        Click(&entry, "Button1");
        QCOMPARE(h.dialogs.MessageTexts(),
                 QStringList{"'wide' is not a valid floating point value"});
        Box(&entry, "Edit2")->setText("101");
        Click(&entry, "Button1");
        QCOMPARE(h.dialogs.MessageTexts().last(),
                 QStringLiteral("Number of directors must be from 0 to 100"));
        QVERIFY(entry.isVisible()); // the window stays usable
    }

    void theBalunNeedsACoaxAndRenamesTheUserCoax()
    {
        test::Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        entry.show();
        Calculate(entry, [&](ResultsWindow& r) {
            Click(&r, "Button5");
            QCOMPARE(h.dialogs.MessageTexts(),
                     QStringList{"No coax selected or velocity factor out of range"});
        });

        h.dialogs.prompts.push_back(test::Typed("0.82"));
        ChooseCoax(entry, 45);
        QStringList reports;
        QString length, coax;
        Calculate(entry, [&](ResultsWindow& r) {
            reports << r.ReportBox()->toPlainText();
            test::WhenModalOpens([&](QWidget* modal) {
                auto* balun = qobject_cast<BalunWindow*>(modal);
                QVERIFY(balun);
                QTRY_VERIFY(!balun->LengthLabel()->text().isEmpty());
                length = balun->LengthLabel()->text();
                coax = balun->CoaxLabel()->text();
                balun->close();
            });
            Click(&r, "Button5");
            // Coming back rebuilds the report.
            QTRY_VERIFY(r.ReportBox()->toPlainText() != reports.first());
            reports << r.ReportBox()->toPlainText();
        });
        QCOMPARE(reports.size(), 2);
        QCOMPARE(length, QStringLiteral("853 mm"));
        QCOMPARE(coax, QStringLiteral("User defined coax"));
        QVERIFY(reports[0].contains("velocity factor coax and is 853 mm"));
        QString rebuilt = reports[0];
        rebuilt.replace("factor coax and", "factor User defined coax and");
        QCOMPARE(reports[1], rebuilt);
        QCOMPARE(h.state.CoaxName, std::string("User defined coax"));
    }

    void printingTheReportWritesItsLinesAndTheSketch()
    {
        test::Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        entry.show();
        const QString pdf = folder_.filePath("report.pdf");
        Calculate(entry, [&](ResultsWindow& r) {
            h.dialogs.printers.push_back(test::ScriptedDialogs::PdfPrinter(pdf));
            Click(&r, "Button1");
        });
        const QString text = PdfText(pdf);
        QVERIFY2(text.contains("TAVORA"), qPrintable(text));
        QVERIFY(text.contains(test::Typed("Yagi design frequency =144.10 MHz")));
        QVERIFY(text.contains("The total boom length is 4523 mm"));
        QVERIFY(text.contains("FOLDED DIPOLE CONSTRUCTION"));
        const QStringList lines = text.split('\n');
        const int a = lines.indexOf(QRegularExpression("^\\s*A\\s+E\\s*$"));
        QVERIFY2(a > 0, qPrintable(text));
        QVERIFY(lines[a - 1].contains("/--------------|-------------\\"));
        QVERIFY(lines[a + 1].contains("\\-------------| |-------------/"));
        QVERIFY2(lines[a + 2].contains(QRegularExpression("I\\s+H ?G\\s+F")),
                 qPrintable(lines.mid(a - 3).join('\n')));
        QVERIFY(text.indexOf("TAVORA") < text.indexOf("FOLDED DIPOLE CONSTRUCTION"));
        QCOMPARE(h.dialogs.printNames, QStringList{test::Typed("Yagi 144.10 MHz")});
    }

    void printedReportIsFramedOnEveryPageAndKeepsItsParagraphsAndSketchWhole()
    {
        test::Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        entry.show();
        Box(&entry, "Edit2")->setText("20"); // two pages
        const QString pdf = folder_.filePath("framed.pdf");
        Calculate(entry, [&](ResultsWindow& r) {
            h.dialogs.printers.push_back(test::ScriptedDialogs::PdfPrinter(pdf));
            Click(&r, "Button1");
        });
        QStringList pages = PdfText(pdf).split('\f');
        pages.removeAll(QString());
        QCOMPARE(pages.size(), 2);
        const QString date = QDate::currentDate().toString(Qt::ISODate);
        for (int n = 0; n < pages.size(); ++n) {
            QVERIFY2(pages[n].trimmed().startsWith(test::Typed("Tavora - Yagi 144.10 MHz")),
                     qPrintable(pages[n]));
            QVERIFY(pages[n].contains(date));
            QVERIFY(pages[n].contains(QStringLiteral("Page %1 of 2").arg(n + 1)));
        }
        // The sketch stays under its heading.
        const QString& last = pages.last();
        QVERIFY(last.contains("Folded dipole measuring points"));
        QVERIFY(last.contains(QRegularExpression("I\\s+H ?G\\s+F")));
        // A paragraph wider than the page goes on at a word, indented under its start.
        const QStringList lines = pages.join('\n').split('\n');
        const qsizetype at = lines.indexOf(QRegularExpression(".*The abbreviation.*"));
        QVERIFY(at > 0);
        const auto indent = [](const QString& s) {
            return s.size() - QString(s).remove(QRegularExpression("^\\s+")).size();
        };
        QVERIFY2(indent(lines[at + 1]) > indent(lines[at]),
                 qPrintable(lines.mid(at, 2).join('\n')));
        QVERIFY((lines[at] + ' ' + lines[at + 1])
                    .simplified()
                    .endsWith("from the element tip to the edge of the boom for through boom "
                              "mounting"));
    }

    void printedTableKeepsEveryColumnOnThePage_data()
    {
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::newRow("A4") << QPageSize::A4;
        QTest::newRow("Letter") << QPageSize::Letter;
    }
    void printedTableKeepsEveryColumnOnThePage()
    {
        QFETCH(QPageSize::PageSizeId, paper);
        test::Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        entry.show();
        Box(&entry, "Edit1")->setText("432");
        Box(&entry, "Edit2")->setText("20");
        const QString pdf = folder_.filePath("table.pdf");
        QStringList expected;
        Calculate(entry, [&](ResultsWindow& r) {
            for (const QString& line : r.ReportBox()->toPlainText().split('\n'))
                if (line.contains(QRegularExpression("^\\s*\\d+\\t")))
                    expected << line.split('\t', Qt::SkipEmptyParts).join(' ').trimmed();
            auto printer = test::ScriptedDialogs::PdfPrinter(pdf);
            printer->setPageSize(QPageSize(paper));
            h.dialogs.printers.push_back(std::move(printer));
            Click(&r, "Button1");
        });
        // Word boxes in points, grouped into lines by their top edge.
        const QString boxes = PdfText(pdf, {QStringLiteral("-bbox")});
        const QRegularExpression pageRe("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\"");
        const auto size = pageRe.match(boxes);
        QVERIFY(size.hasMatch());
        const double width = size.captured(1).toDouble(), height = size.captured(2).toDouble();
        const double margin = 15 / 25.4 * 72;
        QMap<int, QList<std::pair<double, QString>>> lines;
        const QRegularExpression wordRe("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" "
                                        "xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)<");
        const QStringList pages = boxes.split("<page ");
        for (int page = 1; page < pages.size(); ++page)
            for (auto it = wordRe.globalMatch(pages[page]); it.hasNext();) {
                const auto m = it.next();
                const double x0 = m.captured(1).toDouble(), y0 = m.captured(2).toDouble();
                const double x1 = m.captured(3).toDouble(), y1 = m.captured(4).toDouble();
                QVERIFY2(x0 >= margin && y0 >= margin && x1 <= width - margin &&
                             y1 <= height - margin,
                         qPrintable(m.captured(0)));
                lines[page * 10000 + qRound(y0)].append({x0, m.captured(5)});
            }
        QStringList rows;
        for (auto& words : lines) {
            std::sort(words.begin(), words.end());
            QStringList texts;
            for (const auto& w : words)
                texts << w.second;
            if (texts.size() == 7 && texts[0].toInt() >= 1 && texts[0].toInt() <= 20)
                rows << texts.join(' ');
        }
        QCOMPARE(expected.size(), 20);
        QCOMPARE(rows, expected);
        // The heading's last column reached the paper too.
        QVERIFY(boxes.contains(">(dBi)<"));
    }

    void printingTheBalunSheetPlacesItsPartsByAQuarterOfThePage()
    {
        test::Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        entry.show();
        ChooseCoax(entry, 37);
        const QString pdf = folder_.filePath("balun.pdf");
        Calculate(entry, [&](ResultsWindow& r) {
            test::WhenModalOpens([&](QWidget* modal) {
                auto printer = test::ScriptedDialogs::PdfPrinter(pdf);
                // 8 inches of 600 pixels: q = 1200 pixels, two inches.
                printer->setResolution(600);
                printer->setPageSize(QPageSize(QSizeF(8, 6), QPageSize::Inch));
                printer->setPageMargins(QMarginsF(0, 0, 0, 0));
                h.dialogs.printers.push_back(std::move(printer));
                Click(modal, "Button2");
                modal->close();
            });
            Click(&r, "Button5");
        });
        const QString text = PdfText(pdf, {});
        QVERIFY2(text.contains(test::Typed("Balun for 144.1 MHz using 687 mm loop of RG-213 (PE)")),
                 qPrintable(text));
        QVERIFY(text.contains("687mm"));
        // Word boxes in points: q is 144 points.
        const QString boxes = PdfText(pdf, {QStringLiteral("-bbox")});
        const auto word = [&](const QString& w) {
            const QRegularExpression re("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>" +
                                        QRegularExpression::escape(w) + "<");
            const auto m = re.match(boxes);
            return m.hasMatch() ? QPointF(m.captured(1).toDouble(), m.captured(2).toDouble())
                                : QPointF(-1, -1);
        };
        QVERIFY(boxes.contains("<page width=\"576.000000\""));
        const QPointF title = word("Balun");
        QVERIFY2(qAbs(title.x() - 144) < 2 && qAbs(title.y() - 115.2) < 6, qPrintable(boxes));
        const QPointF length = word("687mm");
        QVERIFY2(qAbs(length.x() - 288) < 2 && qAbs(length.y() - 187.2) < 6, qPrintable(boxes));
    }

    void createYoWritesWhatTheCommandLineWrites()
    {
        test::Harness h;
        DesignEntryWindow entry(nullptr, h.context);
        entry.show();
        const QString window = folder_.filePath("window.yag");
        h.dialogs.prompts.push_back(QStringLiteral("My 2m yagi"));
        h.dialogs.saveFiles.push_back(window);
        Calculate(entry, [&](ResultsWindow& r) { Click(&r, "Button2"); });
        QCOMPARE(h.dialogs.beeps, 2);
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{"File saved"});
        QCOMPARE(h.dialogs.fileDialogs.first().title, QStringLiteral("Save YO file"));
        QVERIFY(h.dialogs.fileDialogs.first().initialName.endsWith("Untitled.yag"));
        const QString cli = folder_.filePath("cli.yag");
        Cli({"design", "--yag", cli, "--description", "My 2m yagi"});
        QFile a(window), b(cli);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), b.readAll());

        // A description the reader would skip as a comment is refused.
        h.dialogs.prompts.push_back(QStringLiteral(";comment"));
        Calculate(entry, [&](ResultsWindow& r) { Click(&r, "Button2"); });
        QCOMPARE(h.dialogs.MessageTexts().last(),
                 QStringLiteral("A value beginning with ';' cannot be saved (Describe yagi)"));
        h.dialogs.prompts.push_back(QStringLiteral("My yagi\n432.00 MHz"));
        Calculate(entry, [&](ResultsWindow& r) { Click(&r, "Button2"); });
        QCOMPARE(h.dialogs.MessageTexts().last(),
                 QStringLiteral("A line break or other control character cannot be saved "
                                "(Describe yagi)"));
        QCOMPARE(h.state.YagiDescription, std::string("My 2m yagi"));
    }

    void savedDataComesBackInTheEntryScreen()
    {
        test::Harness h;
        h.state.ProgramDir = folder_.path().toStdString();
        RegisterWindows(h.registry);
        MainWindow main(h.context);
        {
            DesignEntryWindow entry(&main, h.context);
            entry.show();
            Box(&entry, "Edit1")->setText("432");
            entry.close();
        }
        main.findChild<QAction*>("Save1")->trigger();
        {
            DesignEntryWindow entry(&main, h.context);
            QCOMPARE(Box(&entry, "Edit1")->text(), QStringLiteral("432"));
            entry.show();
            Box(&entry, "Edit1")->setText("50");
            entry.close();
        }
        main.findChild<QAction*>("SaveAs1")->trigger();
        DesignEntryWindow entry(&main, h.context);
        QCOMPARE(Box(&entry, "Edit1")->text(), QStringLiteral("432"));
        QCOMPARE(h.dialogs.MessageTexts(),
                 (QStringList{"Program data saved", "Old data reloaded"}));

        // Reading needs read permission only.
        QFile::setPermissions(folder_.filePath("Tavora.cnf"), QFileDevice::ReadOwner);
        main.findChild<QAction*>("SaveAs1")->trigger();
        QCOMPARE(h.dialogs.MessageTexts().size(), 3);
        QCOMPARE(h.dialogs.MessageTexts().last(), QStringLiteral("Old data reloaded"));
        QFile::setPermissions(folder_.filePath("Tavora.cnf"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
};

TAVORA_UI_TEST_MAIN(DesignRoadTest)
#include "design_road_test.moc"
