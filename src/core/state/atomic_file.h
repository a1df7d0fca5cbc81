#pragma once

#include <string>

namespace tavora {

// Writes `content` to a temporary file beside `path` and renames it over
// `path` only once it is complete, so a failure never destroys the old file.
// Throws FileError with the platform's text; the old file is then untouched.
void WriteFileAtomically(const std::string& path, const std::string& content);

// The refusal for a text that the value-line reader would take for a comment.
inline constexpr const char* kSemicolonValue = "A value beginning with ';' cannot be saved";

// True when a text cannot be stored as a value line.
inline bool BeginsWithSemicolon(const std::string& text) { return !text.empty() && text[0] == ';'; }

} // namespace tavora
