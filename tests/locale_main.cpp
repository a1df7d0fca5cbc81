// The suites run as the programs do, under the locale the environment names:
// ctest runs them once in the C locale and once under a comma-decimal locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>

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
    return RUN_ALL_TESTS();
}
