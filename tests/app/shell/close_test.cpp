// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/main_window.h"
#include "ui_test.h"

#include <QDir>
#include <QTemporaryDir>

using namespace tavora;
using namespace tavora::app;

class CloseTest : public test::FolderTest {
    Q_OBJECT

  private slots:
    void everyWayOfClosingAsks_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("File, Exit") << "exit";
        QTest::newRow("the close box") << "close";
    }

    void everyWayOfClosingAsks()
    {
        QFETCH(QString, how);
        test::Harness h;
        MainWindow w(h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const auto closeIt = [&] {
            if (how == "exit")
                w.findChild<QAction*>("Exit1")->trigger();
            else
                w.close();
        };

        // Cancel keeps the window and every value.
        h.state.DesignFreq = 432.1;
        h.state.StackingValues[1] = "41";
        h.dialogs.answers.push_back(QMessageBox::Cancel);
        closeIt();
        QVERIFY(w.isVisible());
        QCOMPARE(h.dialogs.messages.size(), 1);
        QCOMPARE(h.dialogs.messages[0].text, QStringLiteral("Close program?"));
        QCOMPARE(h.dialogs.messages[0].icon, QMessageBox::Question);
        QCOMPARE(h.dialogs.messages[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(h.state.DesignFreq, 432.1);
        QCOMPARE(h.state.StackingValues[1], std::string("41"));

        // OK closes it, and nothing is saved on the way out.
        h.dialogs.answers.push_back(QMessageBox::Ok);
        closeIt();
        QVERIFY(!w.isVisible());
        QCOMPARE(h.dialogs.messages.size(), 2);
        QVERIFY(QDir(folder_.path()).entryList(QDir::Files).isEmpty());
        QVERIFY(h.dialogs.unexpected.isEmpty());
    }

    void escapeIsNotAWayOfClosing()
    {
        test::Harness h;
        MainWindow w(h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(w.isVisible());
        QVERIFY(h.dialogs.messages.isEmpty());
    }
};

int main(int argc, char** argv)
{
    // Closing the last window must not end the test run.
    return tavora::test::RunUiTest(argc, argv, [] {
        QApplication::setQuitOnLastWindowClosed(false);
        return std::make_unique<CloseTest>();
    });
}
#include "close_test.moc"
