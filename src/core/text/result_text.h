// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tavora {

// A question's answer as text in parts, so that a window, a printout, a CSV
// and the command line each take what they show without reading sentences.

// "Forward gain:" then "15.75 dBi ±0.03", then cells beside it (a comparison).
// A row without a label is a sentence among the figures.
struct FigureRow {
    std::string label;
    std::string value; // "-" for a figure the engine did not give
    std::string unit;
    std::string uncertainty; // "±0.03", "(±0.1, ±0.7)", or empty
    std::vector<std::string> beside;
    std::string Text() const; // value, unit and uncertainty, blank between
};

struct TextTable {
    std::string caption; // a sentence above the table, or empty
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
    // Rows under the table that sum it up (its maximum, where a limit holds).
    std::vector<FigureRow> summary;
};

struct ResultText {
    std::string heading;
    std::vector<std::string> notes;
    std::vector<FigureRow> figures;
    std::vector<TextTable> tables;
};

// A row's cells: a figure row's label, its Text and what is beside it; a row
// without a label is one cell, its sentence.
std::vector<std::string> RowCells(const FigureRow& row);
// The cells of every line as the command line prints them: the heading, the
// notes, the figure rows; then each table after an empty line: its caption,
// its column heads, its rows, its summary.
std::vector<std::vector<std::string>> ResultRows(const ResultText& text);
// One line a row, tabs between cells.
std::vector<std::string> ResultLines(const ResultText& text);

} // namespace tavora
