// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulation/simulation_window.h"
#include "app/simulation/tune_page.h"
#include "simulation_ui.h"
#include "tool_test.h"

#include "child_processes.h"

#include "design/entry.h"
#include "design/report.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

namespace {

// The window with its tune page, opened on it: the sweep does not start.
void OpenTunePage(SimulationWindow& w, const DesignState& design, TunePage*& page)
{
    page = new TunePage(w, design);
    w.AddPage(page);
    w.ShowPage(QStringLiteral("TunePage"));
    w.show();
}

} // namespace

class TunePageTest : public FolderTest {
    Q_OBJECT

  private slots:
    void tuneShowsTheFiguresAndPlotAndPrints()
    {
        Harness h;
        Design(h.state, "8");
        SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
        TunePage* page = nullptr;
        OpenTunePage(w, h.state, page);
        QVERIFY(page && page->isVisible());
        Click(&w, "Tune");
        QTRY_VERIFY_WITH_TIMEOUT(page->Result().has_value(), kRunLimitMs);
        auto* table = Find<QTableWidget>(&w, "TuneFigures");
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("Tuned length:"));
        QVERIFY(table->item(0, 1)->text().contains(QStringLiteral(" mm (DL6WU ")));
        auto* bar = Find<QProgressBar>(&w, "Progress");
        QCOMPARE(bar->value(), bar->maximum());

        // Both sweeps and the matched SWR are drawn: blue gain, red SWR.
        const QImage plot = Find<QWidget>(&w, "TunePlot")->grab().toImage();
        int blue = 0, red = 0;
        for (int y = 0; y < plot.height(); ++y)
            for (int x = 0; x < plot.width(); ++x) {
                const QRgb c = plot.pixel(x, y);
                blue += qBlue(c) > 150 && qRed(c) < 80;
                red += qRed(c) > 150 && qBlue(c) < 80 && qGreen(c) < 80;
            }
        QVERIFY2(blue > 200 && red > 200, qPrintable(QStringLiteral("%1 %2").arg(blue).arg(red)));

        const QString printed = QDir::current().filePath(QStringLiteral("printed.pdf"));
        const QString csv = QDir::current().filePath(QStringLiteral("tune.csv"));
        h.dialogs.printers.push_back(ScriptedDialogs::PdfPrinter(printed));
        h.dialogs.saveFiles = {csv};
        Click(&w, "Print");
        Click(&w, "SaveCsv");
        QVERIFY(h.dialogs.unexpected.isEmpty());
        QVERIFY(QFile(printed).size() > 1000);
        for (const CsvTable& t : TuneCsv(*page->Result())) {
            QFile file(QString::fromStdString(CsvTablePath(csv.toStdString(), t.name)));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll().toStdString(), t.text);
        }
    }

    void cancelDuringATuneLeavesNoProcess()
    {
        Harness h;
        Design(h.state, "60"); // long enough to be caught running
        SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
        TunePage* page = nullptr;
        OpenTunePage(w, h.state, page);
        QVERIFY(page && page->isVisible());
        Click(&w, "Tune");
        QVERIFY(w.Running());
        QTRY_VERIFY(ChildProcessCount() > 0);
        Click(&w, "Cancel");
        QVERIFY(!w.Running());
        QCOMPARE(ChildProcessCount(), 0);
        QTRY_COMPARE(Find<QLabel>(&w, "Status")->text(), QStringLiteral("Simulation cancelled"));
        QVERIFY(!page->Result().has_value());
        QVERIFY(Find<QPushButton>(&w, "Tune")->isEnabled());
        QVERIFY(h.dialogs.messages.isEmpty());
    }
};

TAVORA_UI_TEST_MAIN(TunePageTest)
#include "tune_page_test.moc"
