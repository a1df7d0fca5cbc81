// SPDX-License-Identifier: GPL-3.0-or-later
#include "nec/deck.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <complex>

namespace tavora {

std::string DeckNumber(double value)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 9);
    return std::string(buf, r.ptr);
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

std::string NecDeck(const NecModel& m, bool patterns, const std::vector<Sweep>& sweeps,
                    DeckForm form, FineSteps fine)
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
        if (fine.steps > 0) {
            const std::string n = std::to_string(2 * fine.steps + 1);
            const double span = fine.step * fine.steps;
            Card(d,
                 "RP 0 1 " + n + " 1000 90 " + DeckNumber(-span) + " 0 " + DeckNumber(fine.step));
            Card(d, "RP 0 " + n + " 1 1000 " + DeckNumber(90 - span) + " 0 " +
                        DeckNumber(fine.step) + " 0");
        }
    }
    for (const Sweep& s : sweeps) {
        Card(d, FrCard(s));
        Card(d, "RP 0 1 2 1000 90 0 0 180"); // forward and backward only
    }
    Card(d, "EN");
    return d;
}

std::string ExportDeck(const NecModel& model)
{
    return NecDeck(model, true,
                   {SweepAround(model.frequency, kDefaultSweepPercent, kDefaultSweepPoints)});
}

} // namespace tavora
