// Where the window stands on a laid-out page: the scroll position and the
// link that has the focus, and how the direction pad moves them. Like a
// handset browser, Down and Up first move the focus to the next or previous
// link in view and scroll only when there is none.
#pragma once

#include "platform/htmlview/Layout.h"

#include <optional>
#include <string>
#include <vector>

namespace vellumate::htmlview {

enum class ViewKey { LineUp, LineDown, PageUp, PageDown, Top, Bottom };

struct PageView {
    int scrollY = 0;       // page pixel at the window's top edge
    int focusedLink = -1;  // index into HtmlDocument::links; -1: none
};

struct LinkExtent {
    int top = 0;
    int bottom = 0;
};

int MaxScroll(const PageLayout& page, int viewHeight);

// The lines a link covers, or nothing when it is not on the page.
std::optional<LinkExtent> ExtentOfLink(const PageLayout& page, int link);

// Links with a fragment on a line that shows at least partly, in page order.
std::vector<int> LinksInView(const PageLayout& page, const PageView& view, int viewHeight);

// Scrolls to `y` (kept within the page); a focused link that leaves the
// window loses the focus. True when anything changed.
bool ScrollTo(PageView& view, int y, const PageLayout& page, int viewHeight);

// One key of the direction pad. True when the view changed.
bool MoveView(PageView& view, ViewKey key, const PageLayout& page, int viewHeight);

// The link under a point of the page, or -1.
int LinkAt(const PageLayout& page, int x, int pageY);

// The text of the lines that show (more than half of each line inside the
// window), joined by "\r\n", without blank lines at either end.
std::wstring VisibleText(const PageLayout& page, const PageView& view, int viewHeight);

}  // namespace vellumate::htmlview
