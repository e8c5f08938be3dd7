// Paints a page: the tinted header with icon and title, the line beneath it,
// the gradient background and the rows. Every row is composed off-screen in a
// 176 x 24 buffer over a copy of the gradient and reaches the target in one
// copy, so a repainted row never flickers; the background is painted only
// around the rows.
#pragma once

#include "sysinfo/InfoPage.h"
#include "sysinfo/OffscreenSurface.h"
#include "sysinfo/PageFonts.h"

#include <windows.h>

struct PageColours {
    COLORREF highlight;  // system colour 13: the gradient, tint and line
    COLORREF title;      // system colour 7: the header's title
};

class PagePainter {
public:
    // Makes the gradient strip, the buffers and the fonts. False when any of
    // them cannot be made (painting then does nothing).
    bool Create(const PageColours& colours, bool largeFont);

    // Rebuilds the gradient strip and the tint for other colours.
    void SetColours(const PageColours& colours);
    // Sets the row height and remakes the fonts for the large-font setting.
    void SetLargeFont(bool large);
    // Lets the fonts go while the window is inactive; painting makes them again.
    void ReleaseFonts() noexcept;

    bool IsLargeFont() const noexcept { return m_largeFont; }
    const PageColours& Colours() const noexcept { return m_colours; }
    const PageFonts& Fonts() const noexcept { return m_fonts; }
    RECT RowRect(int row) const noexcept;

    // Paints what of the page lies within the clipping region of `dc`: the
    // rows that intersect it, and the header and background around them.
    // `client` is the area the window covers.
    void PaintPage(HDC dc, const RECT& client, const InfoPage& page, HICON icon);

    // Composes row `row` showing `content` and copies it to `dc`.
    void PaintRow(HDC dc, int row, const RowContent& content);

    // Rows composed since creation: how tests and benchmarks see that rows
    // whose values did not change are left alone.
    unsigned RowsPainted() const noexcept { return m_rowsPainted; }

private:
    bool EnsureFonts();
    void BuildStrip();
    void PaintHeader(HDC dc, const InfoPage& page, HICON icon);
    void PaintBackground(HDC dc, const RECT& client);
    void FillRowBackground(int left, int width, int height);
    void DrawRowContent(HDC dc, const RECT& cell, const RowContent& content);
    void DrawBar(HDC dc, const RECT& cell, const BarLook& bar);

    PageColours m_colours{};
    COLORREF m_tint = 0;
    bool m_largeFont = false;
    PageFonts m_fonts;
    OffscreenSurface m_strip;      // the gradient, 176 x 16
    OffscreenSurface m_rowBuffer;  // 176 x 24
    OffscreenSurface m_header;     // 176 x 32
    unsigned m_rowsPainted = 0;
};
