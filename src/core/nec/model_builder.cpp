// SPDX-License-Identifier: GPL-3.0-or-later
#include "nec/model_builder.h"

#include "design/report.h"
#include "exchange/mounting.h"
#include "exchange/yo_details.h"
#include "nec/segmentation.h"
#include "physics/physics.h"
#include "state/errors.h"
#include "state/numbers.h"

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
// on the elements' plane. Each bend is drawn with BendChords chords; the
// chords are shorter than the arc, so the straights take up the difference and
// the conductor is as long as the rod plus the gap the feed closes.
void AddFoldedDipole(NecModel& m, double x, double tipToTip, double bend, double gap, double diam)
{
    const double xm = x / 1000, r = diam / 2000, rb = bend / 2000;
    const int n = BendChords(bend, diam);
    const double step = std::numbers::pi / n;
    const double chords = 2 * n * 2 * rb * std::sin(step / 2);
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
    auto y = [&](int k) { return k == 0 || k == n ? h : h + rb * std::sin(k * step); };
    auto z = [&](int k) { return k == 0 ? -rb : k == n ? rb : -rb * std::cos(k * step); };
    for (int side : {-1, 1})
        for (int k = 0; k < n; ++k)
            add(side * y(k), z(k), side * y(k + 1), z(k + 1), true);
    m.bendDiam = bend / 1000;
}

bool Positive(double v)
{
    return std::isfinite(v) && v > 0;
}

} // namespace

int BendChords(double bend, double diam, int most)
{
    int n = most;
    while (n > 1 && bend * std::sin(std::numbers::pi / (2 * n)) < kExtendedKernelRadii * diam / 2)
        --n;
    return n;
}

NecModel WithInscribedBends(const NecModel& model)
{
    if (model.feed != Feed::FoldedDipole)
        return model;
    // The model's straights took up what its chords lack of the arcs,
    // D (pi/2 - n sin(pi/2n)) per bend: here they are as long as the report
    // has them, and each bend is redrawn on its arc with as many chords as
    // the kernel's range allows, up to kMostBendChords.
    NecModel m = model;
    m.wires.clear();
    int chords = 0;
    double end = 0, radius = 0; // the straights' ends, the rod's radius
    for (const NecWire& w : model.wires) {
        chords += w.bend ? 1 : 0;
        if (w.element == 1 && !w.bend)
            end = std::max({end, std::abs(w.y1), std::abs(w.y2)}), radius = w.radius;
    }
    chords /= 2;
    const double rb = model.bendDiam / 2, pi = std::numbers::pi;
    const double h = end - rb * (pi / 2 - chords * std::sin(pi / (2 * chords)));
    for (NecWire w : model.wires) {
        if (w.bend)
            continue;
        if (w.element == 1)
            for (double* y : {&w.y1, &w.y2})
                if (std::abs(*y) >= end * (1 - 1e-9))
                    *y = std::copysign(h, *y);
        m.wires.push_back(w);
    }
    const int n = BendChords(model.bendDiam, 2 * radius, kMostBendChords);
    const double x = model.wires.at(1).x1;
    int tag = 0;
    for (const NecWire& w : m.wires)
        tag = std::max(tag, w.tag);
    for (int side : {-1, 1})
        for (int k = 0; k < n; ++k) {
            const auto y = [&](int i) {
                return side * (i == 0 || i == n ? h : h + rb * std::sin(pi * i / n));
            };
            const auto z = [&](int i) { return i == 0 ? -rb : i == n ? rb : -rb * std::cos(pi * i / n); };
            m.wires.push_back({++tag, 1, x, y(k), z(k), x, y(k + 1), z(k + 1), radius, 1, true});
        }
    return m;
}

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
    // The gap the builder leaves between the driven element's halves.
    m.feedGap = std::isfinite(s.FeedGap) ? std::max(s.FeedGap, 0.0) / 1000 : 0;
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

std::string ModelSummary(const NecModel& m, char sep)
{
    return GeneralFloatText(m.frequency, sep) + " MHz, " + std::to_string(m.directors) +
           (m.directors == 1 ? " director, " : " directors, ") +
           (m.feed == Feed::SingleDipole ? "single dipole" : "folded dipole");
}

} // namespace tavora
