// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The release and licence texts of both programs.
namespace tavora::shell {

// The CMake project version, so that every text naming the release agrees with the package.
extern const char* const kVersion;     // "2.6.10"
extern const char* const kVersionLine; // " Version 2.6.10", under every window's heading
inline constexpr const char* kLicenceLine =
    "Licence: GNU GPL version 3 or later (GPL-3.0-or-later)";
inline constexpr const char* kNoWarranty =
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.";

} // namespace tavora::shell
