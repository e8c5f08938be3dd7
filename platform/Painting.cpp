#include "platform/Painting.h"

#include "platform/HandsetStyle.h"

namespace vellumate {

BufferedPaint::BufferedPaint(HWND window) noexcept : window_(window)
{
    ::BeginPaint(window, &paint_);
    ::GetClientRect(window, &client_);
    const int width = client_.right - client_.left;
    const int height = client_.bottom - client_.top;
    if (!paint_.hdc || width <= 0 || height <= 0)
        return;
    memory_.Reset(::CreateCompatibleDC(paint_.hdc));
    bitmap_.Reset(::CreateCompatibleBitmap(paint_.hdc, width, height));
    if (!memory_ || !bitmap_) {
        memory_.Reset();  // paint straight onto the window instead
        return;
    }
    oldBitmap_ = ::SelectObject(memory_.Get(), bitmap_.Get());
}

BufferedPaint::~BufferedPaint()
{
    if (memory_) {
        ::BitBlt(paint_.hdc, 0, 0, client_.right, client_.bottom, memory_.Get(), 0, 0, SRCCOPY);
        ::SelectObject(memory_.Get(), oldBitmap_);
    }
    ::EndPaint(window_, &paint_);
}

void FillVerticalGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom) noexcept
{
    const int height = rect.bottom - rect.top;
    for (int row = 0; row < height; ++row) {
        const auto mix = [&](int from, int to) { return from + (to - from) * row / (height > 1 ? height - 1 : 1); };
        const COLORREF colour = RGB(mix(GetRValue(top), GetRValue(bottom)), mix(GetGValue(top), GetGValue(bottom)),
                                    mix(GetBValue(top), GetBValue(bottom)));
        const RECT band{rect.left, rect.top + row, rect.right, rect.top + row + 1};
        FillSolid(dc, band, colour);
    }
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) noexcept
{
    // ExtTextOut with an opaque rectangle fills without creating a brush.
    const COLORREF old = ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
}

void PaintScrollBar(HDC dc, const RECT& track, int first, int end, int count) noexcept
{
    FillSolid(dc, track, style::ScrollTrack);
    if (count <= 0)
        return;
    const int height = track.bottom - track.top;
    FillSolid(dc, RECT{track.left, track.top + height * first / count, track.right, track.top + height * end / count},
              style::ScrollThumb);
}

FontHandle MakeInterfaceFont(int pixelHeight, int weight) noexcept
{
    return FontHandle(::CreateFontW(-pixelHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                    DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
}

}  // namespace vellumate
