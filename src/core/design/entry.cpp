// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/entry.h"

#include "design/report.h"
#include "physics/physics.h"
#include "state/errors.h"
#include "state/numbers.h"
#include "state/refusals.h"

#include <algorithm>

namespace tavora {

namespace {

template <typename E> E ChoiceAt(const std::string& choices, size_t k, int last)
{
    int index = 0;
    if (k < choices.size() && choices[k] >= '0' && choices[k] <= '9')
        index = choices[k] - '0';
    return static_cast<E>(std::min(index, last));
}

template <typename E> char ChoiceDigit(E e)
{
    return static_cast<char>('0' + static_cast<int>(e));
}

bool InRange(double vf)
{
    return vf > 0 && vf <= 1;
}

} // namespace

DesignEntry GetValues(const DesignEntryTexts& t)
{
    DesignEntry e;
    e.Frequency = t[0];
    e.Directors = t[1];
    e.ElementDiam = t[2];
    e.RadiatorWidth = t[3];
    e.BoomSection = t[4];
    e.RadiatorDiam = t[5];
    e.BendDiam = t[6];
    e.FeedGap = t[7];
    e.RadiatorThick = t[8];
    e.ElementWidth = t[9];
    e.ElementThick = t[10];
    const std::string& c = t[11];
    e.Boom = ChoiceAt<BoomType>(c, 0, 1);
    e.ElementMounting = ChoiceAt<Mounting>(c, 1, 2);
    e.RadiatorShape = ChoiceAt<Shape>(c, 2, 2);
    e.ElementShape = ChoiceAt<Shape>(c, 3, 2);
    e.DipoleMounting = ChoiceAt<DipoleMount>(c, 4, 1);
    return e;
}

DesignEntry FormDefaults()
{
    return GetValues(DesignState().DesignEntry);
}

DesignEntryTexts SaveValues(const DesignEntry& e)
{
    std::string choices{ChoiceDigit(e.Boom), ChoiceDigit(e.ElementMounting),
                        ChoiceDigit(e.RadiatorShape), ChoiceDigit(e.ElementShape),
                        ChoiceDigit(e.DipoleMounting)};
    return {e.Frequency,     e.Directors,    e.ElementDiam,  e.RadiatorWidth,
            e.BoomSection,   e.RadiatorDiam, e.BendDiam,     e.FeedGap,
            e.RadiatorThick, e.ElementWidth, e.ElementThick, choices};
}

void ApplyBandDefaults(DesignEntry& e, char decimalSep)
{
    double f = 0;
    std::optional<ConversionError> failure;
    try {
        f = StrToFloat(e.Frequency, decimalSep);
    } catch (const ConversionError& err) {
        failure = err;
    }
    // Each band's sizes hold up to its upper edge: elements within the
    // thickness the method answers, a square boom that elements pass through
    // within a tenth of a wavelength, and a bend of at least three rod
    // diameters that leaves the folded dipole its straights.
    struct Band {
        // MHz: the first band takes this frequency too, the others end below
        // it; the last takes the rest of the range.
        double upTo;
        const char *gap, *bend, *radiator, *element, *thick, *boom;
    };
    static const Band bands[] = {{200, "15", "50", "10", "7", "2", "25"},
                                 {1000, "10", "35", "6", "6", "2", "25"},
                                 {1600, "5", "25", "4", "4", "2", "15"},
                                 {2900, "5", "25", "4", "4", "2", "8"},
                                 {4500, "3", "8", "2", "2", "1", "5"},
                                 {8000, "2", "4", "1", "1", "0.5", "3"},
                                 {kFrequencyRange.high, "1", "3", "1", "1", "0.5", "2"}};
    const Band* band = bands;
    if (f > band->upTo)
        while (band + 1 != std::end(bands) && f >= band->upTo)
            ++band;
    const auto text = [decimalSep](std::string size) {
        std::replace(size.begin(), size.end(), '.', decimalSep);
        return size;
    };
    e.FeedGap = band->gap;
    e.BendDiam = band->bend;
    e.RadiatorDiam = e.RadiatorWidth = band->radiator;
    e.ElementDiam = e.ElementWidth = band->element;
    e.RadiatorThick = e.ElementThick = text(band->thick);
    e.BoomSection = band->boom;
    if (failure)
        throw *failure;
}

void ApplyBandChange(DesignEntry& e, const std::string& previous, char sep)
{
    RefuseOutside(BoxNumber(e.Frequency, kFrequencyBox, sep), kFrequencyRange, kFrequencyBox, sep);
    DesignEntry band = e;
    ApplyBandDefaults(band, sep);
    DesignEntry before = e;
    before.Frequency = previous;
    bool known = true;
    try {
        ApplyBandDefaults(before, sep);
    } catch (const ConversionError&) {
        known = false;
    }
    static constexpr std::string DesignEntry::*kSizeBoxes[] = {
        &DesignEntry::FeedGap,      &DesignEntry::BendDiam,      &DesignEntry::RadiatorDiam,
        &DesignEntry::RadiatorWidth, &DesignEntry::ElementDiam,  &DesignEntry::ElementWidth,
        &DesignEntry::RadiatorThick, &DesignEntry::ElementThick, &DesignEntry::BoomSection};
    for (std::string DesignEntry::*box : kSizeBoxes)
        if (!known || e.*box == before.*box)
            e.*box = band.*box;
}

const std::array<CoaxItem, kCoaxCount>& CoaxList()
{
    static const std::array<CoaxItem, kCoaxCount> list{{
        {"RG-6 (foam PE) 75 ohm", 0.75},  {"RG-8X (foam PE) 52 ohm", 0.75},
        {"RG-8 (PE) 52 ohm", 0.66},       {"RG-8 (foam PE) 50 ohm", 0.8},
        {"RG-8A (PE) 52 ohm", 0.66},      {"RG-9 (PE) 51 ohm", 0.66},
        {"RG-9A (PE) 51 ohm", 0.66},      {"RG-9B (PE) 50 ohm", 0.66},
        {"RG-11 (PE) 75 ohm", 0.66},      {"RG-11 (foam PE) 75 ohm", 0.8},
        {"RG-11A (PE) 75 ohm", 0.66},     {"RG-12 (PE) 75 ohm", 0.66},
        {"RG-12A (PE) 75 ohm", 0.66},     {"RG-17 (PE) 52 ohm", 0.66},
        {"RG-17A (PE) 52 ohm", 0.66},     {"RG-55 (PE) 53.5 ohm", 0.66},
        {"RG-55A (PE) 50 ohm", 0.66},     {"RG-55B (PE) 53.5 ohm", 0.66},
        {"RG-58 (PE) 53.5 ohm", 0.66},    {"RG-58 (foam PE) 53.5 ohm", 0.79},
        {"RG-58A (PE) 53.5 ohm", 0.66},   {"RG-58B (PE) 53.5 ohm", 0.66},
        {"RG-58C (PE) 50 ohm", 0.66},     {"RG-59 (PE) 73 ohm", 0.66},
        {"RG-59 (foam PE) 75 ohm", 0.79}, {"RG-59A (PE) 73 ohm", 0.66},
        {"RG-62 (air PE) 93 ohm", 0.86},  {"RG-62 (foam PE) 95 ohm", 0.79},
        {"RG-62A (air PE) 93 ohm", 0.86}, {"RG-62B (air PE) 93 ohm", 0.86},
        {"RG-133A (PE) 95 ohm", 0.66},    {"RG-141 (PTFE) 50 ohm", 0.7},
        {"RG-141A (PTFE) 50 ohm", 0.7},   {"RG-142 (PTFE) 50 ohm", 0.7},
        {"RG-142A (PTFE) 50 ohm", 0.7},   {"RG-142B (PTFE) 50 ohm", 0.7},
        {"RG-174 (PE) 50 ohm", 0.66},     {"RG-213 (PE) 50 ohm", 0.66},
        {"RG-214 (PE) 50 ohm", 0.66},     {"RG-215 (PE) 50 ohm", 0.66},
        {"RG-216 (PE) 75 ohm", 0.66},     {"RG-223 (PE) 50 ohm", 0.66},
        {"9913 (air PE) 50 ohm", 0.84},   {"9914 (foam PE) 50 ohm", 0.78},
        {"UT141 (PTFE) 50 ohm", 0.7},     {"USER set velocity factor", 0},
    }};
    return list;
}

std::string CoaxNameOf(const std::string& itemText)
{
    std::string name = itemText.substr(0, itemText.size() >= 4 ? itemText.size() - 4 : 0);
    while (!name.empty() && ((name.back() >= '0' && name.back() <= '9') || name.back() == '.'))
        name.pop_back();
    return name;
}

std::string NoteCoax(DesignState& state, int index, const std::string& answer, char decimalSep)
{
    const CoaxItem& item = CoaxList().at(static_cast<size_t>(index));
    state.VelocityFactor = 0;
    const std::string name = CoaxNameOf(item.text);
    std::string status;
    if (name.rfind("USER", 0) == 0) {
        state.VelocityFactor = StrToFloat(answer, decimalSep);
        status = InRange(state.VelocityFactor) ? "4:1 balun uses velocity factor of " + answer
                                               : "Velocity factor not in range";
    } else {
        status = name + " 4:1 balun";
        state.VelocityFactor = item.velocityFactor;
    }
    state.CoaxName = name;
    return status;
}

long double FlatStripDiameter(const std::string& width, const std::string& thickness,
                              char decimalSep)
{
    const long double w = StrToFloatExt(width, decimalSep);
    const long double t = StrToFloatExt(thickness, decimalSep);
    ClearFpFaults();
    const long double ratio = Checked(t / w);
    return Checked(w * (0.5L + 0.9L * ratio - 0.22L * ratio * ratio));
}

namespace {

// An element's equivalent round diameter from the boxes its shape uses. A size
// that is zero, negative or outside the wavelengths the method answers is
// refused, naming the box and its panel.
double ElementSize(Shape shape, const std::string& diam, const std::string& width,
                   const std::string& thick, const char* panel, double freq, char sep)
{
    const auto size = [&](const std::string& text, const char* caption) {
        const double v = StrToFloat(text, sep);
        RefuseNotPositive(v, std::string(caption) + panel);
        return v;
    };
    // The diameter box is converted whatever the shape.
    const double d = StrToFloat(diam, sep);
    double equivalent = 0, boxSize = 0;
    const char* box = kWidthBox;
    if (shape == Shape::Square) {
        boxSize = size(width, kWidthBox);
        // 1.18 turns the side of a square section into the equivalent round diameter.
        equivalent = Checked(boxSize * 1.18);
    } else if (shape == Shape::Flat) {
        boxSize = size(width, kWidthBox);
        // The strip formula holds for the thickness up to the width; a thicker
        // strip came out with a negative diameter blamed on the width.
        RefuseAbove(size(thick, kThicknessBox), boxSize, std::string(kThicknessBox) + panel, sep);
        equivalent = Narrowed(FlatStripDiameter(width, thick, sep));
    } else {
        box = kDiameterBox;
        equivalent = boxSize = size(diam, kDiameterBox);
    }
    RefuseOutsideWavelengths(equivalent, kElementRatioRange, freq, std::string(box) + panel, sep,
                             boxSize / equivalent);
    return shape == Shape::Round ? d : equivalent;
}

// The caption of the box that sets an element's size in its shape.
std::string SizeBox(std::uint8_t shape, const char* panel)
{
    return std::string(shape == static_cast<std::uint8_t>(Shape::Round) ? kDiameterBox
                                                                        : kWidthBox) +
           panel;
}

[[noreturn]] void Refuse(const std::string& box, const std::string& text)
{
    throw BoxRefusal(box, text);
}

// What a builder can make: every length, spacing, IT, rod and straight
// positive, the reflector longer than every director, no director longer
// than the one before it, and the boom narrower than the shortest element.
// Checked on the engine's own figures, computed on a copy.
void RefuseUnbuildable(const DesignState& design, char sep)
{
    DesignState s = design;
    // A rod bent tighter than its own diameter cracks or kinks; the engine
    // would only blame it on an impossible efficiency. Checked before the
    // dimensions, which a bend of almost nothing overflows.
    if (!(s.BendDiam >= 2 * s.RadiatorDiam))
        Refuse(kBendBox, std::string(kBendBox) + " must be at least " +
                             RoundedText(2 * s.RadiatorDiam, sep) +
                             " mm, twice the diameter of the dipole's rod");
    std::string report;
    Yagidimensions(s, report, sep);
    const std::string elementBox = SizeBox(s.ElementShape, kDirectorPanel);
    double shortest = std::min({s.ReflLength, s.DipoleLength, s.FoldedLength});
    double before = s.ReflLength;
    for (int n = 1; n <= s.DirCount; ++n) {
        const double length = s.DirLength[static_cast<size_t>(n)];
        if (!(length > 0 && s.DirSpacing[static_cast<size_t>(n)] > 0))
            Refuse(elementBox, kElementsTooThick);
        if (!(length < before))
            Refuse(elementBox, elementBox + kDirectorsTooLong);
        before = length;
        shortest = std::min(shortest, length);
    }
    if (!(s.ReflLength > 0 && s.DipoleLength > 0 && s.FoldedLength > 0))
        Refuse(elementBox, kElementsTooThick);
    // An IT of zero or less: the boom is as wide as an element or wider.
    const long long shortestMm = RoundHalfEven(shortest);
    if (!(static_cast<long double>(shortestMm) > s.BoomSize))
        Refuse(kBoomBox, std::string(kBoomBox) + " must be below " +
                             GeneralFloatText(static_cast<double>(shortestMm), sep) +
                             " mm, the length of the shortest element");
    // The straights from the feed gap to the bends (HI = GF) must be left.
    const double folded = s.FoldedLength;
    if (!(folded / 2 - s.BendDiam / 2 - s.FeedGap / 2 > 0)) {
        const bool gap = s.FeedGap > s.BendDiam;
        const char* box = gap ? kGapBox : kBendBox;
        const double limit = folded - (gap ? s.BendDiam : s.FeedGap);
        Refuse(box, std::string(box) + " must be below " + RoundedText(limit, sep) +
                        " mm, to leave a straight on the folded dipole of " +
                        RoundedText(folded, sep) + " mm");
    }
}

} // namespace

void YagiDoCalculate(const DesignEntry& e, DesignState& s, char sep)
{
    ClearFpFaults();
    s.DesignEntry = SaveValues(e);
    s.DesignFreq = BoxNumber(e.Frequency, kFrequencyBox, sep);
    RefuseOutside(s.DesignFreq, kFrequencyRange, kFrequencyBox, sep);
    const int directors = StrToInt(e.Directors);
    if (directors < 0 || directors > kMaxDirectors)
        throw BoxRefusal("Number of directors", kDirectorCountRange);
    s.DirCount = directors;
    s.ElementDiam = StrToFloat(e.ElementDiam, sep);
    s.DipoleMounting = static_cast<std::uint8_t>(e.DipoleMounting);
    s.ElementShape = static_cast<std::uint8_t>(e.ElementShape);
    s.RadiatorShape = static_cast<std::uint8_t>(e.RadiatorShape);
    s.ElementDiamText = e.ElementDiam;
    s.RadiatorWidthText = e.RadiatorWidth;
    s.RadiatorDiamText = e.RadiatorDiam;
    s.RadiatorThickText = e.RadiatorThick;
    s.ElementWidthText = e.ElementWidth;
    s.ElementThickText = e.ElementThick;
    s.ElementDiam = ElementSize(e.ElementShape, e.ElementDiam, e.ElementWidth, e.ElementThick,
                                kDirectorPanel, s.DesignFreq, sep);
    s.BoomSize = StrToFloatExt(e.BoomSection, sep);
    RefuseNegative(static_cast<double>(s.BoomSize), kBoomBox);
    s.BoomDiam = Narrowed(s.BoomSize);
    s.BoomSquare = false;
    if (e.Boom == BoomType::Square) {
        s.BoomDiam = Checked(s.BoomDiam * 1.18);
        s.BoomSquare = true;
    }
    static const char mountingChar[] = {'Y', 'I', 'N'};
    s.Mounting = mountingChar[static_cast<int>(e.ElementMounting)];
    // The boom correction is fitted to booms up to a tenth of a wavelength.
    if (e.ElementMounting != Mounting::NonMetal && s.BoomDiam > 0)
        RefuseOutsideWavelengths(s.BoomDiam, kThroughBoomRatioRange, s.DesignFreq, kBoomBox, sep,
                                 static_cast<double>(s.BoomSize) / s.BoomDiam);
    s.RadiatorDiam = ElementSize(e.RadiatorShape, e.RadiatorDiam, e.RadiatorWidth, e.RadiatorThick,
                                 kDipolePanel, s.DesignFreq, sep);
    s.BendDiam = StrToFloat(e.BendDiam, sep);
    RefuseNotPositive(s.BendDiam, kBendBox);
    s.FeedGap = StrToFloat(e.FeedGap, sep);
    RefuseNotPositive(s.FeedGap, kGapBox);
    s.BalunLength = Checked(Checked(WaveLength(s.DesignFreq)) * s.VelocityFactor / 2);
    RefuseUnbuildable(s, sep);
}

DesignState DesignFromEntry(const DesignState& state, char sep)
{
    const DesignEntryTexts& texts = state.DesignEntry;
    if (std::all_of(texts.begin(), texts.end() - 1, [](const std::string& t) {
            return t.find_first_not_of(' ') == std::string::npos;
        }))
        throw Error(kNoDesign);
    return DesignFromEntry(GetValues(texts), state, sep);
}

DesignState DesignFromEntry(const DesignEntry& entry, const DesignState& state, char sep)
{
    DesignState s = state;
    YagiDoCalculate(entry, s, sep);
    std::string report;
    Yagidimensions(s, report, sep);
    return s;
}

} // namespace tavora
