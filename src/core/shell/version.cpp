// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/version.h"

namespace tavora::shell {

const char* const kVersion = TAVORA_VERSION;
const char* const kVersionLine = " Version " TAVORA_VERSION;

} // namespace tavora::shell
