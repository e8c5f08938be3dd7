#include "framework/Display.h"

#include "platform/Painting.h"

#include "framework/Settings.h"

#include <atomic>

namespace {

constexpr wchar_t FontSizeValue[] = L"ControlPanel\\Accessibility\\FontSize";
constexpr DWORD NormalFontSize = 1;
constexpr DWORD LargeFontSize = 2;

std::atomic<bool> largeFont{false};

}  // namespace

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
    vellumate::FillSolid(dc, rect, colour);
}

void FillRectColor(HDC dc, int x, int y, int width, int height, COLORREF colour)
{
    RECT rect{x, y, x + width, y + height};
    FillRectColor(dc, rect, colour);
}
