#include "text/csv.h"

namespace tavora {

std::string CsvQuoted(const std::string& text)
{
    std::string quoted = "\"";
    for (char ch : text)
        quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return quoted + "\"";
}

} // namespace tavora
