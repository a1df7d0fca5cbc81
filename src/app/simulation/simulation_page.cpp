// SPDX-License-Identifier: GPL-3.0-or-later
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

void FillTable(QTableWidget* table, const std::vector<Cells>& rows, const Cells* heads)
{
    size_t columns = heads ? heads->size() : 0;
    for (const Cells& row : rows)
        columns = std::max(columns, row.size());
    ClearTable(table);
    table->setColumnCount(static_cast<int>(columns));
    if (heads) {
        QStringList labels;
        for (const std::string& head : *heads)
            labels << QString::fromStdString(head);
        table->setHorizontalHeaderLabels(labels);
    }
    table->horizontalHeader()->setVisible(heads != nullptr);
    table->setRowCount(static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            table->setItem(static_cast<int>(r), static_cast<int>(c),
                           new QTableWidgetItem(QString::fromStdString(rows[r][c])));
    FitColumns(table);
}

void FillTable(QTableWidget* table, const TextTable& text)
{
    std::vector<Cells> rows = text.rows;
    for (const FigureRow& row : text.summary)
        rows.push_back(RowCells(row));
    FillTable(table, rows, &text.columns);
}

void ShowFigures(const ResultText& text, QLabel* notes, QTableWidget* figures)
{
    QStringList sentences;
    if (!text.heading.empty())
        sentences << QString::fromStdString(text.heading);
    for (const std::string& note : text.notes)
        sentences << QString::fromStdString(note);
    std::vector<Cells> rows;
    for (const FigureRow& row : text.figures) {
        if (row.label.empty())
            sentences << QString::fromStdString(row.Text());
        else
            rows.push_back(RowCells(row));
    }
    notes->setText(sentences.join(QLatin1Char('\n')));
    FillTable(figures, rows);
}

} // namespace tavora::app
