// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design/entry.h"
#include "exchange/frequency_walk.h"
#include "state/design_state.h"

#include <optional>
#include <string>

namespace tavora {

// Entry numbers (1..41) of the YO entry group that the checks name.
namespace yo {
inline constexpr int kDipoleDiam = 1;
inline constexpr int kDipoleDist = 2;
inline constexpr int kDipoleLength = 3;
inline constexpr int kElementDiam = 4;
inline constexpr int kFrequency = 37;
inline constexpr int kBoomDiam = 38;
inline constexpr int kReflLength = 39;
inline constexpr int kFreqSource = 40;
inline constexpr int kMounting = 41;
inline constexpr int kRows = 16;
inline constexpr int DirLengthEntry(int k) { return 3 + 2 * k; }
inline constexpr int DirDistEntry(int k) { return 4 + 2 * k; }
} // namespace yo

// The " Calculate frequency from " choice; None when no item is selected.
enum class FrequencySource { None = -1, Reflector = 0, SingleDipole = 1, FoldedDipole = 2, Estimate = 3 };

// A radio group's item from its stored text: -1 or less selects none (-1), a
// number past the last item selects the last. Not a whole number: conversion error.
int ChoiceIndex(const std::string& text, int itemCount);

// A check's message and the entry whose box gets the focus.
struct BoxMessage {
    std::string text;
    int box = 0;
    bool operator==(const BoxMessage&) const = default;
};

// The YO details screen's working copy: the 41 texts, entry n at Text(n).
struct YoDetails {
    YoEntryTexts entries;
    bool frequencyReadOnly = true; // a new screen starts with it read-only

    std::string& Text(int n) { return entries[static_cast<size_t>(n - 1)]; }
    const std::string& Text(int n) const { return entries[static_cast<size_t>(n - 1)]; }
    FrequencySource Source() const;
    int MountingItem() const;
};

// The searches step the frequency down by 0.001 MHz from above the answer
// until the computed length comes within 0.01 mm. They give up, returning no
// value, when the frequency reaches 0 or after kMaxSearchSteps steps. Where
// the computed length provably rises with every step they find that same step
// by bisection, in microseconds.
std::optional<double> DipoleSearch(double length, double diam);
std::optional<double> ReflectorSearch(double length, double elementDiam, double boomDiam,
                                      Mounting mounting);
// The boom correction in wavelengths the reflector search adds for a boom
// ratio b: halved for insulated elements before the 0.666 b cap, so a thick
// insulated boom gets more than the design's BoomCorrection (design/dl6wu.h),
// which caps first.
double YoBoomCorrection(double b, Mounting mounting);
inline constexpr const char* kNoFrequencyFound = "No frequency fits these dimensions, check entries";

// Frequency estimate (a radio item selected): checks the five boxes, then
// computes entry 37 for the selected source. Returns the failed check's
// message, or nothing. A box that is not a number throws the conversion error.
std::optional<BoxMessage> CalcFfromRef(YoDetails& screen, char decimalSep = '.');

// Convert's checks before the conversion dialog opens.
std::optional<BoxMessage> ConvertChecks(const YoEntryTexts& entries, char decimalSep = '.');

inline constexpr const char* kErrorInBox = "Error in a box (boxes), check entries";
inline constexpr const char* kDirectorMismatch =
    "Director lengths and director spacing mismatch, check entries";

// Make YO, Make Mmana and Simulate: every box a number (an empty director box
// counts as 0), none negative; the frequency within kFrequencyRange; the
// dipole, reflector and element sizes positive and, with every director
// length given, in the wavelengths the method answers (state/refusals.h).
// Throws BoxRefusal naming the first box that fails.
void RefuseYoEntries(const YoEntryTexts& entries, char decimalSep = '.');

// Make Mmana: fills the design state from the entries and sets Mounting to
// 'N'. Returns the message when the directors do not fit together; the boxes
// are refused as RefuseYoEntries does first.
std::optional<std::string> MakeMmana(const YoEntryTexts& entries, DesignState& state,
                                     char decimalSep = '.');

} // namespace tavora
