// SPDX-License-Identifier: GPL-3.0-or-later
#include "nec/segmentation.h"

#include "physics/physics.h"
#include "text/format.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <vector>

namespace tavora {

namespace {

// NEC-2 takes the current on each segment as a constant, a sine and a cosine
// term: a segment longer than 0.1 wavelength cannot follow it.
constexpr double kLongestSegment = 0.1;
// The two straights of a folded dipole are one bend diameter apart: closer
// than a few rod diameters the thin-wire picture of two separate currents
// fails.
constexpr double kClosestBendDiams = 3;
// The engine's feed is a voltage across the fed segments, and the reactance it
// gives depends on their length as on a gap's width: each halving of them
// moves a folded dipole's X by about 10 ohm at 1296 MHz, whatever the other
// segments do. The driven element is cut twice as fine as the others, so the
// two fed segments at its centre span what one segment spans elsewhere.
constexpr double kDrivenDensity = 2;
// The fed pair and a neighbour of the same length either side: the source's
// current is only sound where its neighbours match it.
constexpr int kFeedSegments = 4;

double Length(const NecWire& w)
{
    return std::hypot(w.x2 - w.x1, w.y2 - w.y1, w.z2 - w.z1);
}

// Every element is centred on the boom, so the antenna is its own mirror image
// in the plane through the boom at right angles to the elements, and the
// engine solves it in half the matrix when no segment crosses that plane
// (DeckForm::Mirrored). A wire through the plane therefore gets an even count,
// a junction at its centre: the feed is the two segments meeting there, in
// series. Other wires (the bends' chords, the elements of a Yagi beside the
// plane) get an odd count, a segment at the centre for a source. The
// elements of a Yagi are a tenth of a wave and more apart, where aligning the
// other junctions gains nothing; the folded dipole's two straights are close,
// and being the same length they get the same count, so their junctions face
// each other.
int Parity(const NecWire& w)
{
    return CrossesMirrorPlane(w) ? 0 : 1;
}

int Nearest(double x, int parity)
{
    const long n = 2 * std::lround((x - parity) / 2) + parity;
    return static_cast<int>(std::max(n, 2L - parity));
}

int AtMost(double x, int parity)
{
    long n = static_cast<long>(std::floor(x));
    if ((n - parity) % 2 != 0)
        --n;
    return static_cast<int>(std::max(n, 2L - parity));
}

int AtLeast(double x, int parity)
{
    long n = static_cast<long>(std::ceil(x));
    if ((n - parity) % 2 != 0)
        ++n;
    return static_cast<int>(std::max(n, 2L - parity));
}

// Each chord of a bend is one segment: the bend's shape fixes its length.
int Coarsest(const NecWire& w, double lambda)
{
    return w.bend ? 1 : AtLeast(Length(w) / (kLongestSegment * lambda), Parity(w));
}

std::string Number(double x)
{
    return FormatFixed(x, 6, x < 10 ? 1 : 0);
}

// Each source at the centre of its wire, where the gap is: the middle segment
// of an odd count, the two either side of the centre of an even one.
void CentreSources(NecModel& m)
{
    for (NecSource& source : m.sources)
        for (const NecWire& w : m.wires)
            if (w.tag == source.tag) {
                source.span = w.segments % 2 == 0 ? 2 : 1;
                source.segment = (w.segments + 1) / 2;
            }
}

} // namespace

bool StandardKernelHolds(const NecModel& m)
{
    return std::all_of(m.wires.begin(), m.wires.end(), [](const NecWire& w) {
        return Length(w) / w.segments >= kStandardKernelRadii * w.radius;
    });
}

void SegmentModel(NecModel& m, double density)
{
    const double lambda = WaveLength(m.frequency) / 1000; // metres
    m.density = density;
    // The extended kernel for every model: it holds down to segments 2 radii
    // long, where the standard one needs 8, and agrees with it where both
    // hold (the manual's convergence table), so a model and the variants its
    // error bars come from never change kernel between them. Wires thicker
    // still get fewer, longer segments.
    m.extendedKernel = true;
    const double radii = kExtendedKernelRadii;

    std::map<int, double> shortest; // per element, segment length in radii
    for (NecWire& w : m.wires) {
        const double length = Length(w);
        const double along = w.element == 1 ? kDrivenDensity * density : density;
        const int byDensity = w.bend ? 1 : Nearest(length * 2 * along / lambda, Parity(w));
        const int byKernel = AtMost(length / (radii * w.radius), Parity(w));
        // Within the longest segment the guidelines allow, even where that
        // leaves the segments shorter than the kernel wants.
        w.segments = std::max(std::min(byDensity, byKernel), Coarsest(w, lambda));
        const double ratio = length / w.segments / w.radius;
        auto [at, added] = shortest.emplace(w.element, ratio);
        if (!added)
            at->second = std::min(at->second, ratio);
    }

    CentreSources(m);
    m.rangeNotes.clear();
    for (const auto& [element, ratio] : shortest)
        if (ratio < radii)
            m.rangeNotes.push_back(ElementName(m, element) + ": segments only " + Number(ratio) +
                                   " radii long: gain and impedance are rough");
    if (m.feed == Feed::FoldedDipole) {
        const double diams = m.bendDiam / (2 * m.wires[1].radius);
        if (diams < kClosestBendDiams)
            m.rangeNotes.push_back(ElementName(m, 1) + ": bend diameter only " + Number(diams) +
                                   " rod diameters: impedance is rough");
    }
}

namespace {

// The fed wire of the driven element in three: `centreSegments` segments of
// `centreSegment` metres each round its centre, and either side the rest in
// `outerSegments`. Every other wire as `other` cuts it. Sources move to the
// centre piece.
template <typename Other>
NecModel SplitAtFeed(const NecModel& model, double density, int centreSegments,
                     double centreSegment, int outerSegments, Other other)
{
    NecModel split = model;
    split.density = density;
    split.wires.clear();
    std::map<int, int> fedTag; // old tag to the piece holding the wire's centre
    auto add = [&](NecWire w) {
        w.tag = static_cast<int>(split.wires.size()) + 1;
        split.wires.push_back(w);
        return w.tag;
    };
    for (const NecWire& w : model.wires) {
        if (w.element != 1 || w.bend || !CrossesMirrorPlane(w) || w.segments < kFeedSegments + 2) {
            fedTag[w.tag] = add(other(w));
            continue;
        }
        const double k = centreSegments * centreSegment / (2 * Length(w));
        auto at = [&](double t, double& x, double& y, double& z) {
            x = (w.x1 + w.x2) / 2 + t * (w.x2 - w.x1);
            y = (w.y1 + w.y2) / 2 + t * (w.y2 - w.y1);
            z = (w.z1 + w.z2) / 2 + t * (w.z2 - w.z1);
        };
        NecWire outer = w, centre = w, beyond = w;
        outer.segments = beyond.segments = std::max(1, outerSegments);
        centre.segments = centreSegments;
        at(-k, outer.x2, outer.y2, outer.z2);
        at(-k, centre.x1, centre.y1, centre.z1);
        at(k, centre.x2, centre.y2, centre.z2);
        at(k, beyond.x1, beyond.y1, beyond.z1);
        add(outer);
        fedTag[w.tag] = add(centre);
        add(beyond);
    }
    for (NecSource& source : split.sources)
        source.tag = fedTag.at(source.tag);
    CentreSources(split);
    return split;
}

double SegmentLength(const NecWire& w)
{
    return Length(w) / w.segments;
}

const NecWire& FedWire(const NecModel& m)
{
    for (const NecWire& w : m.wires)
        if (!m.sources.empty() && w.tag == m.sources.front().tag)
            return w;
    throw std::logic_error("model without a fed wire");
}

} // namespace

double TypicalSegmentRadii(const NecModel& model)
{
    std::vector<double> radii;
    for (const NecWire& w : model.wires)
        if (!w.bend)
            radii.push_back(SegmentLength(w) / w.radius);
    if (radii.empty())
        return 0;
    std::nth_element(radii.begin(), radii.begin() + radii.size() / 2, radii.end());
    return radii[radii.size() / 2];
}

double FeedSegment(const NecModel& model)
{
    return SegmentLength(FedWire(model));
}

namespace {

// The fed wire cut `count` segments of `centre` metres round its centre, the
// rest of it at about the segment length it had; none where it is too short.
std::optional<NecModel> WithFedPiece(const NecModel& model, int count, double centre)
{
    const NecWire& fed = FedWire(model);
    const double segment = SegmentLength(fed);
    if (Length(fed) < (count * centre + 2 * segment) * (1 - 1e-9))
        return std::nullopt;
    return SplitAtFeed(
        model, model.density, count, centre,
        static_cast<int>(std::lround((Length(fed) - count * centre) / (2 * segment))),
        [](const NecWire& c) { return c; });
}

} // namespace

std::optional<NecModel> WithFeedSegments(const NecModel& model, double centre)
{
    // The fed pair and a neighbour either side `centre` long; on a wire too
    // short for that, the fed pair alone.
    if (auto four = WithFedPiece(model, kFeedSegments, centre))
        return four;
    return WithFedPiece(model, 2, centre);
}

std::optional<NecModel> WithFedGap(const NecModel& model, double gap)
{
    return WithFedPiece(model, 3, gap);
}

std::optional<NecModel> FeedWidened(const NecModel& model, double factor)
{
    return WithFeedSegments(model, FeedSegment(model) * factor);
}

NecModel Recounted(const NecModel& model, double factor)
{
    // Every wire's own count scaled, not the density asked for: where the
    // kernel's limit sets a wire's count, that count is what is in doubt.
    NecModel recut = model;
    recut.density = model.density * factor;
    const double lambda = WaveLength(model.frequency) / 1000;
    for (NecWire& w : recut.wires)
        if (!w.bend)
            w.segments = std::max(Nearest(w.segments * factor, Parity(w)), Coarsest(w, lambda));
    CentreSources(recut);
    return recut;
}

std::optional<NecModel> Recut(const NecModel& model, double factor, double feedSegment)
{
    return WithFeedSegments(Recounted(model, factor), feedSegment);
}

} // namespace tavora
