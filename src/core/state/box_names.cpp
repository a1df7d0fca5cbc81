// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/box_names.h"

namespace tavora {

std::string YoEntryBox(int n)
{
    switch (n) {
    case 1: return "Dipole diameter";
    case 2: return "Dipole dist from ref";
    case 3: return "Dipole length";
    case 4: return "Director/Reflector diameter";
    case 37: return "Frequency";
    case 38: return "Boom diam";
    case 39: return "Reflector length";
    case 40: return "Calculate frequency from";
    case 41: return "Elements";
    default: break;
    }
    // Entries 5..36 are the director rows: length, then distance.
    const int row = (n - 3) / 2;
    return "Dir " + std::to_string(row) + (n % 2 == 1 ? " Length" : " Dist from reflector");
}

const std::array<const char*, 12> kDesignEntryBoxes = {
    "Frequency in MHz",
    "Number of directors",
    "Diameter of element (mm), directors/reflector",
    "Width of element (mm), dipole",
    "Cross-section of boom mm",
    "Diameter of element (mm), dipole",
    "Diameter of dipole bend mm",
    "Dipole gap at feed point mm",
    "Thickness of element (mm), dipole",
    "Width of element (mm), directors/reflector",
    "Thickness of element (mm), directors/reflector",
    "radio choices"};
const std::array<const char*, 2> kGainBoxes = {"Enter frequency in MHz", "Boom length mm"};
const std::array<const char*, 3> kStackingBoxes = {"Frequency in MHz", "Half power beamwidth",
                                                   "Beamwidth"};

} // namespace tavora
