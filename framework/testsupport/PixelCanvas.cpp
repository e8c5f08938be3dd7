#include "framework/testsupport/PixelCanvas.h"

namespace vellumate {

PixelCanvas::PixelCanvas(int width, int height) : m_width(width), m_dc(::CreateCompatibleDC(nullptr))
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap.Reset(::CreateDIBSection(m_dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_pixels = static_cast<std::uint32_t*>(bits);
    m_old = ::SelectObject(m_dc.Get(), m_bitmap.Get());
}

PixelCanvas::~PixelCanvas()
{
    ::SelectObject(m_dc.Get(), m_old);
}

COLORREF PixelCanvas::At(int x, int y) const
{
    ::GdiFlush();
    const std::uint32_t pixel = m_pixels[y * m_width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

}  // namespace vellumate
