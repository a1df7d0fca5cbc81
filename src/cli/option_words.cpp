// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "state/errors.h"
#include "state/numbers.h"

#include <algorithm>
#include <cctype>

namespace tavora::cli {

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Letters and digits only, lower case: "RG213" finds "RG-213 (PE) 50 ohm".
std::string Squeezed(const std::string& text)
{
    std::string out;
    for (const char c : Lower(text))
        if (std::isalnum(static_cast<unsigned char>(c)))
            out += c;
    return out;
}

size_t EditDistance(const std::string& a, const std::string& b)
{
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// A parser check that only reports: the text goes on to the calculation as typed.
CLI::Validator Check(std::function<bool(const std::string&)> valid, const std::string& allowed)
{
    return CLI::Validator(
        [valid, allowed](std::string& text) {
            return valid(text) ? std::string() : "'" + text + "' is not " + allowed;
        },
        "");
}

} // namespace

std::vector<std::string> Closest(const std::vector<std::string>& candidates,
                                 const std::string& text)
{
    const std::string typed = Squeezed(text);
    std::vector<std::string> found;
    for (const std::string& c : candidates)
        if (!typed.empty() && Squeezed(c).find(typed) != std::string::npos)
            found.push_back(c);
    if (!found.empty())
        return found;
    size_t best = std::max<size_t>(typed.size() / 2, 2) + 1;
    for (const std::string& c : candidates) {
        const size_t d = EditDistance(typed, Squeezed(c));
        if (d < best) {
            best = d;
            found.clear();
        }
        if (d == best)
            found.push_back(c);
    }
    return found;
}

CLI::Validator Number()
{
    return Check(
        [](const std::string& text) {
            try {
                StrToFloat(text);
            } catch (const ConversionError&) {
                return false;
            } catch (const Error&) {
                // Out of a double's range: the calculation names the fault.
            }
            ClearFpFaults();
            return true;
        },
        "a number");
}

CLI::Validator WholeNumber()
{
    return Check(
        [](const std::string& text) {
            try {
                StrToInt(text);
            } catch (const Error&) {
                return false;
            }
            return true;
        },
        "a whole number");
}

CLI::Option* AddWordOption(CLI::Option* option,
                           const std::vector<std::pair<std::string, int>>& words,
                           std::optional<int> current)
{
    std::string list;
    for (const auto& [word, value] : words) {
        list += (list.empty() ? "" : "|") + word;
        if (value == current)
            option->description(option->get_description() + " (default " + word + ")");
    }
    CLI::Validator pick(
        [words, list](std::string& text) {
            for (const auto& [word, value] : words)
                // The values themselves are still taken, as earlier releases did.
                if (Lower(text) == Lower(word) || text == std::to_string(value)) {
                    text = std::to_string(value);
                    return std::string();
                }
            return "'" + text + "' is not one of " + list;
        },
        "");
    return option->transform(pick)->option_text(list);
}

CLI::Option* AddNumber(CLI::App* cmd, const std::string& name, std::string& target,
                       const std::string& help)
{
    return cmd->add_option(name, target, help)->check(Number())->type_name("NUMBER");
}

void AddFeedOption(CLI::App* cmd, Feed& feed)
{
    AddWords(cmd, "--dipole", feed, {{"single", Feed::SingleDipole}, {"folded", Feed::FoldedDipole}},
             "Radiator of the model");
}

} // namespace tavora::cli
