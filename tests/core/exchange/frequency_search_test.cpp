// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/yo_details.h"

#include "text/format.h"
#include "exchange/frequency_walk.h"
#include "state/errors.h"
#include "stepping_search.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

using namespace tavora;

namespace {

// What a search gives: the frequency's text and exact bits, nothing, or the error.
template <class Search> std::string Outcome(Search search)
{
    try {
        const std::optional<double> f = search();
        if (!f)
            return "none";
        char bits[32];
        *std::to_chars(bits, bits + sizeof bits - 1, *f, std::chars_format::hex).ptr = '\0';
        return FormatFixed(*f, 6, 1) + " (" + bits + ")";
    } catch (const ArithmeticError& e) {
        return e.what();
    }
}

std::string Dipole(double length, double diam)
{
    return Outcome([&] { return DipoleSearch(length, diam); });
}
std::string SteppedDipole(double length, double diam)
{
    return Outcome([&] { return reference::DipoleSearch(length, diam); });
}
std::string Reflector(double length, double element, double boom, Mounting m)
{
    return Outcome([&] { return ReflectorSearch(length, element, boom, m); });
}
std::string SteppedReflector(double length, double element, double boom, Mounting m)
{
    return Outcome([&] { return reference::ReflectorSearch(length, element, boom, m); });
}

constexpr Mounting kMountings[] = {Mounting::Bonded, Mounting::Insulated, Mounting::NonMetal};

double HalfWave(double mhz)
{
    return 299793 / mhz / 2;
}

} // namespace

TEST(FrequencyWalk, RunsGiveTheDoublesOfRepeatedSubtraction)
{
    // Every exponent range from 2^-10 to 2^24 MHz, starting where a run ends
    // within a step or two of the range's bottom, and anywhere else.
    for (int e = -9; e <= 25; ++e) {
        const double low = std::ldexp(1.0, e - 1);
        const double ulp = std::ldexp(1.0, e - 53);
        const double q = kWalkStep / ulp;
        std::vector<double> starts = {low * 1.7, std::nextafter(2 * low, 0.0)};
        for (double t = -2; t <= 2; ++t)
            for (double j : {0.0, 1.0, 3.0})
                starts.push_back(low + (std::ceil(q) + t + j * std::round(q)) * ulp);
        for (double f : starts) {
            if (!(f >= low && f < 2 * low))
                continue;
            // Six runs down from f; each one's first and last steps against
            // literal subtraction, and its end is where the next run starts.
            for (int r = 0; r < 6 && f > 0; ++r) {
                const WalkRun run = NextWalkRun(f);
                ASSERT_GE(run.count, 1);
                double v = f;
                for (long j = 1; j <= std::min(run.count, 3L); ++j) {
                    v -= kWalkStep;
                    ASSERT_EQ(run.At(j), v) << "from " << f << ", step " << j;
                }
                if (run.count > 3) {
                    v = run.At(run.count - 3);
                    for (long j = run.count - 2; j <= run.count; ++j) {
                        v -= kWalkStep;
                        ASSERT_EQ(run.At(j), v) << "from " << f << ", step " << j;
                    }
                }
                f = run.At(run.count);
            }
        }
    }
}

TEST(FrequencySearch, GivesTheWorkedValuesAsTheSteppingDid)
{
    EXPECT_EQ(Dipole(980, 6), SteppedDipole(980, 6));
    EXPECT_EQ(Dipole(980, 6).substr(0, 6), "145.0 ");
    EXPECT_EQ(Dipole(980.0 * 100 / 102, 6), SteppedDipole(980.0 * 100 / 102, 6));
    EXPECT_EQ(Dipole(980.0 * 100 / 102, 6).substr(0, 6), "147.8 ");
    const char* worked[] = {"143.0 ", "142.7 ", "142.3 "};
    for (int m = 0; m < 3; ++m) {
        EXPECT_EQ(Reflector(1030, 6, 20, kMountings[m]),
                  SteppedReflector(1030, 6, 20, kMountings[m]));
        EXPECT_EQ(Reflector(1030, 6, 20, kMountings[m]).substr(0, 6), worked[m]);
    }
}

TEST(FrequencySearch, AgreesWithTheSteppingFrom50MHzTo10GHz)
{
    for (double mhz = 50; mhz <= 10500; mhz *= 1.25) {
        // The worked 144 MHz Yagi scaled to the band, and the same rods unscaled.
        for (double scale : {144 / mhz, 1.0}) {
            const double dipole = HalfWave(mhz) * 0.95;
            EXPECT_EQ(Dipole(dipole, 6 * scale), SteppedDipole(dipole, 6 * scale)) << mhz;
            const double reflector = HalfWave(mhz) * 1.02;
            for (Mounting m : kMountings)
                EXPECT_EQ(Reflector(reflector, 6 * scale, 20 * scale, m),
                          SteppedReflector(reflector, 6 * scale, 20 * scale, m))
                    << mhz << " MHz, mounting " << static_cast<int>(m);
        }
    }
}

namespace {

// Random Yagis from 50 MHz up: rods from a ten-thousandth of a wavelength to
// beyond the reflector's pole at 0.36 and booms up to one and a half
// wavelengths, so that some searches keep the stepping.
void CompareOnRandomYagis(unsigned seed, int count, double maxMHz)
{
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> unit(0, 1);
    const auto logUniform = [&](double lo, double hi) { return lo * std::pow(hi / lo, unit(rng)); };
    for (int i = 0; i < count; ++i) {
        const double mhz = logUniform(50, maxMHz);
        const double length = HalfWave(mhz) * (0.8 + 0.4 * unit(rng));
        const double diam = 2 * HalfWave(mhz) * logUniform(1e-4, 0.45);
        if (i % 4 == 0) {
            EXPECT_EQ(Dipole(length, diam), SteppedDipole(length, diam))
                << "dipole " << length << " x " << diam;
        } else {
            const double boom = i % 8 == 1 ? 0 : 2 * HalfWave(mhz) * logUniform(1e-4, 1.5);
            const Mounting m = kMountings[i % 3];
            EXPECT_EQ(Reflector(length, diam, boom, m), SteppedReflector(length, diam, boom, m))
                << "reflector " << length << " x " << diam << ", boom " << boom << ", mounting "
                << static_cast<int>(m);
        }
    }
}

} // namespace

TEST(FrequencySearch, AgreesWithTheSteppingOnRandomYagis)
{
    CompareOnRandomYagis(20261207, 3000, 400);
}

// A longer run over every band, for a change to the searches:
// tavora_exchange_tests --gtest_also_run_disabled_tests --gtest_filter='*ManyRandom*'
TEST(FrequencySearch, DISABLED_ManyRandomYagisOverEveryBand)
{
    CompareOnRandomYagis(1, 40000, 10500);
}

TEST(FrequencySearch, AgreesWithTheSteppingWhereTheWalkCrossesAPowerOfTwo)
{
    // Lengths computed at frequencies around 2^k MHz, so that the answer falls
    // on the steps where the subtraction moves to the next exponent range.
    for (int k = 0; k <= 10; ++k) {
        for (int j = -8; j <= 8; ++j) {
            const double mhz = std::ldexp(1.0, k) + j * 0.0003;
            const double w = 299793 / mhz;
            const double x = 6 / w;
            const double dipole =
                w * (0.4777 - 1.0522 * x + 0.43363 * std::pow(x, -0.014891)) / 2 + 0.01;
            EXPECT_EQ(Dipole(dipole, 6), SteppedDipole(dipole, 6)) << mhz;
            const double reflector = w * (1 - 20 / (186.8769 * std::log(2 / x) - 320)) / 2 + 0.01;
            EXPECT_EQ(Reflector(reflector, 6, 0, Mounting::NonMetal),
                      SteppedReflector(reflector, 6, 0, Mounting::NonMetal))
                << mhz;
        }
    }
}

TEST(FrequencySearch, EdgesOfTheWalkAsTheSteppingMetThem)
{
    struct Case {
        const char* name;
        double length, diam, boom;
    };
    const Case cases[] = {
        // Walks that end in the smallest exponent ranges, where 0.001 MHz is a
        // tie of ulps or a step crosses a range on every subtraction.
        {"about 10 kHz", 1.5e7, 6, 20},
        {"about 5 kHz", 3e7, 6, 20},
        {"about 1 kHz", 1.5e8, 6, 20},
        {"the walk reaches 0", 1.5e11, 6, 20},
        // Faults of the first step: an element ratio that underflows to 0.
        {"a rod of the smallest double", 980, 5e-324, 0},
        // The start frequency overflows.
        {"a length of almost nothing", 1e-310, 6, 0},
        // Thick elements: the reflector formula's pole lies on the walk.
        {"rods 0.44 wavelength thick at the reflector's start", 1000, 800, 0},
        {"rods 0.6 wavelength thick at the dipole's start", 100, 100, 0},
        {"a boom of two wavelengths", 1030, 6, 4000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Dipole(c.length, c.diam), SteppedDipole(c.length, c.diam)) << c.name;
        for (Mounting m : kMountings)
            EXPECT_EQ(Reflector(c.length, c.diam, c.boom, m),
                      SteppedReflector(c.length, c.diam, c.boom, m))
                << c.name << ", mounting " << static_cast<int>(m);
    }
    EXPECT_EQ(Dipole(980, 5e-324), kDivisionByZero);
    EXPECT_EQ(Reflector(1030, 5e-324, 0, Mounting::NonMetal), kDivisionByZero);
    EXPECT_EQ(Dipole(1e-310, 6), kOverflow);
    EXPECT_EQ(Dipole(1.5e11, 6), "none");
}
