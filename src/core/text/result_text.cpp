#include "text/result_text.h"

namespace tavora {

std::string FigureRow::Text() const
{
    std::string text = value;
    for (const std::string* part : {&unit, &uncertainty})
        if (!part->empty())
            text += " " + *part;
    return text;
}

std::string RowLine(const std::vector<std::string>& cells)
{
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i)
        line += (i ? "\t" : "") + cells[i];
    return line;
}

std::string RowLine(const FigureRow& row)
{
    if (row.label.empty())
        return row.Text();
    std::vector<std::string> cells{row.label, row.Text()};
    cells.insert(cells.end(), row.beside.begin(), row.beside.end());
    return RowLine(cells);
}

std::vector<std::string> ResultLines(const ResultText& text)
{
    std::vector<std::string> lines;
    if (!text.heading.empty())
        lines.push_back(text.heading);
    lines.insert(lines.end(), text.notes.begin(), text.notes.end());
    for (const FigureRow& row : text.figures)
        lines.push_back(RowLine(row));
    for (const TextTable& table : text.tables) {
        lines.emplace_back();
        if (!table.caption.empty())
            lines.push_back(table.caption);
        lines.push_back(RowLine(table.columns));
        for (const auto& row : table.rows)
            lines.push_back(RowLine(row));
        for (const FigureRow& row : table.summary)
            lines.push_back(RowLine(row));
    }
    return lines;
}

} // namespace tavora
