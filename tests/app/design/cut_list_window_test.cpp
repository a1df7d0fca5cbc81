// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design/cut_list_window.h"
#include "app/design/results_window.h"
#include "tool_test.h"

#include "design/cut_list.h"
#include "design/entry.h"
#include "design/report.h"
#include "state/data_file.h"

#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

namespace {

void Design(DesignState& state, const char* directors)
{
    DesignEntry e = FormDefaults();
    e.Directors = directors;
    YagiDoCalculate(e, state);
    std::string report;
    Yagidimensions(state, report);
}

QString PdfText(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    p.waitForFinished();
    // The PDF's fonts join "fl" and "fi" into one glyph.
    return QString::fromUtf8(p.readAllStandardOutput())
        .replace(QChar(0xFB02), QStringLiteral("fl"))
        .replace(QChar(0xFB01), QStringLiteral("fi"));
}

// A row as pdftotext lays it out: its cells in order, blanks between.
bool HoldsRow(const QString& text, const std::vector<std::string>& row)
{
    QStringList cells;
    for (const std::string& cell : row)
        cells << QRegularExpression::escape(QString::fromStdString(cell));
    return text.contains(QRegularExpression(cells.join(QStringLiteral("\\s+"))));
}

} // namespace

class CutListWindowTest : public FolderTest {
    Q_OBJECT

  private slots:
    void theResultsWindowOpensTheCutList()
    {
        Harness h;
        Design(h.state, "8");
        ResultsWindow results(nullptr, h.context);
        results.show();
        QString title;
        WhenModalOpens([&title](QWidget* modal) {
            title = modal->windowTitle();
            modal->close();
        });
        Click(&results, "CutList");
        QTRY_COMPARE(title, QStringLiteral("Cut list"));
    }

    // Saving as PDF and printing put every element's row on the page.
    void pdfAndPrintHoldEveryRow_data()
    {
        QTest::addColumn<QString>("directors");
        QTest::addColumn<int>("units");
        QTest::newRow("10 elements in mm") << QStringLiteral("8") << 0;
        QTest::newRow("40 elements in inches") << QStringLiteral("38") << 1;
    }
    void pdfAndPrintHoldEveryRow()
    {
        QFETCH(QString, directors);
        QFETCH(int, units);
        Harness h;
        Design(h.state, directors.toUtf8().constData());
        CutListWindow w(nullptr, h.context);
        w.show();
        Find<QComboBox>(&w, "Units")->setCurrentIndex(units);
        const QString pdf = QDir::current().filePath(QStringLiteral("list.pdf"));
        const QString printed = QDir::current().filePath(QStringLiteral("printed.pdf"));
        h.dialogs.saveFiles = {pdf};
        h.dialogs.printers.push_back(ScriptedDialogs::PdfPrinter(printed));
        Click(&w, "SavePdf");
        Click(&w, "Print");
        QVERIFY(h.dialogs.unexpected.isEmpty());
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{QStringLiteral("File saved")});
        const CutList list = w.List();
        for (const QString& file : {pdf, printed}) {
            const QString text = PdfText(file);
            QVERIFY2(text.contains(QString::fromStdString(list.title)), qPrintable(text));
            for (const auto& row : list.rows)
                QVERIFY2(HoldsRow(text, row), qPrintable(QString::fromStdString(row[0])));
            for (const auto& row : list.rodRows)
                QVERIFY2(HoldsRow(text, row), qPrintable(QString::fromStdString(row[0])));
        }
    }

    void csvAndTheRememberedUnits()
    {
        Harness h;
        Design(h.state, "8");
        h.state.CutListUnits = "1";
        CutListWindow w(nullptr, h.context);
        w.show();
        QCOMPARE(Find<QComboBox>(&w, "Units")->currentIndex(), 1);
        const QString csv = QDir::current().filePath(QStringLiteral("list.csv"));
        Find<QComboBox>(&w, "Fraction")->setCurrentIndex(1);
        h.dialogs.saveFiles = {csv};
        Click(&w, "SaveCsv");
        for (const CsvTable& t : CutListCsv(MakeCutList(h.state, CutUnit::Inch, CutDipole::Folded,
                                                        '.', CutFraction::ThirtySecond))) {
            QFile file(QString::fromStdString(CsvTablePath(csv.toStdString(), t.name)));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll().toStdString(), t.text);
        }
        // The choice goes into the state, which the data file saves.
        Find<QComboBox>(&w, "Units")->setCurrentIndex(0);
        QCOMPARE(h.state.CutListUnits, std::string("0"));
        QVERIFY(DataFileText(h.state).ends_with("inch)\r\n0"));
    }
};

TAVORA_UI_TEST_MAIN(CutListWindowTest)
#include "cut_list_window_test.moc"
