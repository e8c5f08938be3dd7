// A 32-bit top-down bitmap selected into a memory DC, as an off-screen bitmap
// is painted, with its pixels read back.
#pragma once

#include "platform/Handles.h"

#include <windows.h>

#include <cstdint>

namespace vellumate {

class PixelCanvas {
public:
    PixelCanvas(int width, int height);
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    HDC Dc() const noexcept { return m_dc.Get(); }
    // The pixel as a COLORREF, after what was drawn so far is done.
    COLORREF At(int x, int y) const;

private:
    int m_width;
    MemoryDCHandle m_dc;
    BitmapHandle m_bitmap;
    std::uint32_t* m_pixels = nullptr;
    HGDIOBJ m_old = nullptr;
};

}  // namespace vellumate
