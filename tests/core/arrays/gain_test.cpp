// SPDX-License-Identifier: GPL-3.0-or-later
#include "arrays/gain.h"
#include "state/design_state.h"
#include "state/errors.h"

#include <gtest/gtest.h>

namespace tavora {
namespace {

using M = GainMethod;

TEST(Gain, PublishedExamples)
{
    const struct {
        const char *freq, *boom;
        M method;
        const char *gain, *beamwidth;
    } cases[] = {
        {"144.1", "4000", M::VK3AUU, "11.4", "42.9"}, {"144.1", "4000", M::WA2PHW, "11.7", "41.5"},
        {"144.1", "4000", M::DJ9BV, "11.4", "42.9"},  {"432", "2000", M::VK3AUU, "12.7", "36.6"},
        {"432", "2000", M::WA2PHW, "13.0", "35.6"},   {"432", "2000", M::DJ9BV, "12.7", "36.7"},
        {"144.1", "500", M::VK3AUU, "4.3", "96.6"},   {"144.1", "500", M::WA2PHW, "7.4", "67.4"},
        {"144.1", "500", M::DJ9BV, "4.3", "96.4"},    {"300", "1000", M::VK3AUU, "9.2", "55.4"},
        {"300", "1000", M::WA2PHW, "9.8", "51.1"},    {"300", "1000", M::DJ9BV, "9.2", "55.4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.freq) + " MHz " + c.boom + " mm");
        DesignState state;
        EXPECT_EQ(FindGain(state, c.freq, c.boom, c.method),
                  std::string("Gain is ") + c.gain + " dBd (referred to dipole)\r\n" +
                      "Approximate 3 dB beamwidth is " + c.beamwidth + " degrees\r\n" +
                      "(Assuming E-plane and H-plane are the same)");
    }
}

TEST(Gain, StoresItsFrequencyBoomAndWavelength)
{
    DesignState state;
    state.WaveLength = 299792 / 144.1; // as a design left it
    FindGain(state, "144.1", "4000", M::VK3AUU);
    EXPECT_EQ(state.DesignFreq, 144.1);
    EXPECT_EQ(state.BoomLength, 4000);
    EXPECT_EQ(state.WaveLength, 300000 / 144.1);
    EXPECT_EQ(FindGain(state, "300", "1000", M::DJ9BV), FindGain(state, "300", "1000", M::VK3AUU));
}

TEST(Gain, FailsAtTheStepNamed)
{
    const struct {
        const char *freq, *boom;
        M method;
        const char* text;
        double storedFreq; // DesignFreq starts at -1
    } cases[] = {
        {"abc", "4000", M::VK3AUU, "Enter frequency in MHz must be a number, not 'abc'", -1},
        {"144.1", "4000.5", M::VK3AUU, "Boom length mm must be a whole number, not '4000.5'", 144.1},
        {"144.1", "", M::VK3AUU, "Boom length mm box empty or zero!", 144.1},
        // Zeros and impossible values are refused by their box before the formulas.
        {"0", "4000", M::WA2PHW, "Enter frequency in MHz box empty or zero!", 0},
        {"144.1", "0", M::WA2PHW, "Boom length mm box empty or zero!", 144.1},
        {"144.1", "-100", M::VK3AUU, "Boom length mm cannot be negative", 144.1},
        {"-144.1", "4000", M::VK3AUU, "Enter frequency in MHz cannot be negative", -144.1},
        {"1e300", "4000", M::VK3AUU, "Enter frequency in MHz must be from 50 to 10500 MHz", 1e300},
        {"144.1", "1", M::VK3AUU,
         "Boom length mm must be from 416 to 104000 mm at 144.1 MHz (0.2 to 50 wavelengths)",
         144.1},
        {"144.1", "200000", M::DJ9BV,
         "Boom length mm must be from 416 to 104000 mm at 144.1 MHz (0.2 to 50 wavelengths)",
         144.1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.freq) + " MHz " + c.boom + " mm");
        DesignState state;
        state.DesignFreq = -1;
        try {
            FindGain(state, c.freq, c.boom, c.method);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), c.text);
        }
        EXPECT_EQ(state.DesignFreq, c.storedFreq);
    }
}

} // namespace
} // namespace tavora
