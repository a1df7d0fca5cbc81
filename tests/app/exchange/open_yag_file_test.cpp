// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/exchange/yo_details_window.h"
#include "app/shell/main_window.h"
#include "exchange_test.h"

#include <QDir>
#include <QFile>

#include <cstdio>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

// `tavora FILE.yag`, as a double-click on a .yag file starts it.
class OpenYagFileTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_;
    WorkingFolder folder_;

    // Opens the file from the main window; gives the YO screen's entries and
    // leaves the screen with Back.
    static QStringList OpenAndRead(MainWindow& w, const ScriptedDialogs& dialogs,
                                   const QString& path)
    {
        return OpenAndRead(w, dialogs, QFile::encodeName(path).toStdString());
    }
    static QStringList OpenAndRead(MainWindow& w, const ScriptedDialogs& dialogs,
                                   const std::string& path)
    {
        QStringList entries;
        WhenModalOpens([&](QWidget* modal) {
            auto* yo = qobject_cast<YoDetailsWindow*>(modal);
            QVERIFY(yo != nullptr);
            // The load runs as the screen's first action and ends in a notice.
            QTRY_VERIFY(!dialogs.messages.isEmpty());
            for (int n = 1; n <= 39; ++n)
                entries << yo->Box(n)->text();
            yo->reject();
        });
        w.OpenYagFile(path);
        return entries;
    }

  private slots:
    void initTestCase() { QVERIFY(folder_.Enter()); }
    void cleanupTestCase() { folder_.Leave(); }
    void cleanup() { QVERIFY(watchdog_.Failures().isEmpty()); }

    void theYoScreenOpensWithTheFilesValues()
    {
        QCOMPARE(Cli({"design", "--yag", "worked.yag", "--description", "Ten el"}), "File saved\n");
        Harness h;
        RegisterWindows(h.registry);
        MainWindow w(h.context);
        w.show();
        const QStringList entries =
            OpenAndRead(w, h.dialogs, QDir::current().filePath("worked.yag"));
        QCOMPARE(entries.size(), 39);
        for (const auto& [n, text] : WorkedYagi())
            if (n <= 39)
                QCOMPARE(entries.at(n - 1), Typed(text));
        QCOMPARE(entries.at(36), Typed("144.10"));
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{"   worked.yag loaded   "});
        QVERIFY(w.isVisible());
    }

    void aNameThatIsNotUtf8IsOpenedAsItsBytes()
    {
        const std::string name = "caf\xe9.yag";
        // Every test has a folder of its own: the file is written here too.
        QCOMPARE(Cli({"design", "--yag", "worked.yag", "--description", "Ten el"}), "File saved\n");
        QVERIFY(QFile::copy(QDir::current().filePath("worked.yag"),
                            QFile::decodeName(QByteArray("cafe.yag"))));
        QVERIFY(::rename("cafe.yag", name.c_str()) == 0);
        Harness h;
        RegisterWindows(h.registry);
        MainWindow w(h.context);
        w.show();
        const QStringList entries =
            OpenAndRead(w, h.dialogs, QDir::currentPath().toStdString() + "/" + name);
        QCOMPARE(h.dialogs.MessageTexts().size(), 1);
        QVERIFY(h.dialogs.MessageTexts().first().endsWith(".yag loaded   "));
        QCOMPARE(entries.at(36), Typed("144.10"));
    }

    void aFileThatCannotBeReadSaysSoAndTheProgramGoesOn()
    {
        Harness h;
        RegisterWindows(h.registry);
        MainWindow w(h.context);
        w.show();
        const QStringList entries =
            OpenAndRead(w, h.dialogs, QDir::current().filePath("missing.yag"));
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{"No yag file found"});
        QCOMPARE(entries.at(38), QStringLiteral("0")); // nothing loaded
        QVERIFY(w.isVisible());
        // The main window's menu still opens the screen.
        WhenModalOpens([](QWidget* modal) { modal->close(); });
        w.YO_calcClick();
        QCOMPARE(h.dialogs.MessageTexts().size(), 1);
    }
};

TAVORA_UI_TEST_MAIN(OpenYagFileTest)
#include "open_yag_file_test.moc"
