// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/help.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

using namespace tavora::shell;

struct ContextCase {
    int context;
    const char* page;
};
std::ostream& operator<<(std::ostream& out, const ContextCase& c)
{
    return out << c.context << " opens " << c.page;
}

class HelpContextTest : public testing::TestWithParam<ContextCase> {};

TEST_P(HelpContextTest, ContextNumberOpensTheWindowsPage)
{
    const auto topic = ContextTopic(GetParam().context);
    ASSERT_TRUE(topic.has_value());
    EXPECT_EQ(HelpPage(*topic), GetParam().page);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, HelpContextTest,
    testing::Values(ContextCase{30, "design-entry.html"}, ContextCase{60, "stacking.html"},
                    ContextCase{70, "swr.html"}, ContextCase{90, "yo-details.html"},
                    ContextCase{120, "gain.html"}, ContextCase{135, "impedance.html"}));

TEST(HelpTest, OtherContextNumbersHaveNoTopic)
{
    for (const int context : {0, 29, 31, 100, 136, -30})
        EXPECT_FALSE(ContextTopic(context).has_value()) << context;
}

TEST(HelpTest, EveryTopicHasItsOwnPage)
{
    std::vector<std::string> pages;
    for (const HelpTopic topic : AllHelpTopics())
        pages.push_back(HelpPage(topic));
    std::sort(pages.begin(), pages.end());
    EXPECT_EQ(std::adjacent_find(pages.begin(), pages.end()), pages.end());
}

TEST(HelpTest, UrlInsideTheCollection)
{
    EXPECT_EQ(HelpUrl("design-entry.html"), "qthelp://tavora.manual/doc/design-entry.html");
}

TEST(HelpTest, InternalLinksSkipOtherSchemes)
{
    const std::string html = R"(<a href="a.html">a</a> <img src='images/b.png'>
<a HREF="c.html#x">c</a> <a href="#top">t</a> <section ref="d.html"/>
<a href="https://example.org/">w</a> <a href="qthelp://tavora.manual/doc/e.html">q</a>
<a href="mailto:someone@example.org">m</a>)";
    EXPECT_EQ(InternalLinks(html),
              (std::vector<std::string>{"a.html", "images/b.png", "c.html#x", "#top", "d.html"}));
}

class ManualCheckTest : public testing::Test {
  protected:
    // A manual with every topic page, each linking to the contents page.
    void SetUp() override
    {
        for (const HelpTopic topic : AllHelpTopics())
            Write(HelpPage(topic), R"(<h1 id="top">T</h1><a href="index.html#top">contents</a>)");
    }
    void Write(const std::string& name, const std::string& text) { WriteAll(dir.File(name), text); }

    TempDir dir;
};

TEST_F(ManualCheckTest, CompleteManualHasNoProblems)
{
    EXPECT_TRUE(CheckManual(dir.Path()).empty());
}

TEST_F(ManualCheckTest, MissingContextTopicIsNamedWithItsNumber)
{
    std::filesystem::remove(dir.File("swr.html"));
    EXPECT_EQ(CheckManual(dir.Path()),
              (std::vector<std::string>{"missing topic page swr.html (context 70)"}));
}

struct LinkCase {
    const char* link;
    const char* problem;
};
std::ostream& operator<<(std::ostream& out, const LinkCase& c)
{
    return out << c.problem << " " << c.link;
}

class ManualLinkTest : public ManualCheckTest, public testing::WithParamInterface<LinkCase> {};

TEST_P(ManualLinkTest, BadLinkIsReported)
{
    std::filesystem::create_directory(dir.Path() / "images");
    Write("images/ok.png", "png");
    Write("gain.html",
          std::string(R"(<img src="images/ok.png"><a href=")") + GetParam().link + R"(">x</a>)");
    EXPECT_EQ(CheckManual(dir.Path()),
              (std::vector<std::string>{std::string("gain.html: ") + GetParam().problem + " " +
                                        GetParam().link}));
}

INSTANTIATE_TEST_SUITE_P(Links, ManualLinkTest,
                         testing::Values(LinkCase{"no-such-page.html", "broken link"},
                                         LinkCase{"images/missing.png", "broken link"},
                                         LinkCase{"index.html#nowhere", "missing anchor"},
                                         LinkCase{"#nowhere", "missing anchor"},
                                         LinkCase{"/usr/share/doc/index.html", "absolute link"},
                                         LinkCase{"../index.html", "link outside the manual"}));

TEST_F(ManualCheckTest, QtHelpProjectLinksAreChecked)
{
    Write("Tavora.qhp", R"(<toc><section title="x" ref="gone.html"/></toc>)");
    EXPECT_EQ(CheckManual(dir.Path()),
              (std::vector<std::string>{"Tavora.qhp: broken link gone.html"}));
}
