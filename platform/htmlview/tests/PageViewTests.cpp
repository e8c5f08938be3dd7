#include "platform/htmlview/PageView.h"

#include "TestPages.h"

#include <gtest/gtest.h>

using namespace vellumate::htmlview;
using vellumate::htmlview::testing::LaidOutPage;
using vellumate::htmlview::testing::NumberedLines;

namespace {

constexpr int Width = 176;
constexpr int ViewHeight = 100;

// Presses `key` and returns whether the view changed.
bool Press(PageView& view, ViewKey key, const PageLayout& page)
{
    return MoveView(view, key, page, ViewHeight);
}

bool FullyShown(const PageLayout& page, int link, const PageView& view)
{
    const std::optional<LinkExtent> extent = ExtentOfLink(page, link);
    return extent && extent->top >= view.scrollY && extent->bottom <= view.scrollY + ViewHeight;
}

}  // namespace

TEST(HtmlPageView, LineKeysStepFromLineTopToLineTop)
{
    LaidOutPage page(NumberedLines(30), Width);
    const std::vector<Line>& lines = page.layout.lines;
    PageView view;

    EXPECT_TRUE(Press(view, ViewKey::LineDown, page.layout));
    EXPECT_EQ(view.scrollY, lines[1].top);
    EXPECT_TRUE(Press(view, ViewKey::LineDown, page.layout));
    EXPECT_EQ(view.scrollY, lines[2].top);
    EXPECT_TRUE(Press(view, ViewKey::LineUp, page.layout));
    EXPECT_EQ(view.scrollY, lines[1].top);
    EXPECT_TRUE(Press(view, ViewKey::LineUp, page.layout));
    EXPECT_EQ(view.scrollY, 0);  // the first line's stop is the page's top, margin included
    EXPECT_FALSE(Press(view, ViewKey::LineUp, page.layout));

    EXPECT_TRUE(Press(view, ViewKey::Bottom, page.layout));
    EXPECT_EQ(view.scrollY, page.layout.height - ViewHeight);
    EXPECT_FALSE(Press(view, ViewKey::LineDown, page.layout));
    EXPECT_TRUE(Press(view, ViewKey::Top, page.layout));
    EXPECT_EQ(view.scrollY, 0);

    LaidOutPage shortPage(L"one line", Width);
    EXPECT_FALSE(Press(view, ViewKey::LineDown, shortPage.layout));
    EXPECT_FALSE(Press(view, ViewKey::PageDown, shortPage.layout));
}

TEST(HtmlPageView, PageKeysKeepTheLineTheEdgeCut)
{
    LaidOutPage page(NumberedLines(40), Width);
    const std::vector<Line>& lines = page.layout.lines;
    PageView view;

    ASSERT_TRUE(Press(view, ViewKey::PageDown, page.layout));
    // The line that the bottom edge cut (or the first one below it) is now the top line.
    std::size_t cut = 0;
    while (lines[cut].Bottom() <= ViewHeight)
        ++cut;
    EXPECT_EQ(view.scrollY, lines[cut].top);

    ASSERT_TRUE(Press(view, ViewKey::PageDown, page.layout));
    const int secondPage = view.scrollY;
    ASSERT_TRUE(Press(view, ViewKey::PageUp, page.layout));
    EXPECT_LT(view.scrollY, secondPage);
    EXPECT_GE(view.scrollY, secondPage - ViewHeight);  // the old top line still shows, at the bottom
    ASSERT_TRUE(Press(view, ViewKey::PageUp, page.layout));
    EXPECT_EQ(view.scrollY, 0);

    for (int i = 0; i < 20; ++i)
        Press(view, ViewKey::PageDown, page.layout);
    EXPECT_EQ(view.scrollY, MaxScroll(page.layout, ViewHeight));
}

TEST(HtmlPageView, DownFocusesTheNextLinkInViewBeforeItScrolls)
{
    LaidOutPage page(L"intro<br><a href=a>First</a><br>text<br><a href=b>Second link</a><br>" + NumberedLines(20) +
                         L"<a href=c>Third</a><br>" + NumberedLines(5, 100),
                     Width);
    PageView view;

    ASSERT_TRUE(Press(view, ViewKey::LineDown, page.layout));
    EXPECT_EQ(view.focusedLink, 0);
    EXPECT_EQ(view.scrollY, 0);
    ASSERT_TRUE(Press(view, ViewKey::LineDown, page.layout));
    EXPECT_EQ(view.focusedLink, 1);
    EXPECT_EQ(view.scrollY, 0);

    // No further link in view: Down scrolls, and the focus goes when its link leaves.
    bool lostFocus = false;
    int presses = 0;
    while (view.focusedLink != 2 && presses++ < 60) {
        const int before = view.scrollY;
        ASSERT_TRUE(Press(view, ViewKey::LineDown, page.layout));
        if (view.focusedLink != 2) {
            EXPECT_GT(view.scrollY, before);
        }
        if (view.focusedLink == 1) {
            const std::vector<int> inView = LinksInView(page.layout, view, ViewHeight);
            EXPECT_NE(std::find(inView.begin(), inView.end(), 1), inView.end());
        }
        lostFocus = lostFocus || view.focusedLink == -1;
    }
    EXPECT_TRUE(lostFocus);
    ASSERT_EQ(view.focusedLink, 2);
    EXPECT_TRUE(FullyShown(page.layout, 2, view));
    // The third link came into view at the bottom; focusing it scrolled no further than to show it.
    EXPECT_EQ(ExtentOfLink(page.layout, 2)->bottom, view.scrollY + ViewHeight);
}

TEST(HtmlPageView, UpFocusesThePreviousLinkThenScrolls)
{
    LaidOutPage page(NumberedLines(8) + L"<a href=a>First</a> and <a href=b>second</a><br>" + NumberedLines(8, 50),
                     Width);
    PageView view;
    ScrollTo(view, MaxScroll(page.layout, ViewHeight), page.layout, ViewHeight);
    ASSERT_EQ(LinksInView(page.layout, view, ViewHeight).size(), 0u);

    // Scrolls up until the links show; the last one in view takes the focus first.
    int presses = 0;
    while (view.focusedLink < 0 && presses++ < 30)
        ASSERT_TRUE(Press(view, ViewKey::LineUp, page.layout));
    EXPECT_EQ(view.focusedLink, 1);
    EXPECT_TRUE(FullyShown(page.layout, 1, view));
    ASSERT_TRUE(Press(view, ViewKey::LineUp, page.layout));
    EXPECT_EQ(view.focusedLink, 0);
    const int scroll = view.scrollY;
    ASSERT_TRUE(Press(view, ViewKey::LineUp, page.layout));
    EXPECT_EQ(view.focusedLink, 0);  // nothing before it: scrolled, focus kept while it shows
    EXPECT_LT(view.scrollY, scroll);
}

TEST(HtmlPageView, ScrollingAwayDropsTheFocus)
{
    LaidOutPage page(L"<a href=a>Top link</a><br>" + NumberedLines(40), Width);
    PageView view;
    ASSERT_TRUE(Press(view, ViewKey::LineDown, page.layout));
    ASSERT_EQ(view.focusedLink, 0);
    ASSERT_TRUE(Press(view, ViewKey::PageDown, page.layout));
    EXPECT_EQ(view.focusedLink, -1);
    // Back at the top, Down finds it again.
    ASSERT_TRUE(Press(view, ViewKey::Top, page.layout));
    ASSERT_TRUE(Press(view, ViewKey::LineDown, page.layout));
    EXPECT_EQ(view.focusedLink, 0);
}

TEST(HtmlPageView, VisibleTextIsTheLinesMostlyInTheWindow)
{
    LaidOutPage page(L"<br><br>" + NumberedLines(20), Width);
    const std::vector<Line>& lines = page.layout.lines;
    PageView view;

    // Line 4 of the text is lines[5]; show a quarter of it, then three quarters.
    const Line& cut = lines[5];
    EXPECT_EQ(VisibleText(page.layout, view, cut.top + cut.height / 4), L"Line 1\r\nLine 2\r\nLine 3");
    EXPECT_EQ(VisibleText(page.layout, view, cut.top + cut.height * 3 / 4), L"Line 1\r\nLine 2\r\nLine 3\r\nLine 4");

    ScrollTo(view, lines[3].top, page.layout, ViewHeight);
    EXPECT_EQ(VisibleText(page.layout, view, lines[5].Bottom() - lines[3].top), L"Line 2\r\nLine 3\r\nLine 4");

    LaidOutPage blanks(L"<br><br><center>Hello</center><br><br>there<br><br><br>", Width);
    EXPECT_EQ(VisibleText(blanks.layout, PageView{}, 300), L"Hello\r\n\r\n\r\nthere");
    EXPECT_EQ(VisibleText(blanks.layout, PageView{}, 0), L"");
}

TEST(HtmlPageView, FindsTheLinkUnderAPoint)
{
    LaidOutPage page(L"plain <a href=x>link</a> plain", Width);
    const Line& line = page.layout.lines.at(0);
    const Fragment& link = line.fragments.at(1);
    ASSERT_EQ(link.style.link, 0);
    const int middleY = (line.top + line.Bottom()) / 2;
    EXPECT_EQ(LinkAt(page.layout, link.x + link.width / 2, middleY), 0);
    EXPECT_EQ(LinkAt(page.layout, line.fragments[0].x + 1, middleY), -1);
    EXPECT_EQ(LinkAt(page.layout, link.x + link.width / 2, line.Bottom() + 5), -1);
}
