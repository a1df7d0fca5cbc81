// SPDX-License-Identifier: GPL-3.0-or-later
#include "nec/output.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "state/errors.h"

namespace tavora {

namespace {

std::vector<std::string_view> Words(std::string_view line)
{
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
            ++i;
        if (i > start)
            out.push_back(line.substr(start, i - start));
    }
    return out;
}

bool Number(std::string_view word, double& value)
{
    const auto r = std::from_chars(word.data(), word.data() + word.size(), value);
    return r.ec == std::errc() && r.ptr == word.data() + word.size();
}

// The word after `key` on the line, e.g. "1.4400E+02" in "FREQUENCY : 1.4400E+02 MHz".
std::string_view WordAfter(std::string_view line, std::string_view key)
{
    const size_t at = line.find(key);
    if (at == std::string_view::npos)
        return {};
    const auto words = Words(line.substr(at + key.size()));
    return words.empty() ? std::string_view() : words[0];
}

bool NumberAfter(std::string_view line, std::string_view key, double& value)
{
    const std::string_view word = WordAfter(line, key);
    return !word.empty() && Number(word, value);
}

bool StartsWithDigits(std::string_view line)
{
    const auto words = Words(line);
    double v;
    return !words.empty() && Number(words[0], v);
}

} // namespace

namespace {

// Longer lines are cut: nec2c's are under 140 characters.
constexpr size_t kLineMax = 1024;

// Bounds no antenna's figures come near; beyond them the output is not
// nec2c's (or its numbers are garbage), and the arithmetic would fail on them.
void CheckFigure(double value, double lo, double hi, const char* what, std::string_view word)
{
    if (!(value >= lo && value <= hi))
        throw Error("nec2c output holds an impossible " + std::string(what) + ": " +
                    std::string(word.substr(0, 40)));
}

// nec2c's power gain 4 pi U / Pin, U = |E|^2 / (2 eta), from the line's
// printed field magnitudes (volts, the range factor left out) and the input
// power, with the 376.73 ohms nec2c takes for eta. Its TOTAL column is the
// same figure in steps of 0.01 dB, too coarse for what 1 mm of an element
// does; the fields have five digits. Against input power, not radiated, as
// the column: the elements' losses count. The column stands where the line
// lacks the fields or they do not give it (no field at all, a pattern of
// directive gains or at a range): rounded, the two must agree but for the
// fifth digits' own rounding.
double FieldGain(const std::vector<std::string_view>& w, double inputPower, double column)
{
    // THETA PHI VERTC HORIZ TOTAL AXIAL TILT SENSE |E(THETA)| PHASE |E(PHI)| PHASE
    double eTheta, ePhi;
    if (w.size() != 12 || !(inputPower > 0) || !Number(w[8], eTheta) || !Number(w[10], ePhi))
        return column;
    const double gain = 10 * std::log10(2 * std::numbers::pi * (eTheta * eTheta + ePhi * ePhi) /
                                        (376.73 * inputPower));
    return std::abs(gain - column) <= 0.005 + 0.001 ? gain : column;
}

class NecReader {
  public:
    explicit NecReader(const NecReadLimits& limits) : limits_(limits) {}

    void Line(std::string_view line)
    {
        double v;
        std::string_view word = WordAfter(line, "FREQUENCY :");
        if (word.empty())
            word = WordAfter(line, "FREQUENCY=");
        if (!word.empty() && Number(word, v)) {
            if (out_.size() == limits_.blocks)
                throw Error("nec2c output holds more frequencies than asked for");
            CheckFigure(v, 1e-6, 1e6, "frequency", word);
            out_.push_back({});
            out_.back().frequency = v;
            table_ = Table::None;
            return;
        }
        if (out_.empty())
            return;
        FrequencyOutput& f = out_.back();
        if (line.find("ANTENNA INPUT PARAMETERS") != std::string_view::npos) {
            table_ = Table::Input;
        } else if (line.find("RADIATION PATTERNS") != std::string_view::npos) {
            table_ = Table::Pattern;
            rows_ = 0;
        } else if (NumberAfter(line, "EFFICIENCY    =", v)) {
            CheckFigure(v, 0, 1000, "efficiency", WordAfter(line, "="));
            f.efficiency = v;
        } else if (NumberAfter(line, "INPUT POWER   =", v)) {
            CheckFigure(v, -1e12, 1e12, "input power", WordAfter(line, "="));
            f.inputPower = v;
        } else if (table_ == Table::Input && StartsWithDigits(line)) {
            // TAG SEG V(re im) I(re im) Z(re im) Y(re im) POWER; a row per source.
            const auto w = Words(line);
            double re, im;
            if (w.size() >= 8 && Number(w[6], re) && Number(w[7], im)) {
                CheckFigure(re, -1e12, 1e12, "impedance", w[6]);
                CheckFigure(im, -1e12, 1e12, "impedance", w[7]);
                if (!f.hasImpedance)
                    f.impedance = {re, im};
                if (f.impedances.size() < limits_.points)
                    f.impedances.emplace_back(re, im);
                f.hasImpedance = true;
            }
        } else if (table_ == Table::Input && f.hasImpedance) {
            table_ = Table::None; // the first line after the rows ends the table
        } else if (table_ == Table::Pattern && StartsWithDigits(line)) {
            // THETA PHI VERTC HORIZ TOTAL ..., the fields after
            const auto w = Words(line);
            PatternPoint p;
            if (w.size() >= 5 && Number(w[0], p.theta) && Number(w[1], p.phi) &&
                Number(w[4], p.gain)) {
                CheckFigure(p.theta, -360, 360, "angle", w[0]);
                CheckFigure(p.phi, -360, 360, "angle", w[1]);
                // nec2c prints -999.99 where there is no field at all.
                CheckFigure(p.gain, -1000, 100, "gain", w[4]);
                p.gain = FieldGain(w, f.inputPower, p.gain);
                if (f.pattern.size() < limits_.points)
                    f.pattern.push_back(p);
            }
            ++rows_;
        } else if (table_ == Table::Pattern && rows_ > 0 && Words(line).empty()) {
            table_ = Table::None;
        }
    }

    std::vector<FrequencyOutput> Take() { return std::move(out_); }

  private:
    NecReadLimits limits_;
    std::vector<FrequencyOutput> out_;
    enum class Table { None, Input, Pattern } table_ = Table::None;
    size_t rows_ = 0;
};

} // namespace

std::vector<FrequencyOutput> ParseNecOutput(std::string_view text)
{
    NecReader reader({});
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        reader.Line(text.substr(pos, std::min(end - pos, kLineMax)));
        pos = end + 1;
    }
    return reader.Take();
}

std::vector<FrequencyOutput> ReadNecOutput(std::istream& in, const NecReadLimits& limits,
                                           const std::function<void(std::string_view)>& eachLine)
{
    NecReader reader(limits);
    char line[kLineMax + 1];
    while (in.getline(line, sizeof line) || in.gcount() > 0) {
        // gcount counts the line break taken; a line too long stops at the
        // buffer's end with failbit, and its rest is skipped.
        auto n = static_cast<size_t>(in.gcount());
        if (in.fail() && !in.eof()) {
            in.clear();
            in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        } else if (!in.eof()) {
            --n;
        }
        const std::string_view text(line, n);
        if (eachLine)
            eachLine(text);
        reader.Line(text);
        if (in.eof())
            break;
    }
    return reader.Take();
}

std::vector<std::complex<double>> SourceImpedances(const NecModel& m,
                                                   const std::vector<std::complex<double>>& printed)
{
    std::vector<std::complex<double>> out;
    size_t at = 0;
    for (const NecSource& s : m.sources) {
        std::complex<double> z = 0;
        for (int k = 0; k < s.span; ++k) {
            if (at == printed.size())
                throw Error("nec2c output incomplete: source impedance missing");
            z += printed[at++];
        }
        out.push_back(z);
    }
    return out;
}

} // namespace tavora
