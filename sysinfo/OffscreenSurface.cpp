#include "sysinfo/OffscreenSurface.h"

OffscreenSurface::~OffscreenSurface()
{
    if (m_dc && m_oldBitmap)
        SelectObject(m_dc.Get(), m_oldBitmap);
}

bool OffscreenSurface::Create(int width, int height) noexcept
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    void* bits = nullptr;
    vellumate::BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    vellumate::MemoryDCHandle dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc || !bits)
        return false;

    if (m_dc && m_oldBitmap)
        SelectObject(m_dc.Get(), m_oldBitmap);
    m_oldBitmap = SelectObject(dc.Get(), bitmap.Get());
    m_dc = std::move(dc);
    m_bitmap = std::move(bitmap);
    m_bits = static_cast<std::uint32_t*>(bits);
    m_width = width;
    m_height = height;
    return true;
}
