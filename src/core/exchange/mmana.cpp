// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/mmana.h"

#include "text/format.h"
#include "state/atomic_file.h"
#include "state/errors.h"
#include "state/numbers.h"
#include "state/refusals.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <utility>

namespace tavora {

const std::vector<std::string_view> kDm1Items = {
    "5",   "6",   "10",  "11",  "20",  "21",  "30",  "31",  "40",   "41",   "50",   "51",   "60",
    "61",  "80",  "81",  "100", "101", "150", "151", "200", "201",  "250",  "251",  "300",  "301",
    "350", "351", "400", "401", "600", "601", "800", "801", "1500", "1501", "3000", "3001"};
const std::vector<std::string_view> kDm2Items = {"2",  "4",   "6",   "8",   "10",  "20",  "30", "40",
                                                 "60", "80", "120", "200", "300", "400", "600"};
const std::vector<std::string_view> kScItems = {"1.01", "1.1", "1.3", "1.6", "2.0", "2.5", "3.0"};
const std::vector<std::string_view> kEcItems = {"1", "2", "3", "4", "8", "16"};
const std::vector<std::string_view> kEngineItems = {"MMANA-GAL", "NEC-2 for MMANA"};
const std::vector<std::string_view> kGroundItems = {"Free space", "Perfect", "Real"};
const std::vector<std::string_view> kHeightItems = {"0",  "5",  "10", "15", "20", "25",
                                                    "30", "35", "40", "45", "50"};
const std::vector<std::string_view> kMaterialItems = {"No Loss", "Cu wire", "Cu tube", "Al wire",
                                                      "Al tube", "Fe wire", "Fe tube", "User wire"};
const std::vector<std::string_view> kDipoleItems = {"Single dipole", "Folded dipole"};
const std::vector<std::string_view> kGuidelineLines = {
    "",
    "Guidelines for NEC-2 for MMANA",
    "",
    "0.001 wavelength <Segment length < 0.1 wavelength ",
    "with 0.05 preferred.",
    "Wire diameter (in wavelengths) < 0.3",
    "Segment length : diameter is > 4:1",
    "Use odd number of segments",
    "",
    "",
    "Guidelines for MMANA-GAL (uses MININEC)",
    "",
    "Minimum number segments for 1/2 wave is 10",
    "Segment length > 0.0001",
    "Segment length: diameter > than 1.25:1",
    "Wire diameter < 0.2 wavelengths",
    "With yagi use minimum of 20 segments per 1/2 wave",
    "Use even number of segments",
    "",
    "Due to restrictions in MMANA and NEC-2 design yagis ",
    "for insulated, round elements ",
    "",
    "Generally DM2<DM1 and EC=1 for both NEC-2 and ",
    "MMANA"};

int ItemIndex(const std::vector<std::string_view>& items, std::string_view text)
{
    const auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

namespace {

std::string F4(double x) { return FormatFixed(x, 6, 4, '.'); }

void AppendLine(std::string& out, const std::string& line)
{
    out += line;
    out += "\r\n";
}

// The driven element as six wires bent from one rod: two straights joined by
// chords to the outermost points of the bends.
void FoldedDipoleWires(std::string& out, const DesignState& s, const std::string& r)
{
    const std::string S = F4(s.FoldedStraight / 2000);
    const std::string T = F4(s.FoldedTipToTip / 2000);
    const std::string B = F4(s.FoldedBendDiam / 2000);
    const std::string D = F4(s.FoldedBendDiam / 1000);
    const std::string D3 = FormatFixed(s.FoldedBendDiam / 1000, 3, 3, '.');
    AppendLine(out, std::to_string(s.DirCount + 7));
    AppendLine(out, "0.0,  -" + S + ",  -" + D3 + ",  " + "0.0," + "  " + S + ",  -" + D3 + ",  " + r +
                        ",  -1");
    AppendLine(out, "0.0,  -" + S + ",  " + "0.0," + " " + "0.0," + "  " + S + ",  " + "0.0," + "  " +
                        r + ",  -1");
    AppendLine(out, "0.0,  -" + S + ",  " + "0.0," + " " + "0.0," + "  -" + T + ",  -" + B + ",  " + r +
                        ",  -1");
    AppendLine(out, "0.0,  " + S + ",  " + "0.0,  " + "0.0,  " + T + ",  -" + B + ",  " + r + ",  -1");
    AppendLine(out, "0.0,  -" + S + ",  -" + D + ",  " + "0.0,  " + "  -" + T + ",  -" + B + ",  " + r +
                        ",  -1");
    AppendLine(out, "0.0,  " + S + ",  -" + D + ",  " + "0.0,  " + T + ",  -" + B + ",  " + r + ",  -1");
}

// The name is a line of its own; the list texts share lines with commas
// between the fields.
void CheckMaaTexts(const MaaOptions& o)
{
    CheckSavedText(o.name, "Filename");
    const std::pair<const std::string&, const char*> fields[] = {
        {o.dm1, "DM1"}, {o.dm2, "DM2"}, {o.sc, "SC"}, {o.ec, "EC"}, {o.height, kHeightBox}};
    for (const auto& [text, box] : fields)
        CheckSavedText(text, box, ",");
}

// The boxes checked, the numbers written with a point for the file.
MaaOptions CheckedOptions(const MaaOptions& typed, char sep)
{
    MaaOptions o = typed;
    for (std::string* text : {&o.dm1, &o.dm2, &o.sc, &o.ec, &o.height})
        std::replace(text->begin(), text->end(), sep, '.');
    CheckMaaTexts(o);
    const auto number = [](const std::string& text, const char* box) {
        return BoxNumber(text, box, '.');
    };
    RefuseNotPositive(number(o.dm1, "DM1"), "DM1");
    RefuseNotPositive(number(o.dm2, "DM2"), "DM2");
    RefuseNotPositive(number(o.sc, "SC"), "SC");
    const double ec = number(o.ec, "EC");
    RefuseNotPositive(ec, "EC");
    if (ec != std::floor(ec))
        throw BoxRefusal("EC", "EC must be a whole number of segments");
    RefuseOutside(number(o.height, kHeightBox), kHeightRange, kHeightBox, sep);
    return o;
}

} // namespace

std::string MaaText(const DesignState& s, const MaaOptions& typed, char sep)
{
    const MaaOptions o = CheckedOptions(typed, sep);
    const int dirCount = std::clamp(s.DirCount, 0, kMaxDirectors);
    std::string out;
    AppendLine(out, o.name);
    AppendLine(out, "*");
    AppendLine(out, FormatFixed(s.DesignFreq, 6, 3, '.'));
    AppendLine(out, "***Wires***");
    const std::string r = F4(s.RadiatorDiam / 2000);
    if (o.dipole == 0) {
        const std::string A = F4(s.DipoleLength / 2000);
        AppendLine(out, std::to_string(dirCount + 2));
        AppendLine(out, "0.0,  -" + A + ",  " + "0.0," + " " + "0.0," + "  " + A + ",  " + "0.0," +
                            "  " + r + ",  -1");
    } else {
        DesignState counted = s;
        counted.DirCount = dirCount;
        FoldedDipoleWires(out, counted, r);
    }
    const std::string e = F4(s.ElementDiam / 2000);
    const std::string P = F4(s.RadiatorPos / 1000);
    const std::string L = F4(s.ReflLength / 2000);
    AppendLine(out, "-" + P + ",  " + "-" + L + ",  " + "0.0," + "  -" + P + ",  " + L + ",  " + "0.0," +
                        "  " + e + ",  -1");
    double position = 0;
    for (int k = 1; k <= dirCount; ++k) {
        position += s.DirSpacing[static_cast<size_t>(k)] / 1000;
        const std::string x = F4(position);
        const std::string h = F4(s.DirLength[static_cast<size_t>(k)] / 2000);
        AppendLine(out, x + ",  " + "-" + h + ",  " + "0.0," + "  " + x + ",  " + h + ",  " + "0.0," +
                            "  " + e + ",  -1");
    }
    AppendLine(out, "***Source***");
    AppendLine(out, "1,    0");
    AppendLine(out, "w1c,   0.0,    1.0");
    AppendLine(out, "***Load***");
    AppendLine(out, "0,     0");
    AppendLine(out, "***Segmentation***");
    AppendLine(out, o.dm1 + ",   " + o.dm2 + ",   " + o.sc + ",   " + o.ec);
    AppendLine(out, "***G/H/M/R/AzEl/X***");
    const std::string R = FormatFixed(o.dipole == 0 ? 50 : 200, 6, 1, '.');
    AppendLine(out, std::to_string(o.ground) + ",   " + o.height + ",   " + std::to_string(o.material) +
                        ",   " + R + ",   " + "120,    60,    0.0");
    return out;
}

std::string OptimiserDir(const std::string& dir, bool& created)
{
    const std::filesystem::path path = std::filesystem::path(dir) / "Optimiser";
    std::error_code ec;
    std::filesystem::create_directory(path, ec);
    created = !ec && std::filesystem::is_directory(path, ec);
    return path.string();
}

void WriteMaaFile(const DesignState& state, const MaaOptions& options, const std::string& fileName,
                  char sep)
{
    WriteFileAtomically(fileName, MaaText(state, options, sep));
}

GuidelineLabels FillLabels(const DesignState& state, const std::string& dm1Text, int engineIndex,
                           char sep)
{
    const bool mm = engineIndex == 0;
    const double dm1 = StrToFloat(dm1Text, sep);
    ClearFpFaults();
    const double s = Checked(state.WaveLength / (dm1 * 500));
    const double w = Checked(state.RadiatorDiam / state.WaveLength);
    const double ratio = Checked(s / w);
    GuidelineLabels labels;
    labels.segment = {"Segment = " + FormatFixed(s, 6, 4, sep) + " WaveLength",
                      mm ? s < 0.0001 : (s < 0.001 || s >= 0.1)};
    labels.segDiam = {"Seg:Diam = " + FormatFixed(ratio, 4, 1, sep) + ":1",
                      !(mm ? ratio >= 1.25 : ratio >= 4)};
    labels.wireDiam = {"Diam El =" + FormatFixed(w, 6, 4, sep) + " Wavelength",
                       !(mm ? w <= 0.02 : w <= 0.32)};
    return labels;
}

} // namespace tavora
