// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_run.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <sstream>
#include <vector>

namespace {

// A CSV file's rows, each by its header's names.
std::vector<std::map<std::string, std::string>> CsvRows(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> heads;
    std::vector<std::map<std::string, std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, ',');)
            cells.push_back(cell);
        if (heads.empty()) {
            heads = cells;
            continue;
        }
        auto& row = rows.emplace_back();
        for (size_t i = 0; i < heads.size() && i < cells.size(); ++i)
            row[heads[i]] = cells[i];
    }
    return rows;
}

double Number(const std::string& text)
{
    double v = NAN;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

} // namespace

class ScanAgainstSimulate : public ::testing::TestWithParam<const char*> {};

// Each count's row holds the figures `simulate` gives that design at one
// frequency: the sweep's row to its digits, F/R to the digits its bar leaves.
TEST_P(ScanAgainstSimulate, EveryCountHasTheFiguresOfItsOwnRun)
{
    TempDir dir;
    const std::string design = std::string("simulate --freq 144.1 --dipole ") + GetParam();
    const CliRun scan = Cli(design + " --scan-directors 5:7 --csv " + dir.File("scan"));
    ASSERT_EQ(scan.code, 0) << scan.err;
    const auto rows = CsvRows(ReadAll(dir.File("scan-scan.csv")));
    ASSERT_EQ(rows.size(), 3u);
    for (const auto& row : rows) {
        const std::string one = dir.File("one" + row.at("directors"));
        const CliRun r =
            Cli(design + " --directors " + row.at("directors") + " --points 1 --csv " + one);
        ASSERT_EQ(r.code, 0) << r.err;
        const auto sweep = CsvRows(ReadAll(one + "-sweep.csv")).at(0);
        for (const char* column : {"r_ohm", "x_ohm", "swr", "gain_dbi"})
            EXPECT_EQ(row.at(column), sweep.at(column)) << column << " " << row.at("directors");
        EXPECT_EQ(row.at("front_to_back_db"), sweep.at("front_to_back_db"));
        std::map<std::string, std::string> figures;
        for (const auto& f : CsvRows(ReadAll(one + "-figures.csv")))
            figures[f.at("figure")] = f.at("value");
        const std::string fr = figures.at("front_to_rear_db");
        const size_t point = fr.find('.');
        const int decimals = point == std::string::npos ? 0 : int(fr.size() - point - 1);
        EXPECT_LE(std::abs(Number(row.at("front_to_rear_db")) - Number(fr)),
                  0.5 * std::pow(10, -decimals) + 1e-9)
            << row.at("directors");
    }
}

INSTANTIATE_TEST_SUITE_P(BothDipoles, ScanAgainstSimulate, ::testing::Values("single", "folded"));

struct ScanRefusal {
    const char* name;
    const char* args;
    const char* message;
    int code;
};

class ScanRefused : public ::testing::TestWithParam<ScanRefusal> {};

TEST_P(ScanRefused, NamesTheOptionAndRunsNoEngine)
{
    const ScanRefusal c = GetParam();
    const CliRun r = Cli(std::string("simulate --freq 144.1 --scan-directors ") + c.args);
    EXPECT_EQ(r.code, c.code);
    EXPECT_EQ(r.err.rfind(c.message, 0), 0u) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ScanRefused,
    ::testing::Values(
        ScanRefusal{"NoTo",
                    "5:", "--scan-directors: takes FROM:TO, two whole director counts, as 5:20", 1},
        ScanRefusal{"NoColon", "5-7", "--scan-directors: takes FROM:TO", 1},
        ScanRefusal{"Fraction", "5.5:7", "--scan-directors: takes FROM:TO", 1},
        ScanRefusal{"Backwards", "7:5",
                    "--scan-directors: Directors to cannot be below Directors from (7)", 1},
        ScanRefusal{"AboveTheEntrysMost", "0:101",
                    "--scan-directors: Directors to must be from 0 to 100", 1},
        ScanRefusal{"Negative", "-1:5", "--scan-directors: Directors from must be from 0 to 100",
                    1},
        ScanRefusal{"WithPoints", "5:7 --points 3", "--points excludes --scan-directors", 2},
        ScanRefusal{"WithTune", "5:7 --tune", "--tune excludes --scan-directors", 2}),
    [](const auto& info) { return std::string(info.param.name); });
