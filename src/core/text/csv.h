#pragma once

#include <string>

namespace tavora {

// A CSV field in double quotes, each quote inside doubled.
std::string CsvQuoted(const std::string& text);

} // namespace tavora
