// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tavora {

inline constexpr int kMaxDirectors = 100;

using DirectorArray = std::array<double, kMaxDirectors + 1>; // index 1..100; 0 unused

// What the entry screens typed, kept as texts between openings and across runs.
using DesignEntryTexts = std::array<std::string, 12>;
using YoEntryTexts = std::array<std::string, 41>;
using GainTexts = std::array<std::string, 2>;
using StackingTexts = std::array<std::string, 3>;

// The values the windows share: one per run, owned by the application and
// passed by reference. Lengths in mm, frequencies in MHz.
struct DesignState {
    DesignState();

    double DesignFreq = 0;
    double WaveLength = 0;
    std::int32_t DirCount = 0;
    DirectorArray DirLength{};
    DirectorArray DirBoomPos{};
    DirectorArray DirSpacing{};
    double ReflLength = 0;
    double DipoleLength = 0;
    double FoldedLength = 0;
    double RadiatorPos = 0;
    double BoomLength = 0;
    double ElementDiam = 0;
    double RadiatorDiam = 0;
    double BoomDiam = 0;
    long double BoomSize = 0;
    bool BoomSquare = false;
    char Mounting = '\0'; // 'Y' bonded, 'I' insulated through a metal boom, 'N' non-metal
    std::uint8_t DipoleMounting = 0; // 0 same as directors, 1 fully insulated
    std::uint8_t ElementShape = 0;   // 0 round, 1 square, 2 flat ribbon
    std::uint8_t RadiatorShape = 0;
    std::string ElementDiamText, ElementWidthText, ElementThickText;
    std::string RadiatorDiamText, RadiatorWidthText, RadiatorThickText;
    double BendDiam = 0;
    double FeedGap = 0;
    double FoldedTipToTip = 0;
    double FoldedStraight = 0;
    double FoldedBendDiam = 0;
    std::string CoaxName;
    double VelocityFactor = 0;
    double BalunLength = 0;

    std::string ProgramDir;
    std::string DataDir; // the installed copies of the shipped files, for when ProgramDir has none
    std::string YagiDescription;

    DesignEntryTexts DesignEntry;
    YoEntryTexts YoEntry;
    GainTexts GainValues;
    StackingTexts StackingValues;
    // The cut list's units as its choice is stored: "0" mm, "1" inch.
    std::string CutListUnits = "0";
};

} // namespace tavora
