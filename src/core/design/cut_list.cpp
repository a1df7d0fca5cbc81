#include "design/cut_list.h"

#include "arrays/gain.h"
#include "design/dl6wu.h"
#include "design/report.h"
#include "physics/physics.h"
#include "state/numbers.h"
#include "text/csv.h"
#include "text/format.h"

#include <cmath>

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
                    const std::string& thick, CutUnit unit, char sep)
{
    const auto L = [&](const std::string& text) {
        return CutLength(StrToFloat(text, sep), unit, sep);
    };
    if (shape == 1)
        return L(width) + " square";
    if (shape == 2)
        return L(width) + " x " + L(thick);
    return CutLength(diameter, unit, sep);
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

} // namespace

std::string CutLength(double mm, CutUnit unit, char sep)
{
    if (unit == CutUnit::Millimetre)
        return FormatFixed(mm, 15, 1, sep);
    const double inches = Checked(mm / kMmPerInch);
    const long long sixtyFourths = std::llround(std::abs(inches) * 64);
    const long long whole = sixtyFourths / 64;
    long long num = sixtyFourths % 64, den = 64;
    while (num != 0 && num % 2 == 0) {
        num /= 2;
        den /= 2;
    }
    std::string text = sixtyFourths != 0 && inches < 0 ? "-" : "";
    if (whole != 0 || num == 0)
        text += std::to_string(whole);
    if (num != 0)
        text += (whole != 0 ? " " : "") + std::to_string(num) + "/" + std::to_string(den);
    return text + " (" + FormatFixed(inches, 15, 3, sep) + ")";
}

CutList MakeCutList(const DesignState& s, CutUnit unit, CutDipole dipole, char sep)
{
    ClearFpFaults();
    const auto L = [unit, sep](double mm) { return CutLength(mm, unit, sep); };
    const std::string u = std::string(" ") + UnitName(unit);
    const std::string inUnit = std::string(" (") + UnitName(unit) + ")";
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
         Section(s.ElementShape, s.ElementDiam, s.ElementWidthText, s.ElementThickText, unit, sep) +
             u},
        {"Radiator", std::string(folded ? "folded dipole " : "single dipole ") +
                         Section(s.RadiatorShape, s.RadiatorDiam, s.RadiatorWidthText,
                                 s.RadiatorThickText, unit, sep) +
                         u},
        {"Mounting", MountingText(s)},
        {"Total boom length", L(s.BoomLength + 30) + u + ", with an overhang at each end"},
        {"Expected gain", FormatFixed(gainDbd, 7, 1, sep) + " dBd (" +
                              FormatFixed(gainDbd + kDipoleGainDbi, 7, 1, sep) + " dBi)"}};

    list.columns = {"Element", "Length" + inUnit, "Boom mark" + inUnit, "IT" + inUnit,
                    "Diameter" + inUnit};
    const auto row = [&](const std::string& name, double length, double mark, double diameter) {
        list.rows.push_back(
            {name, L(length), L(mark), L(InsertTo(length, s.BoomSize)), L(diameter)});
    };
    row("Reflector", s.ReflLength, 30, s.ElementDiam);
    row(folded ? "Folded dipole" : "Dipole", folded ? s.FoldedLength : s.DipoleLength,
        s.RadiatorPos + 30, s.RadiatorDiam);
    for (int n = 1; n <= s.DirCount; ++n)
        row("Director " + std::to_string(n), s.DirLength[n], s.DirBoomPos[n] + 30, s.ElementDiam);

    if (folded) {
        list.rodColumns = {"Folded dipole rod", "Length" + inUnit};
        for (const auto& [name, mm] : FoldedRodMarks(s))
            list.rodRows.push_back({name, L(mm)});
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
