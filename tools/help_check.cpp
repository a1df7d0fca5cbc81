// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the manual's sources before they are compiled: every window's topic
// has its page and no internal link points nowhere. Exit 1 with the list.
//   tavora_help_check help/
#include "shell/help.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: tavora_help_check HELP_FOLDER\n";
        return 2;
    }
    const auto problems = tavora::shell::CheckManual(argv[1]);
    for (const std::string& problem : problems)
        std::cerr << problem << '\n';
    return problems.empty() ? 0 : 1;
}
