// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/main_window.h"
#include "ui_test.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace tavora;
using namespace tavora::app;

// File, Save data and Recover data as the user sees them; the file's format
// is the core's and tested there.
class DataFileMenuTest : public test::FolderTest {
    Q_OBJECT

  private slots:
    void init()
    {
        FolderTest::init();
        QFile::remove(QStringLiteral("Tavora.cnf"));
    }

    void recoverWithoutAFileChangesNothing()
    {
        test::Harness h;
        MainWindow w(h.context);
        h.state.GainValues[1] = "5000";
        w.findChild<QAction*>("SaveAs1")->trigger();
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{"No data file found"});
        QCOMPARE(h.dialogs.beeps, 1);
        QCOMPARE(h.state.GainValues[1], std::string("5000"));
    }

    void saveThenRecoverBringsTheTextsBack()
    {
        test::Harness h;
        MainWindow w(h.context);
        h.state.StackingValues = {"432", "20", "1"};
        w.findChild<QAction*>("Save1")->trigger();
        QVERIFY(QFile::exists(QDir(folder_.path()).filePath("Tavora.cnf")));
        h.state.StackingValues = {"50", "45", "0"};
        w.findChild<QAction*>("SaveAs1")->trigger();
        QCOMPARE(h.dialogs.MessageTexts(),
                 (QStringList{"Program data saved", "Old data reloaded"}));
        QCOMPARE(h.dialogs.messages[0].icon, QMessageBox::NoIcon);
        QCOMPARE(h.dialogs.beeps, 2);
        QCOMPARE(h.state.StackingValues[0], std::string("432"));
        QCOMPARE(h.state.StackingValues[2], std::string("1"));
    }

    void aValueTheFileCannotHoldIsRefusedNamingItsBox()
    {
        test::Harness h;
        MainWindow w(h.context);
        h.state.DesignEntry[0] = ";144";
        w.findChild<QAction*>("Save1")->trigger();
        QCOMPARE(h.dialogs.MessageTexts(),
                 QStringList{"A value beginning with ';' cannot be saved "
                             "(Design Yagi: Frequency in MHz)"});
        QCOMPARE(h.dialogs.messages[0].icon, QMessageBox::Critical);
        QCOMPARE(h.dialogs.beeps, 0);
        QVERIFY(!QFile::exists(QDir(folder_.path()).filePath("Tavora.cnf")));
    }

    void numbersAreSavedWithAPointAndComeBackWithTheUsersSeparator()
    {
        test::Harness h;
        MainWindow w(h.context);
        h.state.DesignEntry[0] = test::Typed("144.1").toStdString();
        w.findChild<QAction*>("Save1")->trigger();
        QFile file(QDir(folder_.path()).filePath("Tavora.cnf"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("\r\n144.1\r\n8\r\n"));
        h.state.DesignEntry[0] = "50";
        w.findChild<QAction*>("SaveAs1")->trigger();
        QCOMPARE(QString::fromStdString(h.state.DesignEntry[0]), test::Typed("144.1"));
    }

    void aCutOffFileSaysSoAndKeepsTheEntries()
    {
        test::Harness h;
        MainWindow w(h.context);
        w.findChild<QAction*>("Save1")->trigger();
        QFile file(QDir(folder_.path()).filePath("Tavora.cnf"));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(300)); // cut off in the YO group
        file.close();
        h.dialogs.messages.clear();
        h.state.DesignEntry[0] = "432";
        h.state.YoEntry.fill("typed");
        w.findChild<QAction*>("SaveAs1")->trigger();
        QCOMPARE(h.dialogs.messages.size(), 1);
        QVERIFY2(h.dialogs.messages[0].text.startsWith("Tavora.cnf is incomplete: it holds "),
                 qPrintable(h.dialogs.messages[0].text));
        QCOMPARE(h.state.DesignEntry[0], std::string("432"));
        QCOMPARE(h.state.YoEntry[40], std::string("typed"));
    }
};

TAVORA_UI_TEST_MAIN(DataFileMenuTest)
#include "data_file_menu_test.moc"
