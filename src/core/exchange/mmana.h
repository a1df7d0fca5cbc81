// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "state/design_state.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tavora {

// The export window's lists, in item order.
extern const std::vector<std::string_view> kDm1Items;
extern const std::vector<std::string_view> kDm2Items;
extern const std::vector<std::string_view> kScItems;
extern const std::vector<std::string_view> kEcItems;
extern const std::vector<std::string_view> kEngineItems;
extern const std::vector<std::string_view> kGroundItems;
extern const std::vector<std::string_view> kHeightItems;
extern const std::vector<std::string_view> kMaterialItems;
extern const std::vector<std::string_view> kDipoleItems;
// The guideline text box's lines.
extern const std::vector<std::string_view> kGuidelineLines;

// Item index of a list's text, or -1 for a typed text that is no item.
int ItemIndex(const std::vector<std::string_view>& items, std::string_view text);

// What the export window writes: list texts where the file takes texts, item
// indexes where it takes indexes. Defaults are the window's.
struct MaaOptions {
    std::string name = "Yagi01";
    std::string dm1 = "400";
    std::string dm2 = "40";
    std::string sc = "2.0";
    std::string ec = "1";
    int ground = 0;
    std::string height = "15";
    int material = 4;
    int dipole = 0; // 0 single dipole, any other the folded dipole
};

inline constexpr const char* kNotInsulated =
    "The elements are not insulated from the boom. MMANA-GAL will give an incorrect assessment";
inline constexpr const char* kNoOptimiserDir = "Could not create Optimiser directory";

// Makes the folder "Optimiser" inside `dir` unless it is there, and gives
// the folder the save dialog proposes. On failure the caller shows
// kNoOptimiserDir and goes on with that folder all the same.
std::string OptimiserDir(const std::string& dir, bool& created);

// The .maa text (CRLF after every line). Numbers always use a point, as the
// commas between the fields would otherwise make them ambiguous. A text with a
// line break or other control character, or a list text with a comma, throws
// FileError naming its box. The number boxes (DM1, DM2, SC, EC, height) are
// typed with `decimalSep` and checked here, when the file is saved: one that is
// empty, no number or out of range throws BoxRefusal naming it.
std::string MaaText(const DesignState& state, const MaaOptions& options, char decimalSep = '.');
void WriteMaaFile(const DesignState& state, const MaaOptions& options, const std::string& fileName,
                  char decimalSep = '.');
inline constexpr const char* kHeightBox = "Height (metres)";

// A guideline label's text and whether its figure is outside the guideline.
struct GuidelineLabel {
    std::string text;
    bool red = false;
};
struct GuidelineLabels {
    GuidelineLabel segment;  // Label15
    GuidelineLabel wireDiam; // Label12
    GuidelineLabel segDiam;  // Label16
};

// The three guideline figures for DM1's text and the engine list's item index
// (0 MMANA-GAL). A DM1 text that is not a number throws the conversion error.
GuidelineLabels FillLabels(const DesignState& state, const std::string& dm1Text, int engineIndex,
                           char decimalSep = '.');

} // namespace tavora
