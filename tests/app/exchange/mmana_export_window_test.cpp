// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design/results_window.h"
#include "app/exchange/mmana_export_window.h"
#include "app/shell/user_locale.h"
#include "exchange_test.h"

#include "design/entry.h"
#include "design/report.h"
#include "state/design_state.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QScopeGuard>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

namespace {

// The 144.1 MHz design of the entry screen's defaults: wavelength 2080.4 mm,
// a 10 mm radiator, elements bonded through the boom.
// Square boom, elements bonded through it, dipole mounted like them: a design
// the export warns about.
void Design(DesignState& state)
{
    state.DesignEntry[11] = "00000";
    YagiDoCalculate(GetValues(state.DesignEntry), state, UserDecimalSep());
    std::string report;
    Yagidimensions(state, report);
}

bool Red(QWidget* window, const char* label)
{
    return Find<QLabel>(window, label)->palette().color(QPalette::Window) == QColor(Qt::red);
}

QString LabelText(QWidget* window, const char* label)
{
    return Find<QLabel>(window, label)->text();
}

} // namespace

class MmanaExportWindowTest : public test::FolderTest {
    Q_OBJECT

  private slots:
    void theResultsWindowExportsWhatTheCommandLineExports()
    {
        Harness h;
        Design(h.state);
        ResultsWindow results(nullptr, h.context);
        results.show();
        QTRY_VERIFY(!results.ReportBox()->toPlainText().isEmpty());
        QVERIFY(Find<QPushButton>(&results, "Button4")->isEnabled());
        QStringList kept;
        WhenModalOpens([&](QWidget* modal) {
            auto* mmana = qobject_cast<MmanaExportWindow*>(modal);
            QVERIFY(mmana);
            QCOMPARE(mmana->windowTitle(), QStringLiteral("MMANA-GAL"));
            Type(mmana, "Edit1", "Big");
            mmana->List(1)->setCurrentText("800");
            mmana->List(5)->setCurrentIndex(2); // Real
            mmana->List(6)->setCurrentIndex(6); // 30
            mmana->List(7)->setCurrentIndex(1); // Cu wire
            mmana->List(8)->setCurrentIndex(1); // Folded dipole
            h.dialogs.saveFiles.push_back(QDir::current().filePath("screen.maa"));
            Click(mmana, "Button1");
            // Coming back from the warning (or any window) keeps the choices.
            mmana->FormActivate();
            for (int n = 1; n <= 9; ++n)
                kept << mmana->List(n)->currentText();
            mmana->close();
        });
        Click(&results, "Button4");
        QCOMPARE(h.dialogs.unexpected, QStringList{});
        QCOMPARE(h.dialogs.MessageTexts(),
                 QStringList{"The elements are not insulated from the boom. MMANA-GAL will give an "
                             "incorrect assessment"});
        QCOMPARE(kept, (QStringList{"800", "40", Typed("2.0"), "1", "Real", "30", "Cu wire",
                                    "Folded dipole", "MMANA-GAL"}));
        Cli({"design", "--boom-type", "square",  "--mounting", "bonded", "--dipole-mounting",
             "same",   "--maa",       "cli.maa", "--maa-name", "Big",    "--dm1",
             "800",    "--ground",    "2",       "--height",   "30",     "--material",
             "1",      "--dipole",    "folded"});
        QCOMPARE(FileBytes("screen.maa"), FileBytes("cli.maa"));
    }

    // Create YO writes the same boom-corrected lengths as the .maa: the same warning, then the
    // file.
    void createYoOfAMetalBoomDesignWarnsAndStillWrites()
    {
        Harness h;
        Design(h.state);
        ResultsWindow results(nullptr, h.context);
        results.show();
        QTRY_VERIFY(!results.ReportBox()->toPlainText().isEmpty());
        h.dialogs.prompts.push_back(QStringLiteral("Bonded"));
        h.dialogs.saveFiles.push_back(QDir::current().filePath("bonded.yag"));
        Click(&results, "Button2");
        QTRY_COMPARE(h.dialogs.MessageTexts(),
                     (QStringList{"The elements are not insulated from the boom. YO will give an "
                                  "incorrect assessment",
                                  "File saved"}));
        QVERIFY(QFileInfo::exists(QDir::current().filePath("bonded.yag")));
    }

    void theListsOpenAtTheirDefaults()
    {
        Harness h;
        Design(h.state);
        MmanaExportWindow w(nullptr, h.context);
        QStringList texts;
        for (int n = 1; n <= 9; ++n)
            texts << w.List(n)->currentText();
        QCOMPARE(texts, (QStringList{"400", "40", Typed("2.0"), "1", "Free space", "15", "Al tube",
                                     "Single dipole", "MMANA-GAL"}));
        QCOMPARE(w.List(1)->count(), 38);
        QCOMPARE(Find<QLineEdit>(&w, "Edit1")->text(), QStringLiteral("Yagi01"));
        QCOMPARE(MemoLines(&w).size(), 24);
        QCOMPARE(MemoLines(&w)[1], QStringLiteral("Guidelines for NEC-2 for MMANA"));
    }

    void theSaveDialogProposesTheOptimiserFolder()
    {
        Harness h;
        Design(h.state);
        h.state.Mounting = 'N';
        QDir(QDir::current().filePath("Optimiser")).removeRecursively();
        MmanaExportWindow w(nullptr, h.context);
        Type(&w, "Edit1", "Long yagi ");          // a blank at the end is no part of the name
        h.dialogs.saveFiles.push_back(QString()); // cancelled
        Click(&w, "Button1");
        QCOMPARE(h.dialogs.messages.size(), 0);
        QCOMPARE(h.dialogs.fileDialogs.size(), 1);
        const FileDialogOptions& asked = h.dialogs.fileDialogs[0];
        QCOMPARE(asked.title, QStringLiteral("Create a .MAA file"));
        QCOMPARE(asked.defaultExt, QStringLiteral("maa"));
        QCOMPARE(asked.filter, QStringLiteral("MMANA-GAL files (*.maa);;All files (*.*)"));
        QCOMPARE(asked.initialName, QDir::current().filePath("Optimiser/Long yagi.maa"));
        // Cancelled: no folder is left behind; one with the file written stays.
        QVERIFY(!QFileInfo::exists(QDir::current().filePath("Optimiser")));
        h.dialogs.saveFiles.push_back(QDir::current().filePath("Optimiser/Long yagi.maa"));
        Click(&w, "Button1");
        QTRY_VERIFY(QFileInfo::exists(QDir::current().filePath("Optimiser/Long yagi.maa")));
    }

    void anOptimiserFolderThatCannotBeMadeIsReportedAndTheDialogStillOpens()
    {
        Harness h;
        Design(h.state);
        h.state.Mounting = 'N';
        QDir(QDir::current().filePath("Optimiser")).removeRecursively();
        QFile blocker(QDir::current().filePath("Optimiser"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const auto cleanUp = qScopeGuard([&blocker] { blocker.remove(); });
        MmanaExportWindow w(nullptr, h.context);
        h.dialogs.saveFiles.push_back(QString());
        Click(&w, "Button1");
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{"Could not create Optimiser directory"});
        QCOMPARE(h.dialogs.fileDialogs.size(), 1);
    }

    void guidelineLabelsFollowTheEngine_data()
    {
        QTest::addColumn<int>("engine");
        QTest::addColumn<QString>("dm1");
        QTest::addColumn<QString>("segment");
        QTest::addColumn<QList<bool>>("red"); // segment, wire diameter, segment to diameter
        QTest::newRow("400 suits MMANA-GAL")
            << 0 << "400"
            << "Segment = 0.0104 WaveLength" << QList<bool>{false, false, false};
        QTest::newRow("400 is too fine a segment for its diameter in NEC-2")
            << 1 << "400"
            << "Segment = 0.0104 WaveLength" << QList<bool>{false, false, true};
        QTest::newRow("5 is too long a segment for NEC-2")
            << 1 << "5"
            << "Segment = 0.8322 WaveLength" << QList<bool>{true, false, false};
        QTest::newRow("5 still suits MMANA-GAL")
            << 0 << "5"
            << "Segment = 0.8322 WaveLength" << QList<bool>{false, false, false};
    }
    void guidelineLabelsFollowTheEngine()
    {
        QFETCH(int, engine);
        QFETCH(QString, dm1);
        QFETCH(QString, segment);
        QFETCH(QList<bool>, red);
        Harness h;
        Design(h.state);
        MmanaExportWindow w(nullptr, h.context);
        w.show();
        QTRY_COMPARE(LabelText(&w, "Label15"), Typed("Segment = 0.0104 WaveLength"));
        w.List(9)->setCurrentIndex(engine);
        w.List(1)->setCurrentText(dm1);
        QCOMPARE(LabelText(&w, "Label15"), Typed(segment));
        QCOMPARE(LabelText(&w, "Label12"), Typed("Diam El =0.0048 Wavelength"));
        QCOMPARE((QList<bool>{Red(&w, "Label15"), Red(&w, "Label12"), Red(&w, "Label16")}), red);
        QCOMPARE(h.dialogs.messages.size(), 0);
    }

    // Typing says nothing; Save checks every number box, naming the first bad one.
    void numberBoxesAreCheckedAtSaveNotWhileTyping_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("a DM1 that is no number") << 1 << "wide"
                                                 << "DM1 must be a number, not 'wide'";
        QTest::newRow("an empty DM1") << 1 << ""
                                      << "DM1 box empty or zero!";
        QTest::newRow("a height that is no number") << 6 << "x"
                                                    << "Height (metres) must be a number, not 'x'";
        QTest::newRow("a height below ground") << 6 << "-5"
                                               << "Height (metres) cannot be negative";
    }
    void numberBoxesAreCheckedAtSaveNotWhileTyping()
    {
        QFETCH(int, list);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Harness h;
        Design(h.state);
        h.state.Mounting = 'N';
        MmanaExportWindow w(nullptr, h.context);
        w.FillLabels();
        const QString before = LabelText(&w, "Label16");
        w.List(list)->setCurrentText(text);
        QCOMPARE(LabelText(&w, "Label16"), before);
        Click(&w, "Button1");
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{message});
        QVERIFY(h.dialogs.fileDialogs.isEmpty());
        QVERIFY(!QFile::exists(QDir::current().filePath("y.maa")));
        // The user's separator in a box goes to the file as a point.
        w.List(list)->setCurrentIndex(list == 1 ? 28 : 3);
        w.List(3)->setCurrentText(Typed("2.5"));
        h.dialogs.saveFiles.push_back(QDir::current().filePath("y.maa"));
        Click(&w, "Button1");
        QCOMPARE(h.dialogs.messages.size(), 1);
        QFile file(QDir::current().filePath("y.maa"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("\r\n400,   40,   2.5,   1\r\n"));
        file.close();
        QVERIFY(QFile::remove(file.fileName()));
    }

    void fileAndHelpWorkFromHereAndNoTaskCanReplaceTheDesign()
    {
        Harness h;
        RegisterWindows(h.registry);
        Design(h.state);
        MmanaExportWindow w(nullptr, h.context);
        w.show();
        for (BaseMenu menu : {BaseMenu::File, BaseMenu::Help}) {
            QVERIFY(w.Menu(menu)->menuAction()->isVisible());
            for (QAction* entry : w.Menu(menu)->actions())
                QVERIFY2(entry->isVisible() && entry->isEnabled(), qPrintable(entry->objectName()));
        }
        const QAction* task = w.Menu(BaseMenu::Task)->menuAction();
        QVERIFY(!task->isVisible() && !task->isEnabled());
        w.findChild<QAction*>("Exit1")->trigger();
        QVERIFY(!w.isVisible());
    }
};

TAVORA_UI_TEST_MAIN(MmanaExportWindowTest)
#include "mmana_export_window_test.moc"
