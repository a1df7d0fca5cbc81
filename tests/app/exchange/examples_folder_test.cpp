// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/exchange/yo_details_window.h"
#include "tool_test.h"

#include "exchange/yo_file.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

class ExamplesFolderTest : public FolderTest {
    Q_OBJECT

  private slots:
    // Load Yag file proposes the shipped examples only when the working folder has no design.
    void loadYagOffersTheExamples_data()
    {
        QTest::addColumn<bool>("ownYag");
        QTest::addColumn<bool>("examples");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("no .yag here: the examples folder") << false << true << "examples/";
        QTest::newRow("a .yag here: this folder") << true << true << "Untitled.yag";
        QTest::newRow("no examples installed: this folder") << false << false << "Untitled.yag";
    }
    void loadYagOffersTheExamples()
    {
        QFETCH(bool, ownYag);
        QFETCH(bool, examples);
        QFETCH(QString, proposed);
        QTemporaryDir row(QDir::current().filePath(QStringLiteral("row-XXXXXX")));
        QVERIFY(QDir::setCurrent(row.path()));
        Harness h;
        h.state.ProgramDir = row.path().toStdString();
        QDir here = QDir::current();
        if (examples)
            QVERIFY(here.mkdir(QString::fromUtf8(kExamplesFolder)));
        if (ownYag) {
            QFile own(here.filePath(QStringLiteral("mine.yag")));
            QVERIFY(own.open(QIODevice::WriteOnly));
        }
        YoDetailsWindow w(nullptr, h.context);
        w.show();
        h.dialogs.openFiles = {QString()}; // cancelled
        w.findChild<QAction*>(QStringLiteral("LoadYag1"))->trigger();
        QTRY_COMPARE(h.dialogs.fileDialogs.size(), 1);
        QVERIFY2(h.dialogs.fileDialogs.first().initialName.endsWith(proposed),
                 qPrintable(h.dialogs.fileDialogs.first().initialName));
    }
};

TAVORA_UI_TEST_MAIN(ExamplesFolderTest)
#include "examples_folder_test.moc"
