// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/about_box.h"
#include "app/shell/form_scaler.h"
#include "app/shell/main_window.h"
#include "app/shell/qt_dialogs.h"
#include "task_window_fixture.h"
#include "ui_test.h"

#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

using namespace tavora;
using namespace tavora::app;

namespace {

QAction* Entry(QWidget& w, const char* name)
{
    return w.findChild<QAction*>(name);
}

} // namespace

class MenusTest : public QObject {
    Q_OBJECT
    test::ModalWatchdog watchdog_;

  private slots:
    void cleanup()
    {
        QVERIFY2(watchdog_.Failures().isEmpty(), qPrintable(watchdog_.Failures().join('\n')));
    }

    void entriesInMenuOrder_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("File holds Save, Recover, a separator and Exit")
            << "File1" << QStringList{"&Save data", "&Recover data", "", "E&xit"};
        QTest::newRow("Task holds the six tasks")
            << "Task1" << QStringList{"&Design Yagi",      "&Gain", "&Stacking",
                                      "&YO or Mmana file", "S&WR",  "&Impedance"};
        QTest::newRow("Help holds both contents and About")
            << "Help1" << QStringList{"&Contents (WinHelp)", "Contents (HTML)", "&About..."};
    }

    void entriesInMenuOrder()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, entries);
        test::Harness h;
        MainWindow w(h.context);
        QStringList captions;
        for (QAction* a : w.findChild<QMenu*>(menu)->actions())
            captions << a->text();
        QCOMPARE(captions, entries);
        QStringList titles;
        for (QAction* a : w.MenuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{"&File", "&Task", "&Help"}));
    }

    void unregisteredTasksStayDisabled()
    {
        test::Harness h;
        h.registry.AddTask<test::SampleTaskWindow>(TaskId::Gain);
        MainWindow w(h.context);
        QVERIFY(Entry(w, "Gain_calc")->isEnabled());
        for (const char* name : {"Design_yagi", "Stacking_calc", "YO_calc", "SWR1", "Impedance1"})
            QVERIFY2(!Entry(w, name)->isEnabled(), name);
        for (const char* name : {"Save1", "SaveAs1", "Exit1", "Contents1", "About1"})
            QVERIFY2(Entry(w, name)->isEnabled(), name);
    }

    void everyTaskEntryOfTheProgramIsEnabled()
    {
        test::Harness h;
        RegisterWindows(h.registry);
        MainWindow w(h.context);
        for (QAction* entry : w.Menu(BaseMenu::Task)->actions())
            QVERIFY2(entry->isEnabled(), qPrintable(entry->objectName()));
    }

    void helpEntriesAskForTheFilesInTheProgramDirectory()
    {
        test::Harness h;
        h.state.ProgramDir = "/opt/tavora-test";
        MainWindow w(h.context);
        Entry(w, "Contents1")->trigger();
        Entry(w, "ContentsHTML1")->trigger();
        QCOMPARE(h.dialogs.helpRequests.size(), 2);
        QCOMPARE(h.dialogs.helpRequests[0].command, HelpCommand::Finder);
        QCOMPARE(h.dialogs.helpRequests[0].file, QStringLiteral("/opt/tavora-test/Tavora.qhc"));
        QCOMPARE(h.dialogs.helpRequests[1].command, HelpCommand::Contents);
        QCOMPARE(h.dialogs.helpRequests[1].file, QStringLiteral("/opt/tavora-test/Tavora.qhc"));
    }

    void aMissingHelpFileIsReportedNotIgnored()
    {
        QtDialogs real;
        QString shown;
        test::WhenModalOpens([&shown](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box != nullptr);
            shown = box->text();
            box->accept();
        });
        real.Help(nullptr,
                  {HelpCommand::Contents, QStringLiteral("/nonexistent/Tavora.qhc"), 0, {}});
        QCOMPARE(shown, QStringLiteral("Help is not available: the help file "
                                       "/nonexistent/Tavora.qhc is missing or damaged."));
    }

    void aboutOpensModallyAndOkClosesIt()
    {
        test::Harness h;
        MainWindow w(h.context);
        w.show();
        bool seen = false;
        test::WhenModalOpens([&](QWidget* modal) {
            auto* about = qobject_cast<AboutBox*>(modal);
            QVERIFY(about != nullptr);
            seen = true;
            QCOMPARE(about->windowTitle(), QStringLiteral("ABOUT TAVORA.EXE"));
            QCOMPARE(about->size(), QSize(369, 252));
            QCOMPARE(about->parentWidget(), &w);
            QCOMPARE(about->findChild<QLabel*>("Version")->text(),
                     QStringLiteral(" Version 2.6.10"));
            QCOMPARE(about->findChild<QLabel*>("ProductName")->text(), QStringLiteral("Tavora"));
            QCOMPARE(about->findChild<QLabel*>("Licence")->text(),
                     QStringLiteral("Licence: GNU GPL version 3 or later (GPL-3.0-or-later)"));
            QVERIFY(about->findChild<FormScaler*>() == nullptr);
            about->findChild<QPushButton*>("OKButton")->click();
        });
        Entry(w, "About1")->trigger();
        QVERIFY(seen);
        QVERIFY(w.findChildren<AboutBox*>().isEmpty());
    }

    void taskWindowsKeepOnlyTheHelpMenu()
    {
        test::Harness h;
        test::SampleTaskWindow task(nullptr, h.context);
        QVERIFY(!task.Menu(BaseMenu::File)->menuAction()->isVisible());
        QVERIFY(!task.Menu(BaseMenu::Task)->menuAction()->isVisible());
        QVERIFY(task.Menu(BaseMenu::Help)->menuAction()->isVisible());
        QVERIFY(task.findChild<FormScaler*>() != nullptr);
    }
};

TAVORA_UI_TEST_MAIN(MenusTest)
#include "menus_test.moc"
