#include "platform/Painting.h"

#include "platform/HandsetStyle.h"

namespace vellumate {

BufferedPaint::BufferedPaint(HWND window) noexcept : m_window(window)
{
    ::BeginPaint(window, &m_paint);
    ::GetClientRect(window, &m_client);
    const int width = m_client.right - m_client.left;
    const int height = m_client.bottom - m_client.top;
    if (!m_paint.hdc || width <= 0 || height <= 0)
        return;
    m_memory.Reset(::CreateCompatibleDC(m_paint.hdc));
    m_bitmap.Reset(::CreateCompatibleBitmap(m_paint.hdc, width, height));
    if (!m_memory || !m_bitmap) {
        m_memory.Reset();  // paint straight onto the window instead
        return;
    }
    m_oldBitmap = ::SelectObject(m_memory.Get(), m_bitmap.Get());
}

BufferedPaint::~BufferedPaint()
{
    if (m_memory) {
        ::BitBlt(m_paint.hdc, 0, 0, m_client.right, m_client.bottom, m_memory.Get(), 0, 0, SRCCOPY);
        ::SelectObject(m_memory.Get(), m_oldBitmap);
    }
    ::EndPaint(m_window, &m_paint);
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
