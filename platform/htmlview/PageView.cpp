#include "platform/htmlview/PageView.h"

#include <algorithm>

namespace vellumate::htmlview {

namespace {

bool LineShows(const Line& line, int scrollY, int viewHeight)
{
    return line.Bottom() > scrollY && line.top < scrollY + viewHeight;
}

bool LinkShows(const PageLayout& page, int link, int scrollY, int viewHeight)
{
    const std::optional<LinkExtent> extent = ExtentOfLink(page, link);
    return extent && extent->bottom > scrollY && extent->top < scrollY + viewHeight;
}

// The scroll position that shows the whole link, moving as little as possible
// (its top when it is taller than the window).
int ScrollShowing(const LinkExtent& extent, int scrollY, int viewHeight)
{
    if (extent.top < scrollY)
        return extent.top;
    if (extent.bottom > scrollY + viewHeight)
        return std::min(extent.top, extent.bottom - viewHeight);
    return scrollY;
}

// Where the window may stop when it scrolls by lines: at the top of a line,
// the first line's top being the top of the page itself (above the margin).
int StopOf(const PageLayout& page, std::size_t index)
{
    return index == 0 ? 0 : page.lines[index].top;
}

// Steps to the next stop below (or above) the current position.
int LineStep(const PageLayout& page, int scrollY, bool down)
{
    if (down) {
        for (std::size_t i = 0; i < page.lines.size(); ++i) {
            if (StopOf(page, i) > scrollY)
                return StopOf(page, i);
        }
        return page.height;
    }
    int target = 0;
    for (std::size_t i = 0; i < page.lines.size() && StopOf(page, i) < scrollY; ++i)
        target = StopOf(page, i);
    return target;
}

// A page down puts the line cut by the bottom edge at the top; a page up
// puts the old top line at the bottom.
int PageStep(const PageLayout& page, int scrollY, int viewHeight, bool down)
{
    if (down) {
        const int edge = scrollY + viewHeight;
        for (std::size_t i = 0; i < page.lines.size(); ++i) {
            if (page.lines[i].Bottom() > edge)
                return StopOf(page, i) > scrollY ? StopOf(page, i) : edge;
        }
        return edge;
    }
    const int edge = scrollY - viewHeight;
    for (std::size_t i = 0; i < page.lines.size(); ++i) {
        if (StopOf(page, i) >= edge)
            return StopOf(page, i) < scrollY ? StopOf(page, i) : LineStep(page, scrollY, false);
    }
    return 0;
}

bool MoveFocus(PageView& view, bool down, const PageLayout& page, int viewHeight)
{
    const std::vector<int> links = LinksInView(page, view, viewHeight);
    int candidate = -1;
    if (down) {
        for (int link : links) {
            // Without a focus, a link cut off at the top is behind the reader.
            if (link > view.focusedLink && (view.focusedLink >= 0 || ExtentOfLink(page, link)->top >= view.scrollY)) {
                candidate = link;
                break;
            }
        }
    } else {
        for (auto it = links.rbegin(); it != links.rend(); ++it) {
            const bool before = view.focusedLink < 0 || *it < view.focusedLink;
            if (before && (view.focusedLink >= 0 || ExtentOfLink(page, *it)->bottom <= view.scrollY + viewHeight)) {
                candidate = *it;
                break;
            }
        }
    }
    if (candidate < 0)
        return false;
    view.focusedLink = candidate;
    const int target = ScrollShowing(*ExtentOfLink(page, candidate), view.scrollY, viewHeight);
    view.scrollY = std::clamp(target, 0, MaxScroll(page, viewHeight));
    return true;
}

}  // namespace

int MaxScroll(const PageLayout& page, int viewHeight)
{
    return std::max(0, page.height - viewHeight);
}

std::optional<LinkExtent> ExtentOfLink(const PageLayout& page, int link)
{
    if (link < 0)
        return std::nullopt;
    std::optional<LinkExtent> extent;
    for (const Line& line : page.lines) {
        const bool hasLink = std::any_of(line.fragments.begin(), line.fragments.end(),
                                         [link](const Fragment& fragment) { return fragment.style.link == link; });
        if (!hasLink)
            continue;
        if (!extent)
            extent = LinkExtent{line.top, line.Bottom()};
        else
            extent->bottom = line.Bottom();
    }
    return extent;
}

std::vector<int> LinksInView(const PageLayout& page, const PageView& view, int viewHeight)
{
    std::vector<int> links;
    for (const Line& line : page.lines) {
        if (!LineShows(line, view.scrollY, viewHeight))
            continue;
        for (const Fragment& fragment : line.fragments) {
            if (fragment.style.link >= 0 && std::find(links.begin(), links.end(), fragment.style.link) == links.end())
                links.push_back(fragment.style.link);
        }
    }
    std::sort(links.begin(), links.end());
    return links;
}

bool ScrollTo(PageView& view, int y, const PageLayout& page, int viewHeight)
{
    const PageView before = view;
    view.scrollY = std::clamp(y, 0, MaxScroll(page, viewHeight));
    if (view.focusedLink >= 0 && !LinkShows(page, view.focusedLink, view.scrollY, viewHeight))
        view.focusedLink = -1;
    return view.scrollY != before.scrollY || view.focusedLink != before.focusedLink;
}

bool MoveView(PageView& view, ViewKey key, const PageLayout& page, int viewHeight)
{
    switch (key) {
    case ViewKey::LineDown:
        return MoveFocus(view, true, page, viewHeight) ||
               ScrollTo(view, LineStep(page, view.scrollY, true), page, viewHeight);
    case ViewKey::LineUp:
        return MoveFocus(view, false, page, viewHeight) ||
               ScrollTo(view, LineStep(page, view.scrollY, false), page, viewHeight);
    case ViewKey::PageDown:
        return ScrollTo(view, PageStep(page, view.scrollY, viewHeight, true), page, viewHeight);
    case ViewKey::PageUp:
        return ScrollTo(view, PageStep(page, view.scrollY, viewHeight, false), page, viewHeight);
    case ViewKey::Top:
        return ScrollTo(view, 0, page, viewHeight);
    case ViewKey::Bottom:
        return ScrollTo(view, page.height, page, viewHeight);
    }
    return false;
}

int LinkAt(const PageLayout& page, int x, int pageY)
{
    for (const Line& line : page.lines) {
        if (pageY < line.top || pageY >= line.Bottom())
            continue;
        for (const Fragment& fragment : line.fragments) {
            if (fragment.style.link >= 0 && x >= fragment.x && x < fragment.x + fragment.width)
                return fragment.style.link;
        }
    }
    return -1;
}

std::wstring VisibleText(const PageLayout& page, const PageView& view, int viewHeight)
{
    std::vector<std::wstring> lines;
    for (const Line& line : page.lines) {
        const int shown = std::min(line.Bottom(), view.scrollY + viewHeight) - std::max(line.top, view.scrollY);
        if (line.height > 0 && shown * 2 > line.height)
            lines.push_back(line.Text());
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    std::size_t first = 0;
    while (first < lines.size() && lines[first].empty())
        ++first;
    std::wstring text;
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (i > first)
            text += L"\r\n";
        text += lines[i];
    }
    return text;
}

}  // namespace vellumate::htmlview
