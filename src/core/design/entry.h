// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "state/design_state.h"

#include <array>
#include <optional>
#include <string>

namespace tavora {

enum class BoomType { Square = 0, Round = 1 };
enum class Mounting { Bonded = 0, Insulated = 1, NonMetal = 2 };
enum class Shape { Round = 0, Square = 1, Flat = 2 };
enum class DipoleMount { SameAsDirectors = 0, FullyInsulated = 1 };

// The design entry screen's boxes and radio groups, as the window holds them.
struct DesignEntry {
    // Boxes 1..11 in the order of the design entry group.
    std::string Frequency, Directors, ElementDiam, RadiatorWidth, BoomSection, RadiatorDiam,
        BendDiam, FeedGap, RadiatorThick, ElementWidth, ElementThick;
    BoomType Boom = BoomType::Square;
    Mounting ElementMounting = Mounting::Bonded;
    Shape RadiatorShape = Shape::Round;
    Shape ElementShape = Shape::Round;
    DipoleMount DipoleMounting = DipoleMount::SameAsDirectors;
};

// The boxes and radio groups filled from the design entry group; a missing or
// non-digit choice character selects the first item, one past the end the last.
DesignEntry GetValues(const DesignEntryTexts& texts);
// The entry screen as it first opens in a run: the group's start-up texts.
DesignEntry FormDefaults();

// The design entry group written from the boxes, the five choices packed as digits.
DesignEntryTexts SaveValues(const DesignEntry& entry);

// The size boxes rewritten for the band the frequency text falls in. A text
// that is not a number writes the lowest band, then throws the conversion error.
void ApplyBandDefaults(DesignEntry& entry, char decimalSep = '.');

// The frequency box left or Calculate pressed: the band's sizes for a
// frequency Calculate accepts, written only into the size boxes that still
// hold the sizes of the band `previous` (the frequency they were last filled
// for) falls in, so that no size the user typed is lost. When `previous` is no
// number every size box takes the band's. A refused frequency changes nothing.
void ApplyBandChange(DesignEntry& entry, const std::string& previous, char decimalSep = '.');

struct CoaxItem {
    const char* text;
    double velocityFactor; // 0 for the user-defined item
};
inline constexpr int kCoaxCount = 46;
inline constexpr int kUserCoaxIndex = 45;
const std::array<CoaxItem, kCoaxCount>& CoaxList();

// The item text less " ohm" and the impedance digits before it.
std::string CoaxNameOf(const std::string& itemText);

// A click on coax item `index`. For the user-defined item `answer` is the
// prompt's text (the default "0" when cancelled). Returns the status line.
std::string NoteCoax(DesignState& state, int index, const std::string& answer = "0",
                     char decimalSep = '.');
inline constexpr const char* kNoCoaxStatus = "No coax selected for 4:1 balun";

// Equivalent round diameter of a flat strip from its typed width and thickness.
long double FlatStripDiameter(const std::string& width, const std::string& thickness,
                              char decimalSep = '.');

// Calculate: saves the group, then converts the boxes into the design state in
// order. A failing step throws; members set before it keep their new values.
// Zero, negative and out-of-range values (state/refusals.h) are refused, naming
// their box, and so is a design a builder cannot make (see RefuseUnbuildable).
void YagiDoCalculate(const DesignEntry& entry, DesignState& state, char decimalSep = '.');

// The design the entry group's texts give, calculated on a copy of `state`
// with Calculate's refusals and the engine run: for the windows that simulate
// a design before the design road was taken in this run. An entry group with
// no text at all throws kNoDesign.
DesignState DesignFromEntry(const DesignState& state, char decimalSep = '.');
// The same for boxes as the screen holds them now, not as last saved.
DesignState DesignFromEntry(const DesignEntry& entry, const DesignState& state,
                            char decimalSep = '.');
inline constexpr const char* kNoDesign = "Calculate a design first (Task, Design Yagi)";

inline constexpr const char* kDirectorCountRange = "Number of directors must be from 0 to 100";

// The box captions that refusals of impossible sizes name; the element boxes
// add their panel.
inline constexpr const char* kFrequencyBox = "Frequency in MHz";
inline constexpr const char* kBoomBox = "Cross-section of boom mm";
inline constexpr const char* kBendBox = "Diameter of dipole bend mm";
inline constexpr const char* kGapBox = "Dipole gap at feed point mm";
inline constexpr const char* kDiameterBox = "Diameter of element (mm)";
inline constexpr const char* kWidthBox = "Width of element (mm)";
inline constexpr const char* kThicknessBox = "Thickness of element (mm)";
inline constexpr const char* kDirectorPanel = " of the directors/reflector";
inline constexpr const char* kDipolePanel = " of the dipole";
inline constexpr const char* kDirectorsTooLong =
    " gives a director as long as the reflector or the director before it";
inline constexpr const char* kElementsTooThick =
    "The elements are too thick for this frequency: their lengths come out zero or negative";

} // namespace tavora
