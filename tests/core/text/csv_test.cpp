// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/csv.h"

#include <gtest/gtest.h>

using namespace tavora;

TEST(CsvQuoted, QuotesTheFieldAndDoublesEachQuoteInside)
{
    EXPECT_EQ(CsvQuoted(""), "\"\"");
    EXPECT_EQ(CsvQuoted("Gain, dBi"), "\"Gain, dBi\"");
    EXPECT_EQ(CsvQuoted("3/8\" rod"), "\"3/8\"\" rod\"");
    EXPECT_EQ(CsvQuoted("\""), "\"\"\"\"");
}
