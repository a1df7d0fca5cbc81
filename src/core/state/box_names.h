// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

namespace tavora {

// The boxes the text groups come from, as their screens caption them, so that
// a refusal to save a text can name the box to correct.
inline constexpr const char* kDescriptionBox = "Describe yagi";

// YO entry n (1..41) on the "Make YO file" screen: "Dipole diameter", "Dir 3 Length".
std::string YoEntryBox(int n);

extern const std::array<const char*, 12> kDesignEntryBoxes;
extern const std::array<const char*, 2> kGainBoxes;
extern const std::array<const char*, 3> kStackingBoxes;

} // namespace tavora
