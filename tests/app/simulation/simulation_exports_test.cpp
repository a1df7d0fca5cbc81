// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulation/simulation_window.h"
#include "tool_test.h"

#include "design/entry.h"
#include "design/report.h"
#include "nec/deck.h"
#include "nec/model_builder.h"
#include "simulation/touchstone.h"

#include <QFile>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

namespace {

constexpr int kRunLimitMs = 60000;

std::string ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
}

} // namespace

class SimulationExportsTest : public FolderTest {
    Q_OBJECT

  private slots:
    // Each export writes what the command line writes for the same design.
    void eachExportWritesItsFile()
    {
        Harness h;
        DesignEntry e = FormDefaults();
        YagiDoCalculate(e, h.state);
        std::string report;
        Yagidimensions(h.state, report);
        SimulationWindow w(nullptr, h.context, SimulationWindow::FromDesign(h.state));
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(w.Result().has_value(), kRunLimitMs);
        const struct {
            const char* button;
            std::string expected;
        } cases[] = {
            {"SaveCsv", SimulationCsv(*w.Result()).front().text},
            {"SaveTouchstone", TouchstoneS1p(*w.Result())},
            {"SaveNecDeck", ExportDeck(ModelFromDesign(h.state, Feed::SingleDipole))},
        };
        for (const auto& c : cases) {
            const QString path = QDir::current().filePath(QString::fromUtf8(c.button));
            h.dialogs.saveFiles = {path};
            Click(&w, c.button);
            // The CSV's main table is NAME-sweep.csv.
            QCOMPARE(ReadAll(c.button == std::string("SaveCsv") ? path + QStringLiteral("-sweep.csv")
                                                                 : path),
                     c.expected);
        }
        QVERIFY(h.dialogs.unexpected.isEmpty());
        QCOMPARE(h.dialogs.MessageTexts().size(), 3);
        QVERIFY(ReadAll(QDir::current().filePath(QStringLiteral("SaveTouchstone")))
                    .find("# MHz S RI R 50\n") != std::string::npos);
    }
};

TAVORA_UI_TEST_MAIN(SimulationExportsTest)
#include "simulation_exports_test.moc"
