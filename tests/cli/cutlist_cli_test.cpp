// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_run.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <complex>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& text, char by)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, by);)
        parts.push_back(part);
    return parts;
}

// The element table's rows as printed: from the "Element" heading to the empty line.
std::vector<std::vector<std::string>> Table(const std::string& out)
{
    std::vector<std::vector<std::string>> rows;
    bool in = false;
    for (const std::string& line : Split(out, '\n')) {
        in = in ? !line.empty() : line.rfind("Element\t", 0) == 0;
        if (in)
            rows.push_back(Split(line, '\t'));
    }
    return rows;
}

double Number(const std::string& text)
{
    double v = NAN;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

// "40 1/64" in inches.
double Fraction(const std::string& cell)
{
    const std::string lead = cell.substr(0, cell.find(" ("));
    const size_t slash = lead.find('/');
    if (slash == std::string::npos)
        return Number(lead);
    const size_t blank = lead.find(' ');
    const double whole = blank == std::string::npos ? 0 : Number(lead.substr(0, blank));
    const size_t from = blank == std::string::npos ? 0 : blank + 1;
    return whole + Number(lead.substr(from, slash - from)) / Number(lead.substr(slash + 1));
}

} // namespace

TEST(CutListCli, InchLengthsConvertBackToTheMillimetreList)
{
    const std::string design = "cutlist --freq 432 --directors 20";
    const CliRun mm = Cli(design), inch = Cli(design + " --units inch");
    ASSERT_EQ(mm.code, 0) << mm.err;
    ASSERT_EQ(inch.code, 0) << inch.err;
    const auto mmRows = Table(mm.out), inchRows = Table(inch.out);
    ASSERT_EQ(mmRows.size(), 23u); // heading, reflector, dipole, 20 directors
    ASSERT_EQ(inchRows.size(), mmRows.size());
    for (size_t r = 1; r < mmRows.size(); ++r)
        for (size_t c = 1; c < 4; ++c) // length, boom mark, IT; each fraction after its number
            // Within 1/128 inch, and the mm list's own rounding to 0.1 mm.
            EXPECT_NEAR(Fraction(inchRows[r][2 * c]) * 25.4, Number(mmRows[r][c]),
                        25.4 / 128 + 0.05)
                << inchRows[r][0] << " " << inchRows[r][2 * c];
    // The lengths are the report's.
    const CliRun report = Cli("design --freq 432 --directors 20");
    EXPECT_NE(report.out.find("\t" + mmRows[3][1] + "\t"), std::string::npos) << mmRows[3][1];
}

TEST(CutListCli, CsvHoldsThePrintedRows)
{
    TempDir dir;
    const CliRun r =
        Cli("cutlist --freq 1296 --directors 5 --units inch --csv " + dir.File("c.csv"));
    ASSERT_EQ(r.code, 0) << r.err;
    std::vector<std::vector<std::string>> csv;
    for (const std::string& line : Split(ReadFile(dir.File("c-elements.csv")), '\n'))
        if (!line.empty())
            csv.push_back(Split(line, ','));
    csv.resize(Table(r.out).size());
    EXPECT_EQ(csv, Table(r.out));
}

// "-" names standard output, which then carries that file alone.
struct DashCase {
    const char* name;
    const char* command; // FILE is replaced by a path or by "-"
    const char* written = ""; // what FILE's name takes: a CSV's main table
};

class DashIsStandardOutput : public ::testing::TestWithParam<DashCase> {};

TEST_P(DashIsStandardOutput, WritesTheFilesBytes)
{
    TempDir dir;
    const auto with = [](std::string command, const std::string& file) {
        return command.replace(command.find("FILE"), 4, file);
    };
    const CliRun toFile = Cli(with(GetParam().command, dir.File("f")));
    const CliRun toOut = Cli(with(GetParam().command, "-"));
    ASSERT_EQ(toFile.code, 0) << toFile.err;
    ASSERT_EQ(toOut.code, 0) << toOut.err;
    const std::string written = dir.File("f") + GetParam().written;
    EXPECT_FALSE(ReadFile(written).empty());
    EXPECT_EQ(toOut.out, ReadFile(written));
}

INSTANTIATE_TEST_SUITE_P(
    FileOptions, DashIsStandardOutput,
    ::testing::Values(DashCase{"DesignYag", "design --yag FILE"},
                      DashCase{"DesignMaa", "design --maa FILE"},
                      DashCase{"DesignNec", "design --nec FILE"},
                      DashCase{"YoYag", "yo --set 37=144.1 --set 39=1030 --set 1=6 --set 4=6 --set "
                                        "38=20 --set 2=400 --set 3=980 --yag FILE"},
                      DashCase{"CutListCsv", "cutlist --csv FILE", "-elements.csv"},
                      DashCase{"SimulateCsv", "simulate --points 3 --csv FILE", "-sweep.csv"},
                      DashCase{"SimulateS1p", "simulate --points 3 --s1p FILE"},
                      DashCase{"SimulateStackCsv",
                               "simulate-stack --directors 2 --sweep-spacing 0:0:2 --csv FILE",
                               "-figures.csv"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DashIsStandardOutput, OnlyOneFileCanTakeIt)
{
    const CliRun r = Cli("design --yag - --nec -");
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("standard output"), std::string::npos) << r.err;
}

// The .s1p of the default 21-point sweep against the sweep's impedances in the CSV.
TEST(SimulateCli, TouchstoneMatchesTheSweepsImpedance)
{
    TempDir dir;
    const CliRun r = Cli("simulate --freq 432 --directors 5 --s1p " + dir.File("s.s1p") +
                         " --csv " + dir.File("s.csv"));
    ASSERT_EQ(r.code, 0) << r.err;
    std::vector<std::vector<double>> s1p;
    double z0 = 0;
    for (const std::string& line : Split(ReadFile(dir.File("s.s1p")), '\n')) {
        if (line.rfind("# MHz S RI R ", 0) == 0)
            z0 = Number(line.substr(13));
        if (line.empty() || line[0] == '!' || line[0] == '#')
            continue;
        std::vector<double> v;
        for (const std::string& cell : Split(line, ' '))
            v.push_back(Number(cell));
        s1p.push_back(v);
    }
    EXPECT_EQ(z0, 50);
    std::vector<std::vector<double>> csv;
    for (const std::string& line : Split(ReadFile(dir.File("s-sweep.csv")), '\n')) {
        if (line.empty())
            break;
        if (line[0] == 'f')
            continue;
        std::vector<double> v;
        for (const std::string& cell : Split(line, ','))
            v.push_back(Number(cell));
        csv.push_back(v);
    }
    ASSERT_EQ(s1p.size(), 21u);
    ASSERT_EQ(csv.size(), 21u);
    for (size_t i = 0; i < s1p.size(); ++i) {
        const std::complex<double> s(s1p[i][1], s1p[i][2]);
        const std::complex<double> z = z0 * (1.0 + s) / (1.0 - s);
        EXPECT_NEAR(s1p[i][0], csv[i][0], 1e-4);
        EXPECT_NEAR(z.real(), csv[i][1], 0.006) << i; // the CSV's two decimals
        EXPECT_NEAR(z.imag(), csv[i][2], 0.006) << i;
    }
}
