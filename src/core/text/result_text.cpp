// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/result_text.h"

#include <utility>

namespace tavora {

std::string FigureRow::Text() const
{
    std::string text = value;
    for (const std::string* part : {&unit, &uncertainty})
        if (!part->empty())
            text += " " + *part;
    return text;
}

std::vector<std::string> RowCells(const FigureRow& row)
{
    if (row.label.empty())
        return {row.Text()};
    std::vector<std::string> cells{row.label, row.Text()};
    cells.insert(cells.end(), row.beside.begin(), row.beside.end());
    return cells;
}

std::vector<std::vector<std::string>> ResultRows(const ResultText& text)
{
    std::vector<std::vector<std::string>> rows;
    if (!text.heading.empty())
        rows.push_back({text.heading});
    for (const std::string& note : text.notes)
        rows.push_back({note});
    for (const FigureRow& row : text.figures)
        rows.push_back(RowCells(row));
    for (const TextTable& table : text.tables) {
        rows.emplace_back();
        if (!table.caption.empty())
            rows.push_back({table.caption});
        rows.push_back(table.columns);
        rows.insert(rows.end(), table.rows.begin(), table.rows.end());
        for (const FigureRow& row : table.summary)
            rows.push_back(RowCells(row));
    }
    return rows;
}

std::vector<std::string> ResultLines(const ResultText& text)
{
    std::vector<std::string> lines;
    for (const auto& cells : ResultRows(text)) {
        std::string line;
        for (size_t i = 0; i < cells.size(); ++i)
            line += (i ? "\t" : "") + cells[i];
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace tavora
