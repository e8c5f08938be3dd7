// A 32-bit top-down DIB section selected into its own memory DC: somewhere to
// compose pixels before they go to the window in one copy, with direct access
// to its pixels (0x00RRGGBB each).
#pragma once

#include "platform/Handles.h"

#include <cstdint>

class OffscreenSurface {
public:
    OffscreenSurface() noexcept = default;
    ~OffscreenSurface();
    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;

    // False when the bitmap or its DC cannot be made.
    bool Create(int width, int height) noexcept;

    explicit operator bool() const noexcept { return m_bits != nullptr; }
    HDC Dc() const noexcept { return m_dc.Get(); }
    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }

    // Row `y` of the pixels. Call GdiFlush before touching pixels that GDI
    // drew on.
    std::uint32_t* Row(int y) const noexcept { return m_bits + static_cast<std::ptrdiff_t>(y) * m_width; }

    static std::uint32_t Pixel(COLORREF colour) noexcept
    {
        return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    }

private:
    vellumate::BitmapHandle m_bitmap;
    vellumate::MemoryDCHandle m_dc;  // destroyed first: the bitmap is selected into it
    HGDIOBJ m_oldBitmap = nullptr;
    std::uint32_t* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};
