#include "arrays/gain.h"
#include "state/design_state.h"
#include "state/errors.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>

namespace tavora {
namespace {

struct GainCase {
    const char* freq;
    const char* boom;
    GainMethod method;
    const char* gain;
    const char* beamwidth;
};

void PrintTo(const GainCase& c, std::ostream* os)
{
    *os << c.freq << " MHz, " << c.boom << " mm, method " << static_cast<int>(c.method);
}

class GainMemo : public testing::TestWithParam<GainCase> {};

TEST_P(GainMemo, WritesGainAndBeamwidthLines)
{
    const GainCase& c = GetParam();
    DesignState state;
    EXPECT_EQ(FindGain(state, c.freq, c.boom, c.method),
              std::string("Gain is ") + c.gain + " dBd (referred to dipole)\r\n" +
                  "Approximate 3 dB beamwidth is " + c.beamwidth + " degrees\r\n" +
                  "(Assuming E-plane and H-plane are the same)");
}

INSTANTIATE_TEST_SUITE_P(
    PublishedExamples, GainMemo,
    testing::Values(GainCase{"144.1", "4000", GainMethod::VK3AUU, "11.4", "42.9"},
                    GainCase{"144.1", "4000", GainMethod::WA2PHW, "11.7", "41.5"},
                    GainCase{"144.1", "4000", GainMethod::DJ9BV, "11.4", "42.9"},
                    GainCase{"432", "2000", GainMethod::VK3AUU, "12.7", "36.6"},
                    GainCase{"432", "2000", GainMethod::WA2PHW, "13.0", "35.6"},
                    GainCase{"432", "2000", GainMethod::DJ9BV, "12.7", "36.7"},
                    GainCase{"144.1", "500", GainMethod::VK3AUU, "4.3", "96.6"},
                    GainCase{"144.1", "500", GainMethod::WA2PHW, "7.4", "67.4"},
                    GainCase{"144.1", "500", GainMethod::DJ9BV, "4.3", "96.4"},
                    GainCase{"300", "1000", GainMethod::VK3AUU, "9.2", "55.4"},
                    GainCase{"300", "1000", GainMethod::WA2PHW, "9.8", "51.1"},
                    GainCase{"300", "1000", GainMethod::DJ9BV, "9.2", "55.4"},
                    // A zero boom leaves the WA2PHW logarithm at 10 log10(4.25).
                    GainCase{"144.1", "0", GainMethod::WA2PHW, "6.3", "77.0"}));

TEST(Gain, OneWavelengthBoomGivesTheConstant)
{
    EXPECT_DOUBLE_EQ(GainVK3AUU(1000, 1000), 9.15);
    EXPECT_DOUBLE_EQ(GainDJ9BV(1000, 1000), 9.15);
}

TEST(Gain, StoresItsFrequencyBoomAndWavelength)
{
    DesignState state;
    state.WaveLength = 299792 / 144.1; // as a design left it
    FindGain(state, "144.1", "4000", GainMethod::VK3AUU);
    EXPECT_EQ(state.DesignFreq, 144.1);
    EXPECT_EQ(state.BoomLength, 4000);
    EXPECT_EQ(state.WaveLength, 300000 / 144.1);
}

struct GainFailure {
    const char* freq;
    const char* boom;
    GainMethod method;
    const char* text;
    double storedFreq; // DesignFreq afterwards; it starts at -1
};

void PrintTo(const GainFailure& c, std::ostream* os)
{
    *os << "freq '" << c.freq << "' boom '" << c.boom << "' method " << static_cast<int>(c.method);
}

class GainFails : public testing::TestWithParam<GainFailure> {};

TEST_P(GainFails, AtTheFailingStep)
{
    const GainFailure& c = GetParam();
    DesignState state;
    state.DesignFreq = -1;
    try {
        FindGain(state, c.freq, c.boom, c.method);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), c.text);
    }
    EXPECT_EQ(state.DesignFreq, c.storedFreq);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, GainFails,
    testing::Values(GainFailure{"abc", "4000", GainMethod::VK3AUU,
                                "'abc' is not a valid floating point value", -1},
                    GainFailure{"144.1", "4000.5", GainMethod::VK3AUU,
                                "'4000.5' is not a valid integer value", 144.1},
                    GainFailure{"144.1", "", GainMethod::VK3AUU, "'' is not a valid integer value",
                                144.1},
                    GainFailure{"0", "4000", GainMethod::WA2PHW, kDivisionByZero, 0},
                    GainFailure{"144.1", "0", GainMethod::VK3AUU, kDivisionByZero, 144.1},
                    GainFailure{"144.1", "0", GainMethod::DJ9BV, kDivisionByZero, 144.1},
                    GainFailure{"144.1", "-100", GainMethod::VK3AUU, kInvalidOperation, 144.1},
                    GainFailure{"144.1", "-100", GainMethod::DJ9BV, kInvalidOperation, 144.1},
                    GainFailure{"144.1", "-2000", GainMethod::WA2PHW, kInvalidOperation, 144.1}));

} // namespace
} // namespace tavora
