// Drawing helpers for the windows the platform paints in the handset style.
#pragma once

#include "platform/Handles.h"

namespace vellumate {

// Paints through an off-screen bitmap of the client area, so that a repaint
// never flickers. Draw on Dc(); the bitmap reaches the window in the
// destructor.
class BufferedPaint {
public:
    explicit BufferedPaint(HWND window) noexcept;
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;

    HDC Dc() const noexcept { return m_memory ? m_memory.Get() : m_paint.hdc; }
    const RECT& Client() const noexcept { return m_client; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    RECT m_client{};
    MemoryDCHandle m_memory;
    BitmapHandle m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
};

// Fills `rect` with a vertical gradient, one band per pixel row.
void FillVerticalGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom) noexcept;

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) noexcept;

// A list's scroll bar in the handset style: `track` (style::ScrollBarWidth
// wide) with a thumb standing for rows [first, end) of `count`, in proportion.
void PaintScrollBar(HDC dc, const RECT& track, int first, int end, int count) noexcept;

// The handset's interface font ("Tahoma", which Wine ships) with a character
// height of `pixelHeight` pixels.
FontHandle MakeInterfaceFont(int pixelHeight, int weight = FW_NORMAL) noexcept;

}  // namespace vellumate
