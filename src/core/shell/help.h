// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tavora::shell {

// The manual, compiled from help/ into a Qt Help collection beside the program.
inline constexpr const char* kHelpCollection = "Tavora.qhc";
inline constexpr const char* kHelpDocumentation = "Tavora.qch";
inline constexpr const char* kHelpNamespace = "tavora.manual";
inline constexpr const char* kHelpFolder = "doc";

// One page per window, plus the pages no window opens by itself.
enum class HelpTopic {
    Contents,
    MainWindow,
    DesignEntry,
    Results,
    Balun,
    YoDetails,
    Conversion,
    Mmana,
    Simulation,
    Gain,
    Stacking,
    Swr,
    Impedance,
    Building,
    Files,
};

// The page of a topic inside help/, such as "design-entry.html".
std::string HelpPage(HelpTopic topic);
// Every topic, for checking that the manual has a page for each.
std::vector<HelpTopic> AllHelpTopics();

// The windows' context numbers (30 design entry, 60 stacking, 70 SWR, 90 YO
// details, 120 gain, 135 line impedance); nothing for any other number.
std::optional<HelpTopic> ContextTopic(int context);
std::vector<int> HelpContexts();

// The address of a page inside the collection, as the help window shows it.
std::string HelpUrl(const std::string& page);

// The one message for a collection that is not there or cannot be read.
std::string HelpUnavailableMessage(const std::string& collectionPath);

// The relative links (href, src, ref) of an HTML page or a .qhp file, in
// order; addresses with a scheme (http:, qthelp:, mailto:) are left out.
std::vector<std::string> InternalLinks(const std::string& text);

// What is wrong with the manual's sources in `dir`: a topic without its page,
// or a link to a file or an anchor that is not there. Empty when all is well.
std::vector<std::string> CheckManual(const std::filesystem::path& dir);

} // namespace tavora::shell
