#include "simulation/nec_deck.h"

#include "design/report.h"
#include "exchange/mounting.h"
#include "exchange/yo_details.h"
#include "simulation/segmentation.h"
#include "state/errors.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

namespace tavora {

Sweep SweepAround(double frequency, double percent, int points)
{
    points = std::max(points, 1);
    if (points == 1)
        return {frequency, 0, 1};
    const double span = frequency * percent / 100;
    return {frequency - span, 2 * span / (points - 1), points};
}

std::vector<Sweep> SplitSweep(const Sweep& sweep, int pieces)
{
    pieces = std::clamp(pieces, 1, sweep.points);
    std::vector<Sweep> out;
    int start = 0;
    for (int k = 0; k < pieces; ++k) {
        const int count = (sweep.points - start) / (pieces - k);
        out.push_back({sweep.At(start), sweep.step, count});
        start += count;
    }
    return out;
}

std::string DeckNumber(double value)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 9);
    return std::string(buf, r.ptr);
}

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

std::string ElementName(const NecModel& m, int element)
{
    if (element == 0)
        return "Reflector";
    if (element == 1)
        return m.feed == Feed::SingleDipole ? "Dipole" : "Folded dipole";
    return "Director " + std::to_string(element - 1);
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
    const double bend = 0.024 * 299792 / s.DesignFreq;
    NecModel m = ModelFromMembers(s, feed, bend);
    if (metalBoom)
        m.notes.emplace_back(kNoBoomNote);
    if (feed == Feed::FoldedDipole)
        m.notes.emplace_back("Folded dipole bend diameter taken as 0.024 wavelength");
    return m;
}

namespace {

void Card(std::string& out, const std::string& text)
{
    out += text;
    out += '\n';
}

std::string FrCard(const Sweep& s)
{
    return "FR 0 " + std::to_string(s.points) + " 0 0 " + DeckNumber(s.from) + " " +
           DeckNumber(s.step);
}

} // namespace

namespace {

// Tags of the reflected half: the GX card adds this to each tag it copies.
constexpr int kMirrorTags = 1000;
// Coordinates of computed wires agree to rounding only.
constexpr double kSameMetres = 1e-9;

bool Same(double a, double b)
{
    return std::abs(a - b) <= kSameMetres;
}

// How `b` lies on the mirror image of `a`: not at all, along it, or against
// it. Against it, b's segment i is the image's n + 1 - i and runs the other way.
enum class Image { None, Along, Against };

Image ImageOf(const NecWire& a, const NecWire& b)
{
    const auto ends = [](const NecWire& w, bool reversed) {
        return reversed ? std::array{w.x2, -w.y2, w.z2, w.x1, -w.y1, w.z1}
                        : std::array{w.x1, -w.y1, w.z1, w.x2, -w.y2, w.z2};
    };
    if (a.segments != b.segments || a.radius != b.radius)
        return Image::None;
    const std::array target{b.x1, b.y1, b.z1, b.x2, b.y2, b.z2};
    for (bool reversed : {false, true}) {
        const auto e = ends(a, reversed);
        if (std::equal(e.begin(), e.end(), target.begin(), Same))
            return reversed ? Image::Against : Image::Along;
    }
    return Image::None;
}

bool IsImage(const NecWire& a, const NecWire& b)
{
    return ImageOf(a, b) != Image::None;
}

const NecWire* WireOf(const NecModel& m, int tag)
{
    for (const NecWire& w : m.wires)
        if (w.tag == tag)
            return &w;
    return nullptr;
}

// The wire whose mirror image `w` is; MirrorSymmetric has found one.
const NecWire& ImageWire(const NecModel& m, const NecWire& w)
{
    return *std::find_if(m.wires.begin(), m.wires.end(),
                         [&w](const NecWire& other) { return IsImage(other, w); });
}

// Whether a source off the plane has its mirror image among the sources: the
// same volts on the image wire's mirrored segments.
bool SourceMirrored(const NecModel& m, const NecWire& w, const NecSource& s)
{
    return std::any_of(m.sources.begin(), m.sources.end(), [&](const NecSource& o) {
        const NecWire* image = WireOf(m, o.tag);
        if (!image || image == &w || o.volts != s.volts || o.span != s.span)
            return false;
        const Image how = ImageOf(w, *image);
        return how == Image::Along     ? o.segment == s.segment
               : how == Image::Against ? o.segment == w.segments + 2 - s.segment - s.span
                                       : false;
    });
}

// One source card: tag, segment, volts.
void Ex(std::string& d, int tag, int segment, std::complex<double> v)
{
    v = {v.real() + 0.0, v.imag() + 0.0}; // no "-0" from a negated zero
    d += "EX 0 " + std::to_string(tag) + " " + std::to_string(segment) + " 0 " +
         DeckNumber(v.real()) + " " + DeckNumber(v.imag()) + "\n";
}

// The wires and sources of the whole model.
void WholeGeometry(std::string& d, const NecModel& m, std::string& sources)
{
    for (const NecWire& w : m.wires)
        d += "GW " + std::to_string(w.tag) + " " + std::to_string(w.segments) + " " +
             DeckNumber(w.x1) + " " + DeckNumber(w.y1) + " " + DeckNumber(w.z1) + " " +
             DeckNumber(w.x2) + " " + DeckNumber(w.y2) + " " + DeckNumber(w.z2) + " " +
             DeckNumber(w.radius) + "\n";
    d += "GE 0\n";
    for (const NecSource& s : m.sources)
        for (int k = 0; k < s.span; ++k)
            Ex(sources, s.tag, s.segment + k, s.volts / static_cast<double>(s.span));
}

// The half with y >= 0, reflected by GX. A wire cut by the plane keeps the
// half from the plane outward, so its segment 1 is the one at the plane, and
// so is the reflected copy's; the copy runs the other way, so the pair's
// source there takes the opposite sign.
void MirroredGeometry(std::string& d, const NecModel& m, std::string& sources)
{
    NecModel half = m;
    half.wires.clear();
    half.sources.clear();
    for (const NecWire& w : m.wires) {
        if (std::max(w.y1, w.y2) <= kSameMetres)
            continue; // the image of a wire kept
        NecWire h = w;
        if (CrossesMirrorPlane(w)) {
            const bool up = w.y2 > w.y1;
            h = {w.tag,
                 w.segments / 2,
                 up ? w.x1 : w.x2,
                 0,
                 up ? w.z1 : w.z2,
                 up ? w.x2 : w.x1,
                 std::max(w.y1, w.y2),
                 up ? w.z2 : w.z1,
                 w.radius,
                 w.element,
                 w.bend};
        }
        half.wires.push_back(h);
    }
    WholeGeometry(d, half, sources);
    d.insert(d.size() - std::string("GE 0\n").size(),
             "GX " + std::to_string(kMirrorTags) + " 010\n");
    for (const NecSource& s : m.sources) {
        const NecWire& w = *WireOf(m, s.tag);
        if (CrossesMirrorPlane(w)) {
            const std::complex<double> v = (w.y2 > w.y1 ? 0.5 : -0.5) * s.volts;
            Ex(sources, s.tag, 1, v);
            Ex(sources, s.tag + kMirrorTags, 1, -v);
        } else if (std::max(w.y1, w.y2) > kSameMetres) {
            for (int k = 0; k < s.span; ++k)
                Ex(sources, s.tag, s.segment + k, s.volts / static_cast<double>(s.span));
        } else {
            // On a wire the deck leaves to the reflection: the source goes on
            // the reflected copy of the wire kept in its place.
            const NecWire& kept = ImageWire(m, w);
            const bool against = ImageOf(kept, w) == Image::Against;
            for (int k = 0; k < s.span; ++k)
                Ex(sources, kept.tag + kMirrorTags,
                   against ? w.segments + 1 - (s.segment + k) : s.segment + k,
                   (against ? -1.0 : 1.0) * s.volts / static_cast<double>(s.span));
        }
    }
}

} // namespace

bool CrossesMirrorPlane(const NecWire& w)
{
    return std::min(w.y1, w.y2) < -kSameMetres && std::max(w.y1, w.y2) > kSameMetres;
}

bool MirrorSymmetric(const NecModel& m)
{
    for (const NecWire& w : m.wires) {
        if (w.tag >= kMirrorTags)
            return false;
        if (CrossesMirrorPlane(w)) {
            if (!IsImage(w, w) || w.segments % 2 != 0)
                return false;
        } else if (std::abs(w.y1) <= kSameMetres && std::abs(w.y2) <= kSameMetres) {
            return false; // in the plane: its own image, yet not cut by it
        } else if (std::none_of(m.wires.begin(), m.wires.end(),
                                [&w](const NecWire& other) { return IsImage(w, other); })) {
            return false;
        }
    }
    // A source on the plane is the pair at its wire's centre; one off it has
    // its image among the sources, as a second Yagi beside the plane has.
    return std::all_of(m.sources.begin(), m.sources.end(), [&m](const NecSource& s) {
        const NecWire* w = WireOf(m, s.tag);
        if (!w)
            return false;
        return CrossesMirrorPlane(*w) ? s.span == 2 && s.segment == w->segments / 2
                                      : SourceMirrored(m, *w, s);
    });
}

std::vector<std::complex<double>> SourceImpedances(const NecModel& m,
                                                   const std::vector<std::complex<double>>& printed)
{
    std::vector<std::complex<double>> out;
    size_t at = 0;
    for (const NecSource& s : m.sources) {
        std::complex<double> z = 0;
        for (int k = 0; k < s.span; ++k) {
            if (at == printed.size())
                throw Error("nec2c output incomplete: source impedance missing");
            z += printed[at++];
        }
        out.push_back(z);
    }
    return out;
}

std::string NecDeck(const NecModel& m, bool patterns, const std::vector<Sweep>& sweeps,
                    DeckForm form)
{
    std::string d;
    Card(d, "CM Tavora: DL6WU Yagi, " + std::to_string(m.directors + 2) + " elements, " +
                DeckNumber(m.frequency) + " MHz, " +
                (m.feed == Feed::SingleDipole ? "single dipole" : "folded dipole"));
    Card(d, "CM Free space, aluminium elements, boom along x, forward is +x");
    for (const std::string& note : m.notes)
        Card(d, "CM " + note);
    for (const std::string& note : m.rangeNotes)
        Card(d, "CM " + note);
    // Other programs show each source's impedance on its own.
    if (std::any_of(m.sources.begin(), m.sources.end(),
                    [](const NecSource& s) { return s.span == 2; }))
        Card(d, "CM The feed is two sources in series on the segments meeting at the centre "
                "of its wire: its impedance is the sum of theirs");
    Card(d, "CE");
    std::string sources;
    if (form == DeckForm::Mirrored && MirrorSymmetric(m))
        MirroredGeometry(d, m, sources);
    else
        WholeGeometry(d, m, sources);
    if (m.extendedKernel)
        Card(d, "EK 0");
    Card(d, "LD 5 0 0 0 " + DeckNumber(kAluminiumConductivity));
    d += sources;
    // Currents are not read back; leaving them out keeps the output small.
    Card(d, "PT -1 0 0 0");
    if (patterns) {
        Card(d, FrCard({m.frequency, 0, 1}));
        Card(d, "RP 0 1 360 1000 90 0 0 1");   // E plane: horizontal, theta 90
        Card(d, "RP 0 360 1 1000 -180 0 1 0"); // H plane: vertical, through the boom
    }
    for (const Sweep& s : sweeps) {
        Card(d, FrCard(s));
        Card(d, "RP 0 1 2 1000 90 0 0 180"); // forward and backward only
    }
    Card(d, "EN");
    return d;
}

} // namespace tavora
