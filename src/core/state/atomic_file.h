// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tavora {

// Writes `content` to a temporary file beside `path` and renames it over
// `path` only once it is complete, so a failure never destroys the old file.
// Through a symbolic link the link's target is written. The temporary is a
// hidden ".NAME.tavora-XXXXXX", and a save first removes those a killed save
// of the same file left. Only a regular file is replaced: a FIFO or a
// character device is written into (a FIFO that nothing reads within half
// a second is refused, not waited for), and a name that stands for an open
// descriptor (/dev/stdout) is written through that descriptor; anything else
// is refused. A file the user may not write is refused; a replaced file keeps
// its owner, group and mode (a hard link to it is split off by the rename).
// Throws FileError naming the file ("Cannot save to NAME: ..."); the old file
// is then untouched.
void WriteFileAtomically(const std::string& path, const std::string& content);

// Whether a save to `path` writes into a stream (a descriptor such as
// /dev/stdout, a device, a pipe) rather than replacing a file.
bool WritesIntoStream(const std::string& path);

// Refusals of a text that would change the structure of the file it is saved
// in; the message adds the box in brackets: "... cannot be saved (Frequency)".
inline constexpr const char* kSemicolonValue = "A value beginning with ';' cannot be saved";
inline constexpr const char* kControlCharacter =
    "A line break or other control character cannot be saved";

// Throws FileError when `text` holds a control character (a line break would
// start a new line of the file) or one of `separators` (a file's own field
// separators), naming `box`.
void CheckSavedText(std::string_view text, std::string_view box, std::string_view separators = {});
// The same for a text that begins a line the value-line reader reads, which
// would also take a first ";" for a comment.
void CheckValueLine(std::string_view text, std::string_view box);

} // namespace tavora
