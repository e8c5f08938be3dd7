#include "platform/htmlview/PagePainter.h"

#include "platform/Painting.h"

#include <algorithm>
#include <string>
#include <vector>

namespace vellumate::htmlview {

namespace {

constexpr COLORREF PlaceholderFrame = RGB(160, 160, 160);
constexpr COLORREF RuleColor = RGB(128, 128, 128);
constexpr COLORREF IndicatorTrack = RGB(224, 224, 224);
constexpr COLORREF IndicatorThumb = RGB(112, 112, 112);
constexpr int MinThumbLength = 8;

void Frame(HDC dc, const RECT& rect, int thickness, COLORREF color)
{
    FillSolid(dc, {rect.left, rect.top, rect.right, rect.top + thickness}, color);
    FillSolid(dc, {rect.left, rect.bottom - thickness, rect.right, rect.bottom}, color);
    FillSolid(dc, {rect.left, rect.top, rect.left + thickness, rect.bottom}, color);
    FillSolid(dc, {rect.right - thickness, rect.top, rect.right, rect.bottom}, color);
}

void DrawPicture(HDC dc, const RECT& box, HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0) {
        Frame(dc, box, 1, PlaceholderFrame);
        return;
    }
    MemoryDCHandle source(::CreateCompatibleDC(dc));
    if (!source) {
        Frame(dc, box, 1, PlaceholderFrame);
        return;
    }
    SelectObjectScope selected(source.Get(), bitmap);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const int sourceHeight = std::abs(info.bmHeight);
    if (width == info.bmWidth && height == sourceHeight) {
        ::BitBlt(dc, box.left, box.top, width, height, source.Get(), 0, 0, SRCCOPY);
    } else {
        const int oldMode = ::SetStretchBltMode(dc, HALFTONE);
        ::SetBrushOrgEx(dc, 0, 0, nullptr);
        ::StretchBlt(dc, box.left, box.top, width, height, source.Get(), 0, 0, info.bmWidth, sourceHeight, SRCCOPY);
        ::SetStretchBltMode(dc, oldMode);
    }
}

// Draws at the advances the layout measured, so that lines end where the
// layout expects them.
void DrawTextRun(HDC dc, int x, int baseline, const std::wstring& text, const TextStyle& style, PageFonts& fonts)
{
    if (text.empty())
        return;
    const PageFont font = fonts.Get(style);
    const std::vector<int> advances = fonts.Advances(style, text);
    SelectObjectScope selected(dc, font.font);
    const UINT count = static_cast<UINT>(text.size());
    ::ExtTextOutW(dc, x, baseline, 0, nullptr, text.data(), count, advances.data());
    if (font.syntheticBold)
        ::ExtTextOutW(dc, x + 1, baseline, 0, nullptr, text.data(), count, advances.data());
}

void DrawLine(HDC dc, const Line& line, int scrollY, const PageView& view, PageFonts& fonts,
              std::span<const HBITMAP> pictures)
{
    const int top = line.top - scrollY;
    const int baseline = line.baseline - scrollY;
    const Fragment* previous = nullptr;
    for (const Fragment& fragment : line.fragments) {
        const bool focused = view.focusedLink >= 0 && fragment.style.link == view.focusedLink;
        switch (fragment.kind) {
        case Fragment::Kind::Text: {
            if (focused) {
                // One band across the words of the link, spaces included.
                const bool joins = previous && previous->style.link == fragment.style.link;
                const int left = joins ? previous->x + previous->width : fragment.x - 1;
                FillSolid(dc, {left, top, fragment.x + fragment.width + 1, top + line.height}, FocusBackground);
            }
            COLORREF color = static_cast<COLORREF>(fragment.style.color);
            if (focused)
                color = FocusText;
            else if (fragment.style.link >= 0)
                color = LinkColor;
            ::SetTextColor(dc, color);
            DrawTextRun(dc, fragment.x, baseline, fragment.text, fragment.style, fonts);
            break;
        }
        case Fragment::Kind::Image: {
            const RECT box{fragment.x, baseline - fragment.height, fragment.x + fragment.width, baseline};
            const bool known = fragment.image >= 0 && static_cast<std::size_t>(fragment.image) < pictures.size();
            DrawPicture(dc, box, known ? pictures[static_cast<std::size_t>(fragment.image)] : nullptr);
            if (focused)
                Frame(dc, {box.left - 2, box.top - 2, box.right + 2, box.bottom + 2}, 2, FocusBackground);
            break;
        }
        case Fragment::Kind::Rule:
            FillSolid(dc, {fragment.x, baseline, fragment.x + fragment.width, baseline + fragment.height}, RuleColor);
            break;
        }
        previous = &fragment;
    }
}

void DrawScrollIndicator(HDC dc, const RECT& client, const PageLayout& page, int scrollY)
{
    const int viewHeight = client.bottom - client.top;
    const RECT track{client.right - ScrollIndicatorWidth, client.top, client.right, client.bottom};
    FillSolid(dc, track, IndicatorTrack);
    const long long pageHeight = std::max(page.height, 1);
    const int length = std::max(MinThumbLength, static_cast<int>(1LL * viewHeight * viewHeight / pageHeight));
    const int travel = std::max(0, viewHeight - length);
    const int maxScroll = MaxScroll(page, viewHeight);
    const int offset = maxScroll > 0 ? static_cast<int>(1LL * travel * scrollY / maxScroll) : 0;
    FillSolid(dc, {track.left, client.top + offset, track.right, client.top + offset + length}, IndicatorThumb);
}

}  // namespace

void PaintPage(HDC dc, const RECT& client, const PageLayout& page, const PageView& view, PageFonts& fonts,
               std::span<const HBITMAP> pictures)
{
    FillSolid(dc, client, PageBackground);
    const int viewHeight = client.bottom - client.top;

    const int savedState = ::SaveDC(dc);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    ::OffsetViewportOrgEx(dc, client.left, client.top, nullptr);
    for (const Line& line : page.lines) {
        if (line.Bottom() <= view.scrollY || line.top >= view.scrollY + viewHeight)
            continue;
        DrawLine(dc, line, view.scrollY, view, fonts, pictures);
    }
    ::RestoreDC(dc, savedState);

    if (page.height > viewHeight)
        DrawScrollIndicator(dc, client, page, view.scrollY);
}

}  // namespace vellumate::htmlview
