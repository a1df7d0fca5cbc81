// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tavora::app {

// The windows name the fonts they were designed with; these map them to the
// free fonts that scripts/install-deps.sh installs.
void InstallFontSubstitutes();

} // namespace tavora::app
