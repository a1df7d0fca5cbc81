// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "state/design_state.h"

#include <string>
#include <vector>

namespace tavora {

// The Measure choice; the index is the radio group's item number.
enum class MeasureMode { Power = 0, Volts = 1, Milliamps = 2, Ohms = 3 };

struct MeasureTexts {
    const char* item;
    const char* firstLabel;  // reverse reading, or the low impedance
    const char* secondLabel; // forward reading, or the high impedance
    const char* unitName;    // the memo's Units column
};
const MeasureTexts& MeasureTextsOf(MeasureMode mode);

// The loss that marks a cable without a figure for the chosen band.
inline constexpr double kNoLossData = 999;

double BridgeSWR(MeasureMode mode, double forward, double reverse);
// SWR at the antenna, or 999 when the reflection corrected for the loss
// (met on the way up and back) reaches 1.
double AntennaSWR(double bridgeSwr, double lossDb);
double PowerAtAntenna(double forwardWatts, double lossDb);

// The reverse reading kept away from the forward one and from zero, so that
// no formula divides by zero.
double AdjustedReverse(double reverse, double forward);

std::string SwrMemoHeading();
// One table row: the two SWRs and the loss with two decimals ("N/A" for the
// antenna SWR and the loss when the cable has no figure), the readings
// right-aligned in 7 characters, the unit name. Ends in CRLF.
std::string SwrRow(double bridgeSwr, double antennaSwr, double lossDb, double reverse,
                   double forward, MeasureMode mode, char decimalSep = '.');

inline constexpr const char* kNoCoaxFile = "File called 'Coax.dta' does not exist, see help file";
inline constexpr const char* kSelectBandFirst = "You must select frequency first";
inline constexpr const char* kNoLossFigure =
    "No data for loss at this frequency - coax unsuitable?";
inline constexpr const char* kReverseAboveForward =
    "Reverse reading is greater than forward reading";
inline constexpr const char* kCoaxLossCaption = "Coax loss";
inline constexpr const char* kCoaxLengthBox = "Length coax - metres";

// What the SWR window holds between its handlers. The reading boxes and the
// length box stay the window's; handlers pass their texts.
struct SwrSession {
    MeasureMode mode = MeasureMode::Power;
    bool compensate = false;         // "Coax compensate" is "Yes"
    double coaxLoss = 0;             // dB, or kNoLossData
    std::vector<std::string> cables; // the cable list, sorted
    int selectedCable = -1;          // index into cables, -1 for none
    int band = -1;                   // index into kBands, -1 for none chosen
    std::string lossLabel = kCoaxLossCaption;
    std::string powerLine;
    std::string memo = SwrMemoHeading();

    // The cable controls (length, band, cable list, loss label, power line)
    // are shown only while compensating.
    bool CableControlsVisible() const { return compensate; }
};

// A click on the Measure group; the window also empties both reading boxes.
void ChangeUnits(SwrSession& session, MeasureMode mode);

// A click on "Coax compensate". "Yes" loads Coax.dta from the program
// directory, else the installed one; gives the message to show (empty when
// none). Its figures must read with `decimalSep`, as the loss reads them.
std::string Docoax(SwrSession& session, bool yes, const DesignState& state, char decimalSep = '.');

// The loss of the selected cable at the chosen band for the length box's text.
// Gives the message to show, empty when none; after kSelectBandFirst the
// window puts the focus on the band list. A length or figure that is not a
// number throws ConversionError; a negative length is refused.
std::string GetLoss(SwrSession& session, const std::string& lengthText, char decimalSep = '.');

// A change of the length box or the band: recomputes the loss when a band and
// a cable are chosen and the length box is not empty. A length that is not a
// usable number yet, as while it is typed, is passed over without a word.
std::string UpdateEdit(SwrSession& session, const std::string& lengthText, char decimalSep = '.');

// "Calculate": appends one row to the memo and sets the power line. Readings
// that are not numbers, negative readings, or a reverse reading above the
// forward one outside the Ohms mode, throw and append nothing. While a cable's
// loss is in use it is first taken again from the length box's text, which
// must then be a number.
void FindSWR(SwrSession& session, const std::string& reverseText, const std::string& forwardText,
             const std::string& lengthText, char decimalSep = '.');

// What "Print" writes: three empty lines, then each memo line after a tab. In
// the Power mode, from memo line 48 on (and 96, ...), a form feed and two empty
// lines follow the first line without ":".
std::vector<std::string> SwrPrintLines(const std::string& memo, MeasureMode mode);

inline constexpr const char* kClearMemoQuestion = "Do you want to clear the memo field?";

} // namespace tavora
