// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/help.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <regex>
#include <sstream>
#include <utility>

namespace tavora::shell {

namespace {

namespace fs = std::filesystem;

struct TopicPage {
    HelpTopic topic;
    const char* page;
};

constexpr std::array kPages{
    TopicPage{HelpTopic::Contents, "index.html"},
    TopicPage{HelpTopic::MainWindow, "main-window.html"},
    TopicPage{HelpTopic::DesignEntry, "design-entry.html"},
    TopicPage{HelpTopic::Results, "results.html"},
    TopicPage{HelpTopic::Balun, "balun.html"},
    TopicPage{HelpTopic::YoDetails, "yo-details.html"},
    TopicPage{HelpTopic::Conversion, "conversion.html"},
    TopicPage{HelpTopic::Mmana, "mmana.html"},
    TopicPage{HelpTopic::Simulation, "simulation.html"},
    TopicPage{HelpTopic::Gain, "gain.html"},
    TopicPage{HelpTopic::Stacking, "stacking.html"},
    TopicPage{HelpTopic::Swr, "swr.html"},
    TopicPage{HelpTopic::Impedance, "impedance.html"},
    TopicPage{HelpTopic::Building, "building.html"},
    TopicPage{HelpTopic::Files, "files.html"},
};

constexpr std::array<std::pair<int, HelpTopic>, 6> kContexts{{
    {30, HelpTopic::DesignEntry},
    {60, HelpTopic::Stacking},
    {70, HelpTopic::Swr},
    {90, HelpTopic::YoDetails},
    {120, HelpTopic::Gain},
    {135, HelpTopic::Impedance},
}};

std::string ReadFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool HasAnchor(const std::string& html, const std::string& anchor)
{
    for (const char* attribute : {"id=\"", "name=\""})
        if (html.find(attribute + anchor + '"') != std::string::npos)
            return true;
    return false;
}

// The problem with one link of `from`, or nothing.
std::optional<std::string> LinkProblem(const fs::path& dir, const fs::path& from,
                                       const std::string& link)
{
    const std::string where = fs::relative(from, dir).generic_string() + ": ";
    const std::size_t hash = link.find('#');
    const std::string target = link.substr(0, std::min(hash, link.find('?')));
    if (!target.empty() && target.front() == '/')
        return where + "absolute link " + link;
    const fs::path file = target.empty() ? from : (from.parent_path() / target).lexically_normal();
    const std::string inside = file.lexically_relative(dir).generic_string();
    if (inside.empty() || inside.rfind("..", 0) == 0)
        return where + "link outside the manual " + link;
    if (!fs::is_regular_file(file))
        return where + "broken link " + link;
    if (hash != std::string::npos && !HasAnchor(ReadFile(file), link.substr(hash + 1)))
        return where + "missing anchor " + link;
    return std::nullopt;
}

} // namespace

std::string HelpPage(HelpTopic topic)
{
    for (const TopicPage& entry : kPages)
        if (entry.topic == topic)
            return entry.page;
    return kPages.front().page;
}

std::vector<HelpTopic> AllHelpTopics()
{
    std::vector<HelpTopic> topics;
    for (const TopicPage& entry : kPages)
        topics.push_back(entry.topic);
    return topics;
}

std::optional<HelpTopic> ContextTopic(int context)
{
    for (const auto& [number, topic] : kContexts)
        if (number == context)
            return topic;
    return std::nullopt;
}

std::vector<int> HelpContexts()
{
    std::vector<int> numbers;
    for (const auto& entry : kContexts)
        numbers.push_back(entry.first);
    return numbers;
}

std::string HelpUrl(const std::string& page)
{
    return std::string("qthelp://") + kHelpNamespace + '/' + kHelpFolder + '/' + page;
}

std::string HelpUnavailableMessage(const std::string& collectionPath)
{
    return "Help is not available: the help file " + collectionPath + " is missing or damaged.";
}

std::vector<std::string> InternalLinks(const std::string& text)
{
    static const std::regex attribute(R"re(\b(?:href|src|ref)\s*=\s*(?:"([^"]*)"|'([^']*)'))re",
                                      std::regex::icase);
    static const std::regex scheme(R"(^[A-Za-z][A-Za-z0-9+.-]*:)");
    std::vector<std::string> links;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), attribute);
         it != std::sregex_iterator(); ++it) {
        const std::string link = (*it)[1].matched ? (*it)[1].str() : (*it)[2].str();
        if (!std::regex_search(link, scheme))
            links.push_back(link);
    }
    return links;
}

std::vector<std::string> CheckManual(const fs::path& dir)
{
    std::vector<std::string> problems;
    for (const HelpTopic topic : AllHelpTopics()) {
        if (fs::is_regular_file(dir / HelpPage(topic)))
            continue;
        std::string problem = "missing topic page " + HelpPage(topic);
        for (const auto& [number, contextTopic] : kContexts)
            if (contextTopic == topic)
                problem += " (context " + std::to_string(number) + ")";
        problems.push_back(problem);
    }

    std::vector<fs::path> sources;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        const std::string ext = entry.path().extension().string();
        if (entry.is_regular_file() && (ext == ".html" || ext == ".qhp"))
            sources.push_back(entry.path());
    }
    std::sort(sources.begin(), sources.end());
    for (const fs::path& source : sources)
        for (const std::string& link : InternalLinks(ReadFile(source)))
            if (auto problem = LinkProblem(dir, source, link))
                problems.push_back(*problem);
    return problems;
}

} // namespace tavora::shell
