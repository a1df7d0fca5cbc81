#include "text/csv.h"

namespace tavora {

std::string CsvQuoted(const std::string& text)
{
    std::string quoted = "\"";
    for (char ch : text)
        quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return quoted + "\"";
}

std::string CsvTablePath(const std::string& name, const std::string& table)
{
    const std::string suffix = ".csv";
    const bool hasSuffix = name.size() > suffix.size() &&
                           name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
    return (hasSuffix ? name.substr(0, name.size() - suffix.size()) : name) + "-" + table + suffix;
}

} // namespace tavora
