// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulation/simulation_window.h"
#include "app/simulation/tolerance_page.h"
#include "simulation_ui.h"
#include "tool_test.h"

#include "child_processes.h"

#include "design/entry.h"
#include "design/report.h"

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QTableWidget>
#include <QTemporaryDir>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

namespace {

// The window opened on the tolerance page: the sweep does not start.
bool Opened(SimulationWindow& w)
{
    w.ShowPage(QStringLiteral("TolerancePage"));
    w.show();
    return QTest::qWaitForWindowExposed(&w);
}

QString Cell(QWidget* w, const char* table, int row, int column)
{
    const QTableWidgetItem* item = Find<QTableWidget>(w, table)->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

class TolerancePageTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_{kRunLimitMs};

  private slots:
    void cleanup()
    {
        QVERIFY(watchdog_.Failures().isEmpty());
        QCOMPARE(ChildProcessCount(), 0);
    }

    void buildsShowTheirSpreadSensitivityAndPictures()
    {
        Harness h;
        Design(h.state, "4");
        SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
        QVERIFY(Opened(w));
        auto* page = Find<TolerancePage>(&w, "TolerancePage");
        // The report's tolerance at 144.1 MHz, taken while the box is empty.
        QCOMPARE(Find<QLineEdit>(&w, "LengthTolerance")->placeholderText(), Typed("6.24"));
        QVERIFY(Find<QLineEdit>(&w, "LengthTolerance")->text().isEmpty());
        Type(&w, "Builds", QStringLiteral("6"));
        Find<QComboBox>(&w, "Distribution")->setCurrentIndex(1);
        Type(&w, "Seed", QStringLiteral("77"));
        Click(&w, "RunBuilds");
        QTRY_VERIFY_WITH_TIMEOUT(page->Result().has_value(), kRunLimitMs);
        QCOMPARE(Find<QProgressBar>(&w, "Progress")->maximum(), 3 + 6 + 4 * 6);
        QCOMPARE(Find<QLabel>(&w, "ToleranceHeading")->text(),
                 Typed("Tolerance at 144.100 MHz: 6 builds, lengths +/- 6.2 mm, positions +/- "
                       "1.0 mm, normal, seed 77"));
        QCOMPARE(Cell(&w, "Spread", 1, 0), QStringLiteral("Gain (dBi)"));
        QCOMPARE(Cell(&w, "Spread", 6, 0), Typed("All long by 6.2 mm"));
        auto* sensitivity = Find<QTableWidget>(&w, "Sensitivity");
        QCOMPARE(sensitivity->rowCount(), 6); // reflector, dipole, 4 directors
        QCOMPARE(Cell(&w, "Sensitivity", 5, 0), QStringLiteral("Director 4"));
        const QImage plots = Find<QWidget>(&w, "TolerancePlots")->grab().toImage();
        int bars = 0;
        for (int y = 0; y < plots.height(); y += 2)
            for (int x = 0; x < plots.width(); x += 2) {
                const QRgb c = plots.pixel(x, y);
                bars += qBlue(c) > 150 && qRed(c) < 80;
            }
        QVERIFY2(bars > 300, qPrintable(QString::number(bars)));
    }

    void aBoxNoBuildCouldComeFromIsNamed_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("no builds") << "Builds"
                                   << "0"
                                   << "Builds box empty or zero!";
        QTest::newRow("half a build") << "Builds"
                                      << "2.5"
                                      << "Builds must be a whole number, not '2.5'";
        QTest::newRow("a seed that is no number") << "Seed"
                                                  << "abc"
                                                  << "Seed must be a number, not 'abc'";
        QTest::newRow("an empty SWR reference") << "Z0"
                                                << ""
                                                << "SWR reference (ohm, 0 by dipole) box empty or zero!";
        QTest::newRow("negative tolerance") << "PositionTolerance"
                                            << "-1"
                                            << "Position tolerance (mm) cannot be negative";
    }
    void aBoxNoBuildCouldComeFromIsNamed()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Harness h;
        Design(h.state, "2");
        SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
        QVERIFY(Opened(w));
        Type(&w, box.toUtf8().constData(), Typed(text));
        Click(&w, "RunBuilds");
        QTRY_COMPARE(h.dialogs.MessageTexts(), QStringList{Typed(message)});
        QVERIFY(!w.Running());
    }

    void cancelStopsTheBuildsAndLeavesNoProcess()
    {
        Harness h;
        Design(h.state, "30");
        SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
        QVERIFY(Opened(w));
        auto* page = Find<TolerancePage>(&w, "TolerancePage");
        Type(&w, "Builds", QStringLiteral("1000"));
        Click(&w, "RunBuilds");
        QTRY_VERIFY(ChildProcessCount() > 0);
        QVERIFY(!Find<QPushButton>(&w, "RunBuilds")->isEnabled());
        Click(&w, "Cancel");
        QCOMPARE(ChildProcessCount(), 0);
        QTRY_COMPARE(Find<QLabel>(&w, "Status")->text(), QStringLiteral("Simulation cancelled"));
        QVERIFY(!page->Result().has_value());
        QVERIFY(Find<QPushButton>(&w, "RunBuilds")->isEnabled());
        QVERIFY(h.dialogs.messages.isEmpty());
    }

    void printsAndSavesTheBuilds()
    {
        Harness h;
        Design(h.state, "3");
        SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
        QVERIFY(Opened(w));
        auto* page = Find<TolerancePage>(&w, "TolerancePage");
        Type(&w, "Builds", QStringLiteral("4"));
        Click(&w, "RunBuilds");
        QTRY_VERIFY_WITH_TIMEOUT(page->Result().has_value(), kRunLimitMs);
        QTemporaryDir dir;
        const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
        const QString csv = dir.filePath(QStringLiteral("builds.csv"));
        h.dialogs.printers.push_back(ScriptedDialogs::PdfPrinter(printed));
        h.dialogs.saveFiles = {csv};
        Click(&w, "Print");
        Click(&w, "SaveCsv");
        QVERIFY(h.dialogs.unexpected.isEmpty());
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {printed, QStringLiteral("-")});
        p.waitForFinished();
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        for (const char* words : {"Tolerance at", "All long by", "Gain change per mm (dB)"})
            QVERIFY2(text.contains(QString::fromUtf8(words)), words);
        QFile file(QString::fromStdString(CsvTablePath(csv.toStdString(), "builds")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        QVERIFY(saved.startsWith("build,reflector_length_error_mm,"));
        QCOMPARE(saved.count("\n4,"), 1); // the last build's row
    }
};

TAVORA_UI_TEST_MAIN(TolerancePageTest)
#include "tolerance_page_test.moc"
