// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/touchstone.h"

#include <gtest/gtest.h>

#include <charconv>
#include <sstream>

using namespace tavora;

namespace {

struct S1p {
    std::string options;
    std::vector<double> frequency;
    std::vector<std::complex<double>> s11;
};

// A reader for what a VNA program reads: "!" comments, the "#" line, then
// frequency, real and imaginary part per line.
S1p ReadS1p(const std::string& text)
{
    S1p f;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '!')
            continue;
        if (line[0] == '#') {
            f.options = line;
            continue;
        }
        double v[3] = {};
        const char* p = line.data();
        const char* end = p + line.size();
        for (double& x : v) {
            while (p < end && *p == ' ')
                ++p;
            p = std::from_chars(p, end, x).ptr;
        }
        f.frequency.push_back(v[0]);
        f.s11.emplace_back(v[1], v[2]);
    }
    return f;
}

} // namespace

TEST(Touchstone, S1pReadsBackAsTheSweepsImpedance)
{
    SimulationResult r;
    r.z0 = 50;
    for (int i = 0; i < 21; ++i)
        r.sweep.push_back({141.218 + 0.2882 * i, {20.0 + 3 * i, -40.0 + 4.5 * i}, 0, 0, 0});
    r.sweep[10].impedance = {50, 0}; // matched: S11 is zero
    const S1p f = ReadS1p(TouchstoneS1p(r));
    EXPECT_EQ(f.options, "# MHz S RI R 50");
    ASSERT_EQ(f.s11.size(), r.sweep.size());
    for (size_t i = 0; i < r.sweep.size(); ++i) {
        const std::complex<double> z = r.z0 * (1.0 + f.s11[i]) / (1.0 - f.s11[i]);
        EXPECT_NEAR(f.frequency[i], r.sweep[i].frequency, 1e-6);
        EXPECT_NEAR(z.real(), r.sweep[i].impedance.real(), 1e-5) << i;
        EXPECT_NEAR(z.imag(), r.sweep[i].impedance.imag(), 1e-5) << i;
    }
    EXPECT_EQ(std::abs(f.s11[10]), 0.0);
}
