// Draws a laid-out page into a device context at the view's scroll
// position: text, pictures (or an empty box while a picture is missing), the
// focused link highlighted, and a thin scroll indicator at the right edge
// when the page is taller than the window.
#pragma once

#include "platform/htmlview/PageFonts.h"
#include "platform/htmlview/PageView.h"

#include <windows.h>

#include <span>

namespace vellumate::htmlview {

inline constexpr int ScrollIndicatorWidth = 3;
// What a page gives up at the right edge while the indicator shows.
inline constexpr int ScrollIndicatorReserve = ScrollIndicatorWidth + 1;

inline constexpr COLORREF PageBackground = RGB(255, 255, 255);
inline constexpr COLORREF LinkColor = RGB(0, 0, 204);
inline constexpr COLORREF FocusBackground = RGB(49, 106, 197);
inline constexpr COLORREF FocusText = RGB(255, 255, 255);

// `pictures[i]` is the bitmap of image i, nullptr while it has none.
void PaintPage(HDC dc, const RECT& client, const PageLayout& page, const PageView& view, PageFonts& fonts,
               std::span<const HBITMAP> pictures);

}  // namespace vellumate::htmlview
