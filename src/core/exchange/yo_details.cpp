// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/yo_details.h"

#include "exchange/frequency_walk.h"
#include "physics/physics.h"
#include "state/box_names.h"
#include "state/errors.h"
#include "state/numbers.h"
#include "state/refusals.h"
#include "text/format.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tavora {

namespace {

// Texts with their focus box; the two screens spell some of them differently.
const BoxMessage kReflectorLengthEmpty{"Reflector Length box empty or zero!", yo::kReflLength};
const BoxMessage kBoomEmpty{"Boom Diameter box empty or zero!", yo::kBoomDiam};
const BoxMessage kDipoleDiamEmpty{"Dipole Diameter box empty or zero!", yo::kDipoleDiam};
const BoxMessage kDipoleLengthEmpty{"Dipole length box empty or zero!", yo::kDipoleLength};
const BoxMessage kReflectorDiamEmpty{"Reflector Diameter box empty or zero!", yo::kElementDiam};

// Every box value must be a positive number here: a negative one would send
// the searches to the logarithm of a negative number or past the answer.
bool Missing(const std::optional<double>& v)
{
    return !v || *v <= 0;
}

std::optional<double> BoxNumber(const YoEntryTexts& e, int n, char sep)
{
    const std::string& text = e[static_cast<size_t>(n - 1)];
    if (text.empty())
        return std::nullopt;
    return StrToFloat(text, sep);
}

} // namespace

int ChoiceIndex(const std::string& text, int itemCount)
{
    const int v = StrToInt(text);
    if (v < 0)
        return -1;
    return v >= itemCount ? itemCount - 1 : v;
}

FrequencySource YoDetails::Source() const
{
    return static_cast<FrequencySource>(ChoiceIndex(Text(yo::kFreqSource), 4));
}

int YoDetails::MountingItem() const
{
    return ChoiceIndex(Text(yo::kMounting), 3);
}

namespace {

// The first frequency of the walk down from f at which `met` holds, as the
// stepping loop finds it: nothing when the walk reaches 0 or runs out of steps.
// `met` must flip only once along the walk; then a bisection inside each run
// finds the same step in a few dozen evaluations instead of millions.
template <class Met> std::optional<double> BisectDown(double f, Met met)
{
    long taken = 0;
    while (taken < kMaxSearchSteps) {
        WalkRun run = NextWalkRun(f);
        run.count = std::min(run.count, kMaxSearchSteps - taken);
        const auto stops = [&](long j) { return run.At(j) <= 0 || met(run.At(j)); };
        if (stops(run.count)) {
            long goesOn = 0; // the walk goes on after this many steps of the run
            long stopped = run.count;
            while (stopped - goesOn > 1) {
                const long mid = goesOn + (stopped - goesOn) / 2;
                (stops(mid) ? stopped : goesOn) = mid;
            }
            const double found = run.At(stopped);
            return found <= 0 ? std::nullopt : std::optional<double>(found);
        }
        f = run.At(run.count);
        taken += run.count;
    }
    return std::nullopt;
}

template <class Met> std::optional<double> StepDown(double f, Met met)
{
    for (long step = 0; step < kMaxSearchSteps; ++step) {
        f -= kWalkStep;
        if (f <= 0)
            return std::nullopt;
        if (met(f))
            return f;
    }
    return std::nullopt;
}

// Where the bisection may stand in for the stepping. The computed length then
// rises with every step down: by at least 1e-10 of itself below 1e7 MHz,
// while its rounding error stays near 1e-15 of it as long as the element
// ratio is a normal double (sizes above 1e-270 mm) and not so thick that the
// formula's terms cancel. Elsewhere the walk is stepped as written.
constexpr double kMaxBisectedMHz = 1e7;
constexpr double kMinBisectedSize = 1e-270;

double YoWaveLength(double f)
{
    return WaveLength(f, kLightSpeedYo);
}

// The searches start above the frequency whose half wave is the length: a
// fifth above for the dipole, a tenth for the reflector. The factor goes into
// the speed first, in whole numbers, which gives the very start doubles the
// walk has always had.
constexpr double kDipoleStartSpeed = kLightSpeedYo * 12 / 10;
constexpr double kReflectorStartSpeed = kLightSpeedYo * 11 / 10;

// The DL6WU dipole and reflector formulas as the YO estimate has them; the
// design's own are in design/dl6wu.cpp, which caps the boom correction before
// halving it (see YoBoomCorrection).
double DipoleLengthAt(double f, double diam)
{
    const double w = YoWaveLength(f);
    const double x = diam / w;
    return Checked(w * (0.4777 - 1.0522 * x + 0.43363 * std::pow(x, -0.014891)) / 2);
}

double ReflectorLengthAt(double f, double elementDiam, double boomDiam, Mounting mounting)
{
    const double w = YoWaveLength(f);
    const double x = elementDiam / w;
    const double c = YoBoomCorrection(boomDiam / w, mounting);
    // 2 / x on its own: the logarithm of its infinity would hide the division by zero.
    return Checked(w * ((1 - 20 / (186.8769 * std::log(Checked(2 / x)) - 320)) / 2 + c));
}

} // namespace

double YoBoomCorrection(double b, Mounting mounting)
{
    if (!(b > 0) || mounting == Mounting::NonMetal)
        return 0;
    double c = 12 * b * b + 0.15 * b;
    if (mounting == Mounting::Insulated)
        c /= 2;
    if (0.666 * b < c)
        c = 0.666 * b;
    return c;
}

std::optional<double> DipoleSearch(double length, double diam)
{
    if (!(length > 0) || !(diam > 0))
        return std::nullopt;
    ClearFpFaults();
    const double f = Checked(kDipoleStartSpeed / (2 * length));
    const auto met = [&](double at) { return length - DipoleLengthAt(at, diam) < 0.01; };
    // Up to half a wavelength thick the formula's terms cannot cancel; the
    // ratio only shrinks as the walk goes down.
    const bool monotonic =
        f <= kMaxBisectedMHz && diam >= kMinBisectedSize && diam / YoWaveLength(f) <= 0.5;
    return monotonic ? BisectDown(f, met) : StepDown(f, met);
}

std::optional<double> ReflectorSearch(double length, double elementDiam, double boomDiam,
                                      Mounting mounting)
{
    if (!(length > 0) || !(elementDiam > 0))
        return std::nullopt;
    ClearFpFaults();
    const double f = Checked(kReflectorStartSpeed / (2 * length));
    const auto met = [&](double at) {
        return length - ReflectorLengthAt(at, elementDiam, boomDiam, mounting) < 0.01;
    };
    // Elements thicker than about 0.36 wavelength put a pole into the length
    // formula, across which the condition flips more than once. Below 0.3 the
    // element term grows with the wavelength over eight times as fast as the
    // boom correction can shrink; a boom up to a wavelength across keeps the
    // correction's share, and so the rounding error, small.
    const double w = YoWaveLength(f);
    const bool monotonic = f <= kMaxBisectedMHz && elementDiam >= kMinBisectedSize &&
                           elementDiam / w <= 0.3 && boomDiam / w <= 1;
    return monotonic ? BisectDown(f, met) : StepDown(f, met);
}

std::optional<BoxMessage> CalcFfromRef(YoDetails& screen, char sep)
{
    const FrequencySource source = screen.Source();
    const int mounting = screen.MountingItem();
    const auto d = BoxNumber(screen.entries, yo::kDipoleDiam, sep);
    const auto l = BoxNumber(screen.entries, yo::kDipoleLength, sep);
    const auto r = BoxNumber(screen.entries, yo::kReflLength, sep);
    const auto e = BoxNumber(screen.entries, yo::kElementDiam, sep);
    const auto b = BoxNumber(screen.entries, yo::kBoomDiam, sep);

    const bool nonMetal = mounting == static_cast<int>(Mounting::NonMetal);
    if (Missing(r))
        return kReflectorLengthEmpty;
    if (!nonMetal && Missing(b))
        return kBoomEmpty;
    if (Missing(d))
        return kDipoleDiamEmpty;
    if (Missing(l))
        return kDipoleLengthEmpty;
    if (Missing(e))
        return kReflectorDiamEmpty;

    std::optional<double> f;
    int searchedBox = yo::kDipoleLength;
    switch (source) {
    case FrequencySource::SingleDipole:
        screen.frequencyReadOnly = true;
        f = DipoleSearch(*l, *d);
        break;
    case FrequencySource::FoldedDipole:
        screen.frequencyReadOnly = true;
        f = DipoleSearch(*l * 100 / 102, *d);
        break;
    case FrequencySource::Estimate:
        screen.frequencyReadOnly = false;
        return std::nullopt;
    case FrequencySource::None:
        screen.frequencyReadOnly = true;
        return std::nullopt;
    case FrequencySource::Reflector:
        screen.frequencyReadOnly = true;
        searchedBox = yo::kReflLength;
        f = ReflectorSearch(*r, *e, b.value_or(0),
                            mounting < 0 ? Mounting::NonMetal : static_cast<Mounting>(mounting));
        break;
    }
    // A frequency the method cannot answer is no fit either.
    if (!f || !(*f >= kFrequencyRange.low && *f <= kFrequencyRange.high))
        return BoxMessage{kNoFrequencyFound, searchedBox};
    screen.Text(yo::kFrequency) = FormatFixed(*f, 6, 1, sep);
    return std::nullopt;
}

std::optional<BoxMessage> ConvertChecks(const YoEntryTexts& entries, char sep)
{
    static const BoxMessage checks[] = {
        {"Reflector length box empty or zero!", yo::kReflLength},
        {"Boom diameter box empty or zero!", yo::kBoomDiam},
        {"Dipole Diameter box empty or zero!", yo::kDipoleDiam},
        {"Dipole length box empty or zero!", yo::kDipoleLength},
        {"Director/Reflector diameter box empty or zero!", yo::kElementDiam},
        {"Frequency box empty or zero!", yo::kFrequency},
    };
    for (const BoxMessage& check : checks)
        if (Missing(BoxNumber(entries, check.box, sep)))
            return check;
    return std::nullopt;
}

void RefuseYoEntries(const YoEntryTexts& entries, char sep)
{
    std::array<double, yo::kReflLength + 1> v{};
    for (int n = 1; n <= yo::kReflLength; ++n) {
        const std::string& text = entries[static_cast<size_t>(n - 1)];
        const bool directorBox = n >= yo::DirLengthEntry(1) && n <= yo::DirDistEntry(yo::kRows);
        v[static_cast<size_t>(n)] =
            directorBox && text.empty() ? 0 : BoxNumber(text, YoEntryBox(n), sep);
        RefuseNegative(v[static_cast<size_t>(n)], YoEntryBox(n));
    }
    const double f = v[yo::kFrequency];
    RefuseOutside(f, kFrequencyRange, YoEntryBox(yo::kFrequency), sep);
    for (int n : {yo::kDipoleDiam, yo::kElementDiam})
        RefuseOutsideWavelengths(v[static_cast<size_t>(n)], kElementRatioRange, f, YoEntryBox(n),
                                 sep);
    RefuseNotPositive(v[yo::kDipoleDist], YoEntryBox(yo::kDipoleDist));
    std::vector<int> lengths{yo::kReflLength, yo::kDipoleLength};
    for (int k = 1; k <= yo::kRows; ++k)
        if (v[static_cast<size_t>(yo::DirLengthEntry(k))] != 0)
            lengths.push_back(yo::DirLengthEntry(k));
    for (int n : lengths)
        RefuseOutsideWavelengths(v[static_cast<size_t>(n)], kElementLengthRange, f, YoEntryBox(n),
                                 sep);
}

std::optional<std::string> MakeMmana(const YoEntryTexts& entries, DesignState& s, char sep)
{
    RefuseYoEntries(entries, sep);
    // Boxes in the order they are converted; members set before a bad box keep
    // their new values.
    std::optional<double> v;
    auto take = [&](int n) {
        try {
            v = StrToFloat(entries[static_cast<size_t>(n - 1)], sep);
        } catch (const ConversionError&) {
            v.reset();
        }
        // Negative lengths or distances make no antenna the export could describe.
        if (v && *v < 0)
            v.reset();
        return v.has_value();
    };
    if (!take(yo::kFrequency))
        return kErrorInBox;
    ClearFpFaults();
    s.DesignFreq = *v;
    s.WaveLength = Checked(WaveLength(s.DesignFreq, kLightSpeedYo));
    if (!take(yo::kElementDiam))
        return kErrorInBox;
    s.ElementDiam = *v;
    if (!take(yo::kDipoleDiam))
        return kErrorInBox;
    s.RadiatorDiam = *v;
    if (!take(yo::kReflLength))
        return kErrorInBox;
    s.ReflLength = *v;
    if (!take(yo::kDipoleLength))
        return kErrorInBox;
    s.DipoleLength = *v;
    if (!take(yo::kDipoleDist))
        return kErrorInBox;
    s.RadiatorPos = *v;
    for (int k = 1; k <= yo::kRows; ++k) {
        if (!take(yo::DirLengthEntry(k)))
            return kErrorInBox;
        s.DirLength[static_cast<size_t>(k)] = *v;
    }
    double previous = s.RadiatorPos;
    for (int k = 1; k <= yo::kRows; ++k) {
        if (!take(yo::DirDistEntry(k)))
            return kErrorInBox;
        s.DirSpacing[static_cast<size_t>(k)] = *v - previous;
        previous = *v;
    }

    int count = 0;
    int positive = 0;
    for (int k = 1; k <= yo::kRows; ++k) {
        count += s.DirLength[static_cast<size_t>(k)] != 0;
        positive += s.DirSpacing[static_cast<size_t>(k)] > 0;
    }
    s.DirCount = count;
    // The directors exported are 1..DirCount, so they must be exactly the
    // filled rows: an empty row among them would go out as a director.
    bool rowsRunFromOne = true;
    for (int k = 1; k <= count; ++k)
        rowsRunFromOne = rowsRunFromOne && s.DirLength[static_cast<size_t>(k)] != 0 &&
                         s.DirSpacing[static_cast<size_t>(k)] > 0;
    if (positive != count || !rowsRunFromOne)
        return kDirectorMismatch;
    s.Mounting = 'N';
    return std::nullopt;
}

} // namespace tavora
