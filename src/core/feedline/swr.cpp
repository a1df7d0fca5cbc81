// SPDX-License-Identifier: GPL-3.0-or-later
#include "feedline/swr.h"

#include "feedline/coax_data.h"
#include "state/errors.h"
#include "state/numbers.h"
#include "state/program_dir.h"
#include "state/refusals.h"
#include "text/format.h"

#include <array>
#include <cmath>

namespace tavora {

namespace {

constexpr std::array<MeasureTexts, 4> kMeasures{{
    {"Power", "Reverse watts", "Forward watts", "watts"},
    {"Volts", "Reverse volts", "Forward volts", "volts"},
    {"Milliamps", "Reverse mA", "Forward mA", "mA"},
    {"Ohms (impedance)", "Low impedance", "High impedance", "ohms"},
}};

std::string TwoDecimals(double v, char sep)
{
    return FormatFixed(v, 15, 2, sep);
}

std::string Reading(double v, char sep)
{
    std::string text = TwoDecimals(v, sep);
    if (text.size() < 7)
        text.insert(0, 7 - text.size(), ' ');
    return text;
}

// 10^(L / 10), computed as e^(ln 10 x L / 10) with L / 10 taken first.
double LossFactor(double lossDb)
{
    const double a = Checked(lossDb / 10);
    return Checked(std::exp(Checked(std::log(10.0) * a)));
}

std::vector<std::string> MemoLines(const std::string& memo)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < memo.size()) {
        size_t end = memo.find('\n', start);
        if (end == std::string::npos)
            end = memo.size();
        std::string line = memo.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

} // namespace

const MeasureTexts& MeasureTextsOf(MeasureMode mode)
{
    return kMeasures[static_cast<size_t>(mode)];
}

double BridgeSWR(MeasureMode mode, double forward, double reverse)
{
    ClearFpFaults();
    switch (mode) {
    case MeasureMode::Power: {
        const double s = Checked(std::sqrt(Checked(forward / reverse)));
        return Checked((s + 1) / (s - 1));
    }
    case MeasureMode::Volts:
    case MeasureMode::Milliamps:
        return Checked((forward + reverse) / (forward - reverse));
    case MeasureMode::Ohms:
        break;
    }
    const double t = Checked(forward / reverse);
    return t >= 1 ? t : Checked(1 / t);
}

double AntennaSWR(double bridgeSwr, double lossDb)
{
    ClearFpFaults();
    const double rho = Checked(Checked((bridgeSwr - 1) / (bridgeSwr + 1)) * LossFactor(lossDb));
    if (rho >= 1)
        return 999;
    return Checked((1 + rho) / (1 - rho));
}

double PowerAtAntenna(double forwardWatts, double lossDb)
{
    ClearFpFaults();
    return Checked(forwardWatts / LossFactor(lossDb));
}

double AdjustedReverse(double reverse, double forward)
{
    if (reverse == forward)
        reverse -= 0.000001;
    if (reverse <= 0)
        reverse = 0.000001;
    return reverse;
}

std::string SwrMemoHeading()
{
    return "CALCULATING SWR FOR VARIOUS INPUTS\r\n\r\n"
           "SWR\tSWR\tCoax\tRev\tFwd\tUnits\r\n"
           "bridge\tantenna\tloss db\r\n";
}

std::string SwrRow(double bridgeSwr, double antennaSwr, double lossDb, double reverse,
                   double forward, MeasureMode mode, char sep)
{
    const bool noData = lossDb == kNoLossData;
    return TwoDecimals(bridgeSwr, sep) + '\t' + (noData ? "N/A" : TwoDecimals(antennaSwr, sep)) +
           '\t' + (noData ? "N/A" : TwoDecimals(lossDb, sep)) + '\t' + Reading(reverse, sep) +
           '\t' + Reading(forward, sep) + '\t' + MeasureTextsOf(mode).unitName + "\r\n";
}

void ChangeUnits(SwrSession& session, MeasureMode mode)
{
    session.mode = mode;
    session.powerLine.clear();
}

std::string Docoax(SwrSession& session, bool yes, const DesignState& state, char decimalSep)
{
    session.compensate = yes;
    session.powerLine.clear();
    // Emptied on "Yes" too, so a second click cannot list every cable twice.
    session.cables.clear();
    session.selectedCable = -1;
    if (!yes) {
        session.coaxLoss = 0;
        session.lossLabel = kCoaxLossCaption;
        return {};
    }
    BackToProgramDir(state);
    return LoadCoaxFile(ProgramFile(state, "Coax.dta"), session.cables, decimalSep) ? std::string()
                                                                                    : kNoCoaxFile;
}

namespace {

// GetLoss; `typing` passes over a length that is not (yet) a usable number,
// leaving the loss as it was.
std::string LossFor(SwrSession& session, const std::string& lengthText, bool typing, char sep)
{
    session.powerLine.clear();
    if (session.selectedCable < 0 ||
        session.selectedCable >= static_cast<int>(session.cables.size()))
        return {};
    const std::string& entry = session.cables[static_cast<size_t>(session.selectedCable)];
    if (session.band < 0 || session.band >= static_cast<int>(kBands.size())) {
        session.selectedCable = -1;
        return kSelectBandFirst;
    }
    const auto figure = CoaxFigureText(entry, BandKey(kBands[static_cast<size_t>(session.band)]));
    if (!figure) {
        session.coaxLoss = kNoLossData;
        session.lossLabel = kCoaxLossCaption;
        return kNoLossFigure;
    }
    const double per100ft = CoaxFigure(*figure, sep);
    double loss = 0;
    try {
        const double metres = StrToFloat(lengthText, sep);
        RefuseNegative(metres, kCoaxLengthBox);
        loss = CoaxLoss(metres, per100ft);
    } catch (const Error&) {
        if (typing)
            return {};
        throw;
    }
    session.coaxLoss = loss;
    session.lossLabel = "Coax lost= " + GeneralFloatText(loss, sep) + " dB";
    return {};
}

} // namespace

std::string GetLoss(SwrSession& session, const std::string& lengthText, char sep)
{
    return LossFor(session, lengthText, false, sep);
}

std::string UpdateEdit(SwrSession& session, const std::string& lengthText, char sep)
{
    if (session.band < 0 || session.selectedCable < 0 || lengthText.empty())
        return {};
    return LossFor(session, lengthText, true, sep);
}

void FindSWR(SwrSession& session, const std::string& reverseText, const std::string& forwardText,
             const std::string& lengthText, char sep)
{
    double reverse = StrToFloat(reverseText, sep);
    const double forward = StrToFloat(forwardText, sep);
    RefuseNegative(reverse, MeasureTextsOf(session.mode).firstLabel);
    RefuseNegative(forward, MeasureTextsOf(session.mode).secondLabel);
    // A line of 0 ohms is no line: the ratio against it would be any number.
    if (session.mode == MeasureMode::Ohms) {
        RefuseNotPositive(reverse, MeasureTextsOf(session.mode).firstLabel);
        RefuseNotPositive(forward, MeasureTextsOf(session.mode).secondLabel);
    }
    // The loss of the length the box holds now, which typing may have left behind.
    if (session.compensate && session.band >= 0 && session.selectedCable >= 0 &&
        session.coaxLoss != kNoLossData)
        GetLoss(session, lengthText, sep);
    reverse = AdjustedReverse(reverse, forward);
    // The formulas would give a negative SWR.
    if (session.mode != MeasureMode::Ohms && reverse > forward)
        throw BoxRefusal(MeasureTextsOf(session.mode).firstLabel, kReverseAboveForward);
    const double bridge = BridgeSWR(session.mode, forward, reverse);
    const double antenna = AntennaSWR(bridge, session.coaxLoss);
    const bool noData = session.coaxLoss == kNoLossData;
    if (noData)
        session.selectedCable = -1;
    session.memo += SwrRow(bridge, antenna, session.coaxLoss, reverse, forward, session.mode, sep);
    // Without a loss figure there is no power to claim.
    if (session.mode == MeasureMode::Power && session.compensate && !noData)
        session.powerLine = forwardText + " watts at bottom of coax delivers " +
                            TwoDecimals(PowerAtAntenna(forward, session.coaxLoss), sep) +
                            " watts to antenna";
    else
        session.powerLine.clear();
}

std::vector<std::string> SwrPrintLines(const std::string& memo, MeasureMode mode)
{
    std::vector<std::string> out(3);
    bool breakDue = false;
    const std::vector<std::string> lines = MemoLines(memo);
    for (size_t i = 0; i < lines.size(); ++i) {
        out.push_back('\t' + lines[i]);
        if (i > 0 && i % 48 == 0)
            breakDue = true;
        if (breakDue && mode == MeasureMode::Power && lines[i].find(':') == std::string::npos) {
            out.insert(out.end(), {"\f", "", ""});
            breakDue = false;
        }
    }
    return out;
}

} // namespace tavora
