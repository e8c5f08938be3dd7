#include "platform/htmlview/Layout.h"

#include "TestPages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

using namespace vellumate::htmlview;
using vellumate::htmlview::testing::LaidOutPage;

namespace {

constexpr int HandsetWidth = 176;

std::vector<std::wstring> Words(const std::wstring& text)
{
    std::wistringstream in(text);
    std::vector<std::wstring> words;
    for (std::wstring word; in >> word;)
        words.push_back(word);
    return words;
}

// Gap left of the first fragment and right of the last, inside the margins.
std::pair<int, int> SideGaps(const Line& line, int width)
{
    return {line.fragments.front().x - SideMargin, width - SideMargin - LaidOutPage::RightEdge(line)};
}

}  // namespace

TEST(HtmlLayout, WrapsAtSpacesAsLateAsTheWidthAllows)
{
    const std::wstring text =
        L"The file manager shows one folder at a time as a list of rows, with a folder tree as an "
        L"alternative pane, and shows sizes, dates and types of every file it lists.";
    for (int width : {HandsetWidth, 120, 90}) {
        SCOPED_TRACE(width);
        LaidOutPage page(text, width);
        const std::vector<Line>& lines = page.layout.lines;
        ASSERT_GT(lines.size(), 1u);

        std::vector<std::wstring> placed;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const Line& line = lines[i];
            EXPECT_EQ(line.fragments.front().x, SideMargin);
            EXPECT_LE(LaidOutPage::RightEdge(line), width - SideMargin);
            const std::vector<std::wstring> words = Words(line.Text());
            placed.insert(placed.end(), words.begin(), words.end());
            if (i + 1 < lines.size()) {
                // The next line's first word would not have fitted here.
                const std::wstring longer = line.Text() + L" " + Words(lines[i + 1].Text()).front();
                EXPECT_GT(page.fonts.Width(TextStyle{}, longer), width - 2 * SideMargin) << "line " << i;
            }
        }
        EXPECT_EQ(placed, Words(text));  // nothing lost, nothing doubled
    }
}

TEST(HtmlLayout, CutsAWordLongerThanTheLine)
{
    const std::wstring word = L"www.averyveryverylongcompanyname.example.com/downloads/vellumate";
    LaidOutPage page(L"see " + word, 90);
    std::wstring joined;
    for (const Line& line : page.layout.lines) {
        EXPECT_LE(LaidOutPage::RightEdge(line), 90 - SideMargin);
        EXPECT_FALSE(line.Text().empty());
        joined += line.Text() + L"|";
    }
    EXPECT_GE(page.layout.lines.size(), 4u);
    EXPECT_EQ(joined.substr(0, 4), L"see|");  // the long word starts on a line of its own
    std::wstring withoutBreaks;
    for (wchar_t c : joined.substr(4)) {
        if (c != L'|')
            withoutBreaks += c;
    }
    EXPECT_EQ(withoutBreaks, word);

    // Not even one character fits: it is placed anyway, one per line.
    LaidOutPage narrow(L"WW", 2 * SideMargin + 1);
    EXPECT_EQ(narrow.LineTexts(), (std::vector<std::wstring>{L"W", L"W"}));
}

TEST(HtmlLayout, AlignsLinesAsTheirBlockAsks)
{
    LaidOutPage page(L"<center>short<br>a somewhat longer line<br><b>x</b></center>"
                     L"<p align=right>to the right</p>left again",
                     HandsetWidth);
    const std::vector<Line>& lines = page.layout.lines;
    ASSERT_EQ(page.LineTexts(), (std::vector<std::wstring>{L"short", L"a somewhat longer line", L"x", L"",
                                                           L"to the right", L"", L"left again"}));
    for (int i : {0, 1, 2}) {
        const auto [left, right] = SideGaps(lines[static_cast<std::size_t>(i)], HandsetWidth);
        EXPECT_GT(left, 0) << i;
        EXPECT_LE(std::abs(left - right), 1) << i;
    }
    EXPECT_EQ(LaidOutPage::RightEdge(lines[4]), HandsetWidth - SideMargin);
    EXPECT_EQ(lines[6].fragments.front().x, SideMargin);
}

TEST(HtmlLayout, BoldAndLargerSizesTakeMoreRoom)
{
    LaidOutPage page(L"Version<br><b>Version</b><br>"
                     L"<font size=1>x</font><br><font size=2>x</font><br><font size=3>x</font><br>"
                     L"<font size=4>x</font><br><font size=5>x</font><br><font size=6>x</font><br>"
                     L"<font size=7>x</font>",
                     HandsetWidth);
    const std::vector<Line>& lines = page.layout.lines;
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_GT(lines[1].fragments.front().width, lines[0].fragments.front().width);
    for (std::size_t i = 3; i < lines.size(); ++i)
        EXPECT_GT(lines[i].height, lines[i - 1].height) << "size " << i - 1;

    // The normal size is the handset's 13-pixel text.
    vellumate::MemoryDCHandle dc(::CreateCompatibleDC(nullptr));
    vellumate::SelectObjectScope font(dc.Get(), page.fonts.Get(TextStyle{}).font);
    TEXTMETRICW metrics{};
    ASSERT_TRUE(::GetTextMetricsW(dc.Get(), &metrics));
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 13);
    EXPECT_EQ(lines[0].height, metrics.tmHeight);
}

TEST(HtmlLayout, StacksLinesWithBreaksAndParagraphGaps)
{
    LaidOutPage page(L"<br>a<br>b<br><br>c<p>d<p><p>e</p><p>f", HandsetWidth);
    EXPECT_EQ(page.LineTexts(),
              (std::vector<std::wstring>{L"", L"a", L"b", L"", L"c", L"", L"d", L"", L"e", L"", L"f"}));
    const std::vector<Line>& lines = page.layout.lines;
    EXPECT_EQ(lines.front().top, TopMargin);
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].top, lines[i - 1].Bottom()) << i;
    EXPECT_EQ(lines[0].height, lines[1].height);  // an empty line is as tall as its text would be
    EXPECT_EQ(page.layout.height, lines.back().Bottom() + BottomMargin);

    EXPECT_EQ(LaidOutPage(L"", HandsetWidth).layout.height, 0);
    EXPECT_EQ(LaidOutPage(L"<p><b></b></p>", HandsetWidth).layout.height, 0);
}

TEST(HtmlLayout, ImagesStandOnTheBaselineAndFitTheWidth)
{
    LaidOutPage page(L"text <img src=a width=40 height=30 alt=logo> more<br><img src=b width=500 height=100>",
                     HandsetWidth);
    const std::vector<Line>& lines = page.layout.lines;
    ASSERT_EQ(lines.size(), 2u);
    const Fragment& picture = lines[0].fragments[1];
    EXPECT_EQ(picture.kind, Fragment::Kind::Image);
    EXPECT_EQ(picture.width, 40);
    EXPECT_EQ(picture.height, 30);
    EXPECT_EQ(lines[0].baseline - lines[0].top, 30);  // taller than the text: it sets the line
    EXPECT_GT(lines[0].height, 30);                   // and the text's descent hangs below
    EXPECT_EQ(lines[0].Text(), L"text logo more");

    const Fragment& wide = lines[1].fragments[0];
    EXPECT_EQ(wide.width, HandsetWidth - 2 * SideMargin);
    EXPECT_EQ(wide.height, 100 * wide.width / 500);
}

TEST(HtmlLayout, ImageBoxesComeFromAttributesThenThePicture)
{
    const ImageSize picture{80, 40};
    EXPECT_EQ(ImageBox({L"", L"", 20, 30}, picture).width, 20);
    EXPECT_EQ(ImageBox({L"", L"", 20, 30}, picture).height, 30);
    EXPECT_EQ(ImageBox({L"", L"", 20, 0}, picture).height, 10);  // proportional
    EXPECT_EQ(ImageBox({L"", L"", 0, 20}, picture).width, 40);
    EXPECT_EQ(ImageBox({L"", L"", 0, 0}, picture).width, 80);
    EXPECT_EQ(ImageBox({L"", L"", 0, 0}, std::nullopt).width, PlaceholderSide);
    EXPECT_EQ(ImageBox({L"", L"", 0, 50}, std::nullopt).height, 50);
    EXPECT_EQ(ImageBox({L"", L"", 0, 50}, std::nullopt).width, PlaceholderSide);
}

TEST(HtmlLayout, RecordsAnchorsAndRules)
{
    LaidOutPage page(L"<a name=top>Top</a><br>one<br><hr><a name=second></a>two<br>three", HandsetWidth);
    const std::vector<Line>& lines = page.layout.lines;
    ASSERT_EQ(page.LineTexts(), (std::vector<std::wstring>{L"Top", L"one", L"", L"two", L"three"}));
    EXPECT_EQ(page.layout.AnchorTop(L"top"), 0);
    EXPECT_EQ(page.layout.AnchorTop(L"second"), lines[3].top);
    EXPECT_EQ(page.layout.AnchorTop(L"Second"), std::nullopt);  // names are exact

    ASSERT_EQ(lines[2].fragments.size(), 1u);
    EXPECT_EQ(lines[2].fragments[0].kind, Fragment::Kind::Rule);
    EXPECT_EQ(lines[2].fragments[0].x, SideMargin);
    EXPECT_EQ(lines[2].fragments[0].width, HandsetWidth - 2 * SideMargin);
}

TEST(HtmlLayout, TheAboutPageFitsTheHandsetCentred)
{
    for (int width : {HandsetWidth, HandsetWidth - 4}) {  // with and without the scroll indicator
        SCOPED_TRACE(width);
        LaidOutPage page(vellumate::htmlview::testing::TarnwellAboutPage(), width);
        EXPECT_EQ(page.LineTexts(),
                  (std::vector<std::wstring>{L"", L"", L"", L"Tarnwell", L"(Vellumate)", L"Version 1.30 (Build 14765)",
                                             L"", L"www.zantric.com", L"www.vellumate.org", L"",
                                             L"\u00A9 2003 Zantric Software", L"All rights reserved."}));
        for (const Line& line : page.layout.lines) {
            if (line.fragments.empty())
                continue;
            const auto [left, right] = SideGaps(line, width);
            EXPECT_GE(left, 0);
            EXPECT_GE(right, 0);
            EXPECT_LE(std::abs(left - right), 1) << std::string(line.Text().begin(), line.Text().end());
        }
        const Line& title = page.layout.lines[3];
        EXPECT_TRUE(title.fragments.front().style.bold);
        EXPECT_GT(title.height, page.layout.lines[4].height);
        EXPECT_LT(page.layout.lines[11].height, page.layout.lines[4].height);
    }
}
