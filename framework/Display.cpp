#include "framework/Display.h"

#include "framework/Settings.h"

#include <atomic>

namespace {

constexpr wchar_t FontSizeValue[] = L"ControlPanel\\Accessibility\\FontSize";
constexpr DWORD NormalFontSize = 1;
constexpr DWORD LargeFontSize = 2;

std::atomic<bool> largeFont{false};

} // namespace

bool IsLargeFontSet(bool refresh)
{
    if (refresh) {
        DWORD size = NormalFontSize;  // kept when the value is missing
        ReadDword(FontSizeValue, size);
        largeFont = size == LargeFontSize;
    }
    return largeFont;
}

void FillRectColor(HDC dc, const RECT& rect, COLORREF colour)
{
    // An opaque text output of no characters paints just its rectangle in
    // the background colour: the cheapest solid fill there is.
    COLORREF previous = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, L"", 0, nullptr);
    if (previous != CLR_INVALID)
        SetBkColor(dc, previous);
}

void FillRectColor(HDC dc, int x, int y, int width, int height, COLORREF colour)
{
    RECT rect{x, y, x + width, y + height};
    FillRectColor(dc, rect, colour);
}
