// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/arrays/gain_window.h"
#include "app/arrays/stacking_window.h"
#include "app/design/design_entry_window.h"
#include "app/design/results_window.h"
#include "app/exchange/conversion_dialog.h"
#include "app/exchange/mmana_export_window.h"
#include "app/exchange/yo_details_window.h"
#include "app/feedline/balun_window.h"
#include "app/feedline/impedance_window.h"
#include "app/feedline/swr_window.h"
#include "app/shell/help_window.h"
#include "app/shell/main_window.h"
#include "app/shell/user_locale.h"
#include "app/simulation/simulation_window.h"
#include "design/entry.h"
#include "design/report.h"
#include "shell/help.h"
#include "state/design_state.h"
#include "tool_test.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHelpEngine>
#include <QHelpSearchEngine>
#include <QLabel>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>

#include <unistd.h>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

namespace {

// The windows that carry the Help menu or answer F1, by a short name.
std::unique_ptr<QWidget> MakeWindow(const QString& name, AppContext& context)
{
    if (name == "main")
        return std::make_unique<MainWindow>(context);
    if (name == "entry")
        return std::make_unique<DesignEntryWindow>(nullptr, context);
    if (name == "results") {
        // It computes the design as it is shown: give it the entry screen's.
        YagiDoCalculate(GetValues(context.state.DesignEntry), context.state, UserDecimalSep());
        return std::make_unique<ResultsWindow>(nullptr, context);
    }
    if (name == "gain")
        return std::make_unique<GainWindow>(nullptr, context);
    if (name == "stacking")
        return std::make_unique<StackingWindow>(nullptr, context);
    if (name == "swr")
        return std::make_unique<SwrWindow>(nullptr, context);
    if (name == "impedance")
        return std::make_unique<ImpedanceWindow>(nullptr, context);
    if (name == "balun")
        return std::make_unique<BalunWindow>(nullptr, context);
    if (name == "yo")
        return std::make_unique<YoDetailsWindow>(nullptr, context);
    if (name == "conversion")
        return std::make_unique<ConversionDialog>(nullptr, context);
    // These two take the design the results window computed.
    const auto computeDesign = [&context] {
        YagiDoCalculate(GetValues(context.state.DesignEntry), context.state, UserDecimalSep());
        std::string report;
        Yagidimensions(context.state, report);
    };
    if (name == "simulation") {
        computeDesign();
        return std::make_unique<SimulationWindow>(nullptr, context,
                                                  SimulationWindow::FromDesign(context.state));
    }
    if (name == "mmana") {
        computeDesign();
        return std::make_unique<MmanaExportWindow>(nullptr, context);
    }
    qFatal("no window %s", qPrintable(name));
}

QUrl Page(const char* page)
{
    return QUrl(QString::fromStdString(shell::HelpUrl(page)));
}

QList<QWidget*> HelpWindows()
{
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("HelpWindow"))
            found << w;
    return found;
}

// The harness with its help requests shown in a real help window over the
// collection the build puts in the run folder (the tests' working folder).
struct HelpHarness : Harness {
    HelpViewer viewer{dialogs};
    HelpHarness() { dialogs.helpViewer = &viewer; }
};

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_;

  private slots:
    void cleanup()
    {
        QVERIFY2(watchdog_.Failures().isEmpty(), qPrintable(watchdog_.Failures().join('\n')));
    }

    void entriesOpenTheirTopic_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("entry"); // a Help menu entry, or F1
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("side");
        const int contents = int(HelpWindow::Side::Contents);
        const int index = int(HelpWindow::Side::Index);
        // clang-format off
        QTest::newRow("main window, WinHelp: contents with the index at hand")
            << "main" << "Contents1" << "index.html" << index;
        QTest::newRow("main window, HTML: the table of contents")
            << "main" << "ContentsHTML1" << "index.html" << contents;
        QTest::newRow("results, HTML: the table of contents")
            << "results" << "ContentsHTML1" << "index.html" << contents;
        QTest::newRow("MMANA-GAL export, HTML: the table of contents")
            << "mmana" << "ContentsHTML1" << "index.html" << contents;
        QTest::newRow("design entry, HTML: topic 30")
            << "entry" << "ContentsHTML1" << "design-entry.html" << contents;
        QTest::newRow("stacking, HTML: topic 60")
            << "stacking" << "ContentsHTML1" << "stacking.html" << contents;
        QTest::newRow("SWR, HTML: topic 70")
            << "swr" << "ContentsHTML1" << "swr.html" << contents;
        QTest::newRow("YO details, HTML: topic 90")
            << "yo" << "ContentsHTML1" << "yo-details.html" << contents;
        QTest::newRow("gain, HTML: topic 120")
            << "gain" << "ContentsHTML1" << "gain.html" << contents;
        QTest::newRow("impedance, HTML: topic 135")
            << "impedance" << "ContentsHTML1" << "impedance.html" << contents;
        QTest::newRow("impedance, WinHelp: the index")
            << "impedance" << "Contents1" << "index.html" << index;
        QTest::newRow("F1 in the main window") << "main" << "F1" << "main-window.html" << contents;
        QTest::newRow("F1 in the design entry screen") << "entry" << "F1" << "design-entry.html" << contents;
        QTest::newRow("F1 in the results window") << "results" << "F1" << "results.html" << contents;
        QTest::newRow("F1 in the gain window") << "gain" << "F1" << "gain.html" << contents;
        QTest::newRow("F1 in the stacking window") << "stacking" << "F1" << "stacking.html" << contents;
        QTest::newRow("F1 in the SWR window") << "swr" << "F1" << "swr.html" << contents;
        QTest::newRow("F1 in the impedance window") << "impedance" << "F1" << "impedance.html" << contents;
        QTest::newRow("F1 in the balun window") << "balun" << "F1" << "balun.html" << contents;
        QTest::newRow("F1 in the YO details screen") << "yo" << "F1" << "yo-details.html" << contents;
        QTest::newRow("F1 in the conversion dialog") << "conversion" << "F1" << "conversion.html" << contents;
        QTest::newRow("F1 in the MMANA-GAL export") << "mmana" << "F1" << "mmana.html" << contents;
        QTest::newRow("F1 in the NEC-2 simulation") << "simulation" << "F1" << "simulation.html" << contents;
        // clang-format on
    }

    void entriesOpenTheirTopic()
    {
        QFETCH(QString, window);
        QFETCH(QString, entry);
        QFETCH(QString, page);
        QFETCH(int, side);
        HelpHarness h;
        std::unique_ptr<QWidget> w = MakeWindow(window, h.context);
        if (entry == "F1") {
            w->show();
            QVERIFY(QTest::qWaitForWindowActive(w.get()));
            QTest::keyClick(w.get(), Qt::Key_F1);
        } else {
            w->findChild<QAction*>(entry)->trigger();
        }
        QVERIFY2(h.dialogs.MessageTexts().isEmpty(),
                 qPrintable(h.dialogs.MessageTexts().join('\n')));
        HelpWindow* help = h.viewer.Window();
        QVERIFY(help != nullptr);
        QVERIFY(help->isVisible());
        QCOMPARE(help->CurrentUrl(), Page(qPrintable(page)));
        QVERIFY(!help->findChild<QTextBrowser*>("HelpBrowser")->toPlainText().isEmpty());
        QCOMPARE(help->SideTabs()->currentIndex(), side);
    }

    void designEntryAsksForTheContentsThenTopic30()
    {
        HelpHarness h;
        DesignEntryWindow w(nullptr, h.context);
        w.findChild<QAction*>("ContentsHTML1")->trigger();
        QCOMPARE(h.dialogs.helpRequests.size(), 2);
        QCOMPARE(h.dialogs.helpRequests[0].command, HelpCommand::Contents);
        QCOMPARE(h.dialogs.helpRequests[1].command, HelpCommand::Context);
        QCOMPARE(h.dialogs.helpRequests[1].context, 30);
        const QString collection = QDir::current().filePath("Tavora.qhc");
        for (const HelpRequest& request : h.dialogs.helpRequests)
            QCOMPARE(request.file, collection);
        // Back leads to the contents the first request showed.
        auto* back = h.viewer.Window()->findChild<QToolButton*>("HelpBack");
        QVERIFY(back->isEnabled());
        back->click();
        QCOMPARE(h.viewer.Window()->CurrentUrl(), Page("index.html"));
        h.viewer.Window()->findChild<QToolButton*>("HelpForward")->click();
        QCOMPARE(h.viewer.Window()->CurrentUrl(), Page("design-entry.html"));
    }

    void oneHelpWindowForTheRunRaisedAgain()
    {
        HelpHarness h;
        GainWindow gain(nullptr, h.context);
        StackingWindow stacking(nullptr, h.context);
        gain.findChild<QAction*>("ContentsHTML1")->trigger();
        HelpWindow* first = h.viewer.Window();
        first->hide(); // closed by the user meanwhile
        stacking.findChild<QAction*>("ContentsHTML1")->trigger();
        QCOMPARE(h.viewer.Window(), first);
        QVERIFY(first->isVisible());
        QCOMPARE(HelpWindows().size(), 1);
        QCOMPARE(first->CurrentUrl(), Page("stacking.html"));
    }

    void unusableCollectionGivesOneMessageNamingIt_data()
    {
        // Empty: no file at all; "copy": the real collection without its .qch.
        QTest::addColumn<QByteArray>("collection");
        QTest::newRow("no collection") << QByteArray();
        QTest::newRow("a collection that is no database") << QByteArray("not a collection");
        QTest::newRow("the collection without its documentation") << QByteArray("copy");
    }

    void unusableCollectionGivesOneMessageNamingIt()
    {
        QFETCH(QByteArray, collection);
        QTemporaryDir folder;
        const QString file = QDir(folder.path()).filePath("Tavora.qhc");
        if (collection == "copy")
            QVERIFY(QFile::copy(QDir::current().filePath("Tavora.qhc"), file));
        else if (!collection.isEmpty()) {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(collection);
        }
        HelpHarness h;
        h.state.ProgramDir = folder.path().toStdString();
        MainWindow w(h.context);
        w.findChild<QAction*>("ContentsHTML1")->trigger();
        QCOMPARE(h.dialogs.MessageTexts(),
                 QStringList{QString::fromStdString(
                     shell::HelpUnavailableMessage(QDir::toNativeSeparators(file).toStdString()))});
        QCOMPARE(h.dialogs.messages[0].icon, QMessageBox::Warning);
        QVERIFY(h.viewer.Window() == nullptr);
        QVERIFY(HelpWindows().isEmpty());
        QVERIFY(h.dialogs.unexpected.isEmpty());
    }

    void installedCollectionServesAFolderWithoutOne()
    {
        QTemporaryDir folder;
        HelpHarness h;
        h.state.ProgramDir = folder.path().toStdString();
        h.state.DataDir = QDir::currentPath().toStdString(); // as if installed here
        GainWindow w(nullptr, h.context);
        w.findChild<QAction*>("ContentsHTML1")->trigger();
        QVERIFY(h.dialogs.MessageTexts().isEmpty());
        QCOMPARE(h.dialogs.helpRequests[0].file, QDir::current().filePath("Tavora.qhc"));
        QCOMPARE(h.viewer.Window()->CurrentUrl(), Page("gain.html"));
    }

    void copiedCollectionStillFindsTheManual()
    {
        // An installed program's folder is read-only: the window works on a
        // copy of the collection elsewhere, made afresh each time.
        QTemporaryDir cache;
        const QString original = QDir::current().filePath("Tavora.qhc");
        for (int run = 0; run < 2; ++run) {
            const QString copy = CopyCollection(original, cache.filePath("sub"));
            QCOMPARE(copy, cache.filePath("sub/Tavora.qhc"));
            std::unique_ptr<HelpWindow> help = HelpWindow::Open(copy);
            QVERIFY(help != nullptr);
            help->ShowPage("balun.html", HelpWindow::Side::Contents);
            QVERIFY(help->findChild<QTextBrowser*>("HelpBrowser")
                        ->toPlainText()
                        .startsWith("Contents | back: Results window\nBalun window"));
        }
    }

    void aCopyThatFailsHalfWayLeavesNothingInTheCache()
    {
        QTemporaryDir from, cache;
        const QString collection = from.filePath("Tavora.qhc");
        QVERIFY(QFile::copy(QDir::current().filePath("Tavora.qhc"), collection));
        // No documentation beside it: its copy fails as on a full disk.
        QCOMPARE(CopyCollection(collection, cache.path()), collection);
        QVERIFY(QDir(cache.path()).isEmpty());
    }

    void withNowhereToWriteTheIndexSearchSaysSo()
    {
        if (::geteuid() == 0)
            QSKIP("root writes into a read-only folder");
        QTemporaryDir program;
        for (const char* name : {"Tavora.qhc", "Tavora.qch"})
            QVERIFY(QFile::copy(QDir::current().filePath(name), program.filePath(name)));
        QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner);
        const std::unique_ptr<HelpWindow> help =
            HelpWindow::Open(program.filePath("Tavora.qhc"), "/dev/null/cache");
        QFile::setPermissions(program.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(help != nullptr);
        auto* why = help->findChild<QLabel*>("HelpSearchUnavailable");
        QVERIFY(why != nullptr);
        QVERIFY(why->text().startsWith("Search is not available"));
    }

    void helpWindowWorksBesideAModalTaskWindow()
    {
        HelpHarness h;
        RegisterWindows(h.registry);
        MainWindow main(h.context);
        main.show();
        QUrl afterBack;
        WhenModalOpens([&](QWidget* modal) {
            modal->findChild<QAction*>("ContentsHTML1")->trigger(); // contents, then topic 120
            HelpWindow* help = h.viewer.Window();
            QVERIFY(QTest::qWaitForWindowExposed(help));
            // A click that goes through the window system, which refuses
            // input to windows a modal window blocks.
            auto* back = help->findChild<QToolButton*>("HelpBack");
            QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {},
                              back->mapTo(help, back->rect().center()));
            afterBack = help->CurrentUrl();
            Click(modal, "Button4"); // Back
        });
        main.findChild<QAction*>("Gain_calc")->trigger();
        QCOMPARE(afterBack, Page("index.html"));
        // The window it was opened from is gone; the help window stays.
        HelpWindow* help = h.viewer.Window();
        QVERIFY(help->isVisible());
        auto* forward = help->findChild<QToolButton*>("HelpForward");
        QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {},
                          forward->mapTo(help, forward->rect().center()));
        QCOMPARE(help->CurrentUrl(), Page("gain.html"));
    }

    void searchFindsTheBalunPage()
    {
        HelpHarness h;
        MainWindow w(h.context);
        w.findChild<QAction*>("Contents1")->trigger();
        HelpWindow* help = h.viewer.Window();
        QHelpSearchEngine* search = help->Engine().searchEngine();
        QSignalSpy finished(search, &QHelpSearchEngine::searchingFinished);
        // The index is built in the background when the window first opens.
        QList<QUrl> found;
        for (int attempt = 0; attempt < 40 && found.isEmpty(); ++attempt) {
            help->Search(QStringLiteral("balun"));
            QVERIFY(finished.wait(5000));
            for (const QHelpSearchResult& result :
                 search->searchResults(0, search->searchResultCount()))
                found << result.url();
            if (found.isEmpty())
                QTest::qWait(250);
        }
        QVERIFY(found.contains(Page("balun.html")));
        QVERIFY(found.contains(Page("building.html")));
        QCOMPARE(help->SideTabs()->currentIndex(), int(HelpWindow::Side::Search));
    }
};

TAVORA_UI_TEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
