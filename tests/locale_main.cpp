// SPDX-License-Identifier: GPL-3.0-or-later
// The suites run as the programs do, under the locale the environment names:
// ctest runs them once in the C locale and once under a comma-decimal locale.
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

// Every test works in a fresh folder of its own, so that a file a test (or
// the command line it runs) writes into the working folder never meets the
// other locale's run of the same suite, nor the build's run folder.
class OwnFolderPerTest : public testing::EmptyTestEventListener {
    std::filesystem::path started_ = std::filesystem::current_path();
    std::unique_ptr<TempDir> folder_;

    void OnTestStart(const testing::TestInfo&) override
    {
        folder_ = std::make_unique<TempDir>();
        std::filesystem::current_path(folder_->Path());
    }
    void OnTestEnd(const testing::TestInfo&) override
    {
        std::filesystem::current_path(started_);
        folder_.reset();
    }
};

} // namespace

int main(int argc, char** argv)
{
    // A run asked for a locale the machine lacks would pass in the C locale
    // without a word; fail it instead.
    const char* wanted = std::getenv("LC_ALL");
    if (!std::setlocale(LC_ALL, "") && wanted && *wanted) {
        std::fprintf(stderr, "Locale %s is not installed (scripts/install-deps.sh makes it)\n",
                     wanted);
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new OwnFolderPerTest);
    return RUN_ALL_TESTS();
}
