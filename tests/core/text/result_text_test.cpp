// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/result_text.h"

#include <gtest/gtest.h>

using namespace tavora;

TEST(ResultLines, HeadingNotesFiguresThenEachTableAfterAnEmptyLine)
{
    ResultText text;
    text.heading = "Simulated";
    text.notes = {"A note"};
    text.figures = {{"Forward gain:", "15.75", "dBi", "\u00b10.03", {"DL6WU 15.6"}},
                    {"", "A sentence among the figures.", "", "", {}}};
    text.tables = {{"Over the sweep", {"MHz", "SWR"}, {{"144.0", "1.2"}, {"144.1", "1.1"}}},
                   {"", {"Element"}, {}}};
    const std::vector<std::string> expected = {"Simulated",
                                               "A note",
                                               "Forward gain:\t15.75 dBi \u00b10.03\tDL6WU 15.6",
                                               "A sentence among the figures.",
                                               "",
                                               "Over the sweep",
                                               "MHz\tSWR",
                                               "144.0\t1.2",
                                               "144.1\t1.1",
                                               "",
                                               "Element"};
    EXPECT_EQ(ResultLines(text), expected);
}
