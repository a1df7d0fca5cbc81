// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/main_window.h"
#include "app/shell/pictures.h"
#include "shell/resize_kit.h"
#include "shell/startup.h"
#include "shell/version.h"
#include "ui_test.h"

#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QProcess>

using namespace tavora;
using namespace tavora::app;
using tavora::shell::FourFifths;

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void programDirIsTheWorkingDirectory()
    {
        test::Harness h;
        QCOMPARE(QString::fromStdString(h.state.ProgramDir), QDir::currentPath());
        QCOMPARE(h.state.YoEntry[39], std::string("3"));
        QCOMPARE(h.state.YoEntry[40], std::string("2"));
    }

    void mainWindowShowsTheWelcomeScreenAtFourFifths()
    {
        test::Harness h;
        MainWindow w(h.context);
        QCOMPARE(w.windowTitle(), QStringLiteral("Tavora"));
        QCOMPARE(w.Heading()->text(), QStringLiteral("Tavora  for VHF/UHF"));
        QCOMPARE(w.findChild<QLabel*>("Label2")->text(), QStringLiteral("WELCOME"));
        QCOMPARE(w.findChild<QLabel*>("Label3")->text(),
                 QStringLiteral("   Tavora  builds on the work of many experimenters "));
        QCOMPARE(w.Client()->size(), QSize(FourFifths(1096), FourFifths(835)));
        // The heading's box 378 wide and its 27-pixel font, shrunk.
        QCOMPARE(w.Heading()->width(), 302);
        QCOMPARE(w.Heading()->font().pixelSize(), 21);
        QCOMPARE(w.VersionLine()->y() + w.VersionLine()->height(), w.Client()->height());
        QCOMPARE(w.Picture()->Picture().size(), QSize(314, 358));
        QCOMPARE(w.Heading()->font().family(), QStringLiteral("Comic Sans MS"));
        QCOMPARE(QFontInfo(w.Heading()->font()).family(), QStringLiteral("Comic Neue"));
        QCOMPARE(QFontInfo(w.findChild<QLabel*>("Label3")->font()).family(),
                 QStringLiteral("Liberation Sans"));
    }

    void activationSetsTheVersionLine()
    {
        test::Harness h;
        MainWindow w(h.context);
        // The release is the current one from the start, not only once active.
        QCOMPARE(w.VersionLine()->text(), QStringLiteral(" Version 2.6.10"));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.VersionLine()->text(), QStringLiteral(" Version 2.6.10"));
        QCOMPARE(w.VersionLine()->font().family(), QStringLiteral("Comic Sans MS"));
        QCOMPARE(w.VersionLine()->font().pointSize(), 11);
        QVERIFY(h.dialogs.messages.isEmpty());
    }

    void firstShowCentresInTheUsableArea()
    {
        test::Harness h;
        MainWindow w(h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect area = w.screen()->availableGeometry();
        const QRect frame = w.frameGeometry();
        QVERIFY(area.contains(frame));
        QVERIFY(qAbs(frame.center().x() - area.center().x()) <= 1);
        QVERIFY(qAbs(frame.center().y() - area.center().y()) <= 1);
    }

    void picturesDecodeThroughTheJpegPlugin()
    {
        QVERIFY(QImageReader::supportedImageFormats().contains("jpeg"));
        for (const char* path : {kWelcomePicture, kAboutPicture}) {
            QImageReader reader(QString::fromUtf8(path), "jpeg");
            const QImage image = reader.read();
            QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        }
        QCOMPARE(LoadPicture(kAboutPicture).size(), QSize(100, 100));
    }

    void runFolderHoldsTheStackingPictures()
    {
        // ctest runs the suites in the folder that `make run` starts the program in.
        for (const char* name : {"vertical.bmp", "horizontal.bmp"}) {
            const QImage image(QString::fromUtf8(name));
            QVERIFY2(!image.isNull(), name);
            QVERIFY(image.width() > 100 && image.height() > 100);
        }
    }

    void withoutADisplayTheProgramSaysSoAndExits_data()
    {
        QTest::addColumn<QStringList>("env");
        QTest::newRow("no display variables at all") << QStringList{};
        QTest::newRow("a display nobody answers")
            << QStringList{QStringLiteral("DISPLAY=:987"), QStringLiteral("QT_QPA_PLATFORM=xcb")};
    }

    void withoutADisplayTheProgramSaysSoAndExits()
    {
        QFETCH(QStringList, env);
        QProcess program;
        QProcessEnvironment e;
        e.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        for (const QString& pair : env)
            e.insert(pair.section('=', 0, 0), pair.section('=', 1));
        program.setProcessEnvironment(e);
        program.start(QStringLiteral(TAVORA_PROGRAM), {});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        const QString err = QString::fromLocal8Bit(program.readAllStandardError());
        QVERIFY2(err.endsWith(QString::fromUtf8(shell::kNoDisplay) + '\n'), qPrintable(err));
        QVERIFY(program.readAllStandardOutput().isEmpty());
    }

    // Answered without a display, as packagers and scripts ask them.
    void versionAndHelpPrintAndExit_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("version") << "--version"
                                 << "tavora 2.6.10";
        QTest::newRow("help") << "--help"
                              << "Usage: tavora [FILE.yag]";
    }
    void versionAndHelpPrintAndExit()
    {
        QFETCH(QString, option);
        QFETCH(QString, firstLine);
        QProcess program;
        QProcessEnvironment e;
        e.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        program.setProcessEnvironment(e);
        program.start(QStringLiteral(TAVORA_PROGRAM), {option});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 0);
        const QStringList out = QString::fromLocal8Bit(program.readAllStandardOutput()).split('\n');
        QCOMPARE(out.first(), firstLine);
        if (option == "--version")
            QCOMPARE(out.at(1), QString::fromUtf8(shell::kLicenceLine));
    }

    // Not opened as a file of that name: a name starting with - goes after --.
    void anUnknownOptionIsRefused()
    {
        QProcess program; // with the suite's offscreen display
        program.start(QStringLiteral(TAVORA_PROGRAM), {QStringLiteral("--frobnicate")});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 2);
        QVERIFY(program.readAllStandardError().contains("unknown option --frobnicate"));
    }
};

TAVORA_UI_TEST_MAIN(StartupTest)
#include "startup_test.moc"
