// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/program.h"

int main(int argc, char** argv)
{
    return tavora::app::RunTavora(argc, argv);
}
