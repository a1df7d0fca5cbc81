#include "app/simulation/simulation_page.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <QTableWidget>

#include <algorithm>

namespace tavora::app {

SimulationPage::SimulationPage(PageHost& host) : host_(host) {}

void SimulationPage::SetRunning(bool running)
{
    RunButton()->setEnabled(!running);
}

QTableWidget* AddFigureTable(const char* name, QWidget* parent)
{
    auto* table = new QTableWidget(parent);
    table->setObjectName(QString::fromUtf8(name));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->setShowGrid(false);
    // Every column as wide as its text: a stretched last column would be cut
    // short with "..." where the text is wider than what is left.
    table->horizontalHeader()->setStretchLastSection(false);
    return table;
}

void ClearTable(QTableWidget* table)
{
    table->clear();
    table->setRowCount(0);
    table->setColumnCount(0);
}

void FitColumns(QTableWidget* table)
{
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
}

void WidenToRows(QTableWidget* table)
{
    table->setMinimumWidth(table->horizontalHeader()->length() + 2 * table->frameWidth() +
                           table->verticalScrollBar()->sizeHint().width());
}

void FillTable(QTableWidget* table, const std::vector<std::string>& lines, bool heading)
{
    std::vector<QStringList> rows;
    int columns = 0;
    for (const std::string& line : lines) {
        rows.push_back(QString::fromStdString(line).split(QLatin1Char('\t')));
        columns = std::max(columns, static_cast<int>(rows.back().size()));
    }
    ClearTable(table);
    table->setColumnCount(columns);
    const size_t first = heading && !rows.empty() ? 1 : 0;
    if (first)
        table->setHorizontalHeaderLabels(rows.front());
    table->horizontalHeader()->setVisible(first == 1);
    table->setRowCount(static_cast<int>(rows.size() - first));
    for (size_t r = first; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            table->setItem(static_cast<int>(r - first), c, new QTableWidgetItem(rows[r][c]));
    FitColumns(table);
}

void FillTable(QTableWidget* table, const TextTable& text)
{
    std::vector<std::string> lines{RowLine(text.columns)};
    for (const auto& row : text.rows)
        lines.push_back(RowLine(row));
    for (const FigureRow& row : text.summary)
        lines.push_back(RowLine(row));
    FillTable(table, lines, true);
}

void ShowFigures(const ResultText& text, QLabel* notes, QTableWidget* figures)
{
    QStringList sentences;
    if (!text.heading.empty())
        sentences << QString::fromStdString(text.heading);
    for (const std::string& note : text.notes)
        sentences << QString::fromStdString(note);
    std::vector<std::string> rows;
    for (const FigureRow& row : text.figures) {
        if (row.label.empty())
            sentences << QString::fromStdString(row.Text());
        else
            rows.push_back(RowLine(row));
    }
    notes->setText(sentences.join(QLatin1Char('\n')));
    FillTable(figures, rows, false);
}

} // namespace tavora::app
