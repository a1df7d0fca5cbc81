#include "nec/model_builder.h"

#include "design/report.h"
#include "exchange/mounting.h"
#include "exchange/yo_details.h"
#include "nec/segmentation.h"
#include "physics/physics.h"
#include "state/errors.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavora {

namespace {

void AddElement(NecModel& m, int element, double x, double length, double diam)
{
    const int tag = static_cast<int>(m.wires.size()) + 1;
    const double h = length / 2000;
    m.wires.push_back({tag, 1, x / 1000, -h, 0, x / 1000, h, 0, diam / 2000, element});
}

// The rod as the report tells the builder to bend it: two straights, the fed
// one below, joined by semicircular bends of diameter `bend`, standing centred
// on the elements' plane. Each bend is drawn with kBendChords chords; the
// chords are shorter than the arc, so the straights take up the difference and
// the conductor is as long as the rod plus the gap the feed closes.
void AddFoldedDipole(NecModel& m, double x, double tipToTip, double bend, double gap, double diam)
{
    const double xm = x / 1000, r = diam / 2000, rb = bend / 2000;
    const double step = std::numbers::pi / kBendChords;
    const double chords = 2 * kBendChords * 2 * rb * std::sin(step / 2);
    const double conductor = (FoldedRodLength(tipToTip, bend, gap) + gap) / 1000;
    const double h = (conductor - chords) / 4; // half a straight
    auto add = [&](double y1, double z1, double y2, double z2, bool isBend) {
        const int tag = static_cast<int>(m.wires.size()) + 1;
        m.wires.push_back({tag, 1, xm, y1, z1, xm, y2, z2, r, 1, isBend});
    };
    if (!(h > 0))
        throw Error(kBendTooWide);
    add(-h, -rb, h, -rb, false);
    add(-h, rb, h, rb, false);
    // Chord ends round the bend, from the lower straight's end (k = 0) to the
    // upper one's; the ends meet the straights exactly, as junctions must.
    auto y = [&](int k) { return k == 0 || k == kBendChords ? h : h + rb * std::sin(k * step); };
    auto z = [&](int k) { return k == 0 ? -rb : k == kBendChords ? rb : -rb * std::cos(k * step); };
    for (int side : {-1, 1})
        for (int k = 0; k < kBendChords; ++k)
            add(side * y(k), z(k), side * y(k + 1), z(k + 1), true);
    m.bendDiam = bend / 1000;
}

bool Positive(double v)
{
    return std::isfinite(v) && v > 0;
}

} // namespace

NecModel ModelFromMembers(const DesignState& s, Feed feed, double bendDiam)
{
    const int dirCount = std::clamp(s.DirCount, 0, kMaxDirectors);
    bool ok = Positive(s.DesignFreq) && Positive(s.ReflLength) && Positive(s.DipoleLength) &&
              Positive(s.ElementDiam) && Positive(s.RadiatorDiam) && Positive(s.RadiatorPos);
    double pos = s.RadiatorPos;
    for (int k = 1; k <= dirCount; ++k) {
        ok = ok && Positive(s.DirLength[static_cast<size_t>(k)]) &&
             Positive(s.DirSpacing[static_cast<size_t>(k)]);
        pos += s.DirSpacing[static_cast<size_t>(k)];
    }
    if (feed == Feed::FoldedDipole)
        ok = ok && Positive(bendDiam) && Positive(s.FoldedLength);
    if (!ok)
        throw Error(kNotAnAntenna);

    NecModel m;
    m.frequency = s.DesignFreq;
    m.feed = feed;
    m.directors = dirCount;
    m.lastElementPos = dirCount > 0 ? pos : s.RadiatorPos;
    AddElement(m, 0, 0, s.ReflLength, s.ElementDiam);
    m.sources = {{2}};
    if (feed == Feed::SingleDipole)
        AddElement(m, 1, s.RadiatorPos, s.DipoleLength, s.RadiatorDiam);
    else
        AddFoldedDipole(m, s.RadiatorPos, s.FoldedLength, bendDiam, s.FeedGap, s.RadiatorDiam);
    pos = s.RadiatorPos;
    for (int k = 1; k <= dirCount; ++k) {
        pos += s.DirSpacing[static_cast<size_t>(k)];
        AddElement(m, k + 1, pos, s.DirLength[static_cast<size_t>(k)], s.ElementDiam);
    }
    SegmentModel(m, kSegmentsPerHalfWave);
    return m;
}

bool BoomCorrected(const DesignState& state)
{
    return state.Mounting == 'Y' || state.Mounting == 'I';
}

DesignState ModelledDesign(const DesignState& state)
{
    DesignState s = state;
    if (BoomCorrected(s))
        s.Mounting = 'N';
    std::string report;
    Yagidimensions(s, report);
    return s;
}

NecModel ModelFromDesign(const DesignState& state, Feed feed)
{
    const DesignState s = ModelledDesign(state);
    NecModel m = ModelFromMembers(s, feed, s.BendDiam);
    if (BoomCorrected(state))
        m.notes.emplace_back(kNoBoomNote);
    return m;
}

NecModel ModelFromYoEntries(const YoEntryTexts& entries, Feed feed, char sep)
{
    YoEntryTexts e = entries;
    const bool metalBoom =
        ChoiceIndex(e[yo::kMounting - 1], 3) == 0 || ChoiceIndex(e[yo::kMounting - 1], 3) == 1;
    if (metalBoom)
        DoTheConversion(e, Mounting::NonMetal, sep);
    DesignState s;
    if (const auto message = MakeMmana(e, s, sep))
        throw Error(*message);
    // The YO entries hold one radiator length; as on the YO screen's folded
    // dipole estimate it is the folded dipole's length when that is chosen.
    s.FoldedLength = s.DipoleLength;
    const double bend = 0.024 * WaveLength(s.DesignFreq);
    NecModel m = ModelFromMembers(s, feed, bend);
    if (metalBoom)
        m.notes.emplace_back(kNoBoomNote);
    if (feed == Feed::FoldedDipole)
        m.notes.emplace_back("Folded dipole bend diameter taken as 0.024 wavelength");
    return m;
}

} // namespace tavora
