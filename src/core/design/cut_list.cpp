// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/cut_list.h"

#include "arrays/gain.h"
#include "design/dl6wu.h"
#include "design/report.h"
#include "physics/physics.h"
#include "state/numbers.h"
#include "text/csv.h"
#include "text/format.h"

#include <cmath>
#include <functional>

namespace tavora {

namespace {

constexpr double kMmPerInch = 25.4;

const char* UnitName(CutUnit unit)
{
    return unit == CutUnit::Inch ? "in" : "mm";
}

// The cross-section the stock is bought in: a diameter, a square's side, or a
// strip's width by thickness, from the sizes as typed.
std::string Section(std::uint8_t shape, double diameter, const std::string& width,
                    const std::string& thick, char sep,
                    const std::function<std::string(double)>& length)
{
    const auto L = [&](const std::string& text) { return length(StrToFloat(text, sep)); };
    if (shape == 1)
        return L(width) + " square";
    if (shape == 2)
        return L(width) + " x " + L(thick);
    return length(diameter);
}

std::string MountingText(const DesignState& s)
{
    std::string text = s.Mounting == 'Y'   ? "through a metal boom, bonded"
                       : s.Mounting == 'I' ? "insulated through a metal boom"
                                           : "on a non-metal boom or clear of it";
    return text + (s.DipoleMounting == 1 ? "; dipole insulated" : "; dipole as the elements");
}

// Quoted only where a comma or quote needs it, so plain cells stay bare.
std::string CsvField(const std::string& text)
{
    return text.find_first_of(",\"") == std::string::npos ? text : CsvQuoted(text);
}

std::string Joined(const std::vector<std::string>& cells, const std::string& separator,
                   std::string (*field)(const std::string&))
{
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i)
        line += (i ? separator : "") + field(cells[i]);
    return line;
}

std::string Plain(const std::string& text)
{
    return text;
}

// Decimal inches to a thousandth (0.025 mm), finer than any fraction given.
std::string InchNumber(double mm, char sep)
{
    return FormatFixed(Checked(mm / kMmPerInch), 15, 3, sep);
}

} // namespace

std::string InchFraction(double mm, CutFraction fraction)
{
    const double inches = Checked(mm / kMmPerInch);
    const long long steps = static_cast<long long>(fraction);
    const long long parts = std::llround(std::abs(inches) * static_cast<double>(steps));
    const long long whole = parts / steps;
    long long num = parts % steps, den = steps;
    while (num != 0 && num % 2 == 0) {
        num /= 2;
        den /= 2;
    }
    std::string text = parts != 0 && inches < 0 ? "-" : "";
    if (whole != 0 || num == 0)
        text += std::to_string(whole);
    if (num != 0)
        text += (whole != 0 ? " " : "") + std::to_string(num) + "/" + std::to_string(den);
    return text;
}

std::string CutLength(double mm, CutUnit unit, char sep, CutFraction fraction)
{
    if (unit == CutUnit::Millimetre)
        return FormatFixed(mm, 15, 1, sep);
    return InchFraction(mm, fraction) + " (" + InchNumber(mm, sep) + ")";
}

CutList MakeCutList(const DesignState& s, CutUnit unit, CutDipole dipole, char sep,
                    CutFraction fraction)
{
    ClearFpFaults();
    const auto L = [unit, sep, fraction](double mm) { return CutLength(mm, unit, sep, fraction); };
    const bool inch = unit == CutUnit::Inch;
    // A length's cells: the number, and in inches its fraction beside it.
    const auto cells = [&](std::vector<std::string>& row, double mm) {
        row.push_back(inch ? InchNumber(mm, sep) : L(mm));
        if (inch)
            row.push_back(InchFraction(mm, fraction));
    };
    const std::string fractionName =
        " to 1/" + std::to_string(static_cast<int>(fraction)) + " (in)";
    const auto heads = [&](std::vector<std::string>& columns, const std::string& name) {
        columns.push_back(name + " (" + UnitName(unit) + ")");
        if (inch)
            columns.push_back(name + fractionName);
    };
    const std::string u = std::string(" ") + UnitName(unit);
    const bool folded = dipole == CutDipole::Folded;
    CutList list;
    list.title = "Cut list: " + ReportDocumentName(s, sep);

    const double gainDbd =
        GainVK3AUU(s.DirCount > 0 ? s.DirBoomPos[s.DirCount] : s.RadiatorPos, s.WaveLength);
    const std::string boomKind = s.Mounting == 'N' ? "" : s.BoomSquare ? " square" : " round";
    list.summary = {
        {"Frequency", FormatFixed(s.DesignFreq, 6, 2, sep) + " MHz"},
        {"Directors", std::to_string(s.DirCount)},
        {"Boom", L(static_cast<double>(s.BoomSize)) + u + boomKind + " across"},
        {"Elements",
         Section(s.ElementShape, s.ElementDiam, s.ElementWidthText, s.ElementThickText, sep, L) +
             u},
        {"Radiator", std::string(folded ? "folded dipole " : "single dipole ") +
                         Section(s.RadiatorShape, s.RadiatorDiam, s.RadiatorWidthText,
                                 s.RadiatorThickText, sep, L) +
                         u},
        {"Mounting", MountingText(s)},
        {"Total boom length", L(s.BoomLength + 30) + u + ", with an overhang at each end"},
        {"Expected gain", FormatFixed(gainDbd, 7, 1, sep) + " dBd (" +
                              FormatFixed(gainDbd + kDipoleGainDbi, 7, 1, sep) + " dBi)"}};

    list.columns = {"Element"};
    for (const char* name : {"Length", "Boom mark", "IT", "Diameter"})
        heads(list.columns, name);
    const auto row = [&](const std::string& name, double length, double mark, double diameter) {
        std::vector<std::string> cellsOfRow{name};
        for (const double mm : {length, mark, InsertTo(length, s.BoomSize), diameter})
            cells(cellsOfRow, mm);
        list.rows.push_back(std::move(cellsOfRow));
    };
    row("Reflector", s.ReflLength, 30, s.ElementDiam);
    row(folded ? "Folded dipole" : "Dipole", folded ? s.FoldedLength : s.DipoleLength,
        s.RadiatorPos + 30, s.RadiatorDiam);
    for (int n = 1; n <= s.DirCount; ++n)
        row("Director " + std::to_string(n), s.DirLength[n], s.DirBoomPos[n] + 30, s.ElementDiam);

    if (folded) {
        list.rodColumns = {"Folded dipole rod"};
        heads(list.rodColumns, "Length");
        for (const auto& [name, mm] : FoldedRodMarks(s)) {
            list.rodRows.push_back({name});
            cells(list.rodRows.back(), mm);
        }
    }
    return list;
}

std::vector<std::pair<const char*, double>> FoldedRodMarks(const DesignState& s)
{
    const FoldedDipoleRod rod = FoldedDipoleRodOf(s);
    return {{"Tip to tip", s.FoldedLength},
            {"Rod length", rod.rodLength},
            {"Centre of rod", rod.rodLength / 2},
            {"BC = CD", rod.bc},
            {"HI = GF", rod.hi},
            {"HA = GE", rod.ha},
            {"HB = GD", rod.hb},
            {"HC = GC", rod.hc},
            {"Gap HG", s.FeedGap},
            {"Bend diameter BI = DF", s.BendDiam}};
}

CsvTables CutListCsv(const CutList& list)
{
    const auto table = [](const std::vector<std::string>& columns, const auto& rows) {
        std::string csv = Joined(columns, ",", CsvField) + "\n";
        for (const auto& row : rows)
            csv += Joined(row, ",", CsvField) + "\n";
        return csv;
    };
    CsvTables tables{{"elements", table(list.columns, list.rows)}};
    if (!list.rodRows.empty())
        tables.push_back({"rod", table(list.rodColumns, list.rodRows)});
    return tables;
}

std::vector<std::string> CutListLines(const CutList& list, const std::string& date)
{
    std::vector<std::string> lines{list.title, date, ""};
    for (const auto& [caption, value] : list.summary)
        lines.push_back(caption + ":\t" + value);
    lines.push_back("");
    lines.push_back(Joined(list.columns, "\t", Plain));
    for (const auto& row : list.rows)
        lines.push_back(Joined(row, "\t", Plain));
    if (!list.rodRows.empty()) {
        lines.push_back("");
        lines.push_back(Joined(list.rodColumns, "\t", Plain));
        for (const auto& row : list.rodRows)
            lines.push_back(Joined(row, "\t", Plain));
    }
    return lines;
}

CutUnit CutUnitFromText(const std::string& text)
{
    return text == "1" ? CutUnit::Inch : CutUnit::Millimetre;
}

std::string CutUnitText(CutUnit unit)
{
    return unit == CutUnit::Inch ? "1" : "0";
}

} // namespace tavora
