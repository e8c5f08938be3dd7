#include "sysinfo/PagePainter.h"

#include "sysinfo/PageLayout.h"
#include "sysinfo/PageTheme.h"

#include "framework/Display.h"

#include "platform/Handles.h"

#include <algorithm>
#include <vector>

using vellumate::SelectObjectScope;

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF LabelColour = Black;

// Text inside a row keeps this far from the row's ends; values under a label
// are indented further.
constexpr int TextInset = 2;
constexpr int ValueIndent = 10;
// The least room between a label and its value.
constexpr int LabelGap = 4;

// The advance of each character of `text` as the font measures it, and the
// extent of them all.
std::vector<int> MeasuredAdvances(HDC dc, const String& text, SIZE& extent)
{
    std::vector<int> advances(static_cast<std::size_t>(text.Length()));
    extent = SIZE{};
    GetTextExtentExPointW(dc, text, text.Length(), 0, nullptr, advances.data(), &extent);
    for (std::size_t i = advances.size(); i-- > 1;)
        advances[i] -= advances[i - 1];
    return advances;
}

// Draws a single line of text aligned in `rect` and centred vertically,
// with "..." when it is too wide. Each character is placed at the advance
// the font measures for it: some fonts draw their small sizes from bitmaps
// whose advances differ from the measured ones, which would otherwise shift
// right-aligned and centred texts.
void DrawRowText(HDC dc, const String& text, const RECT& rect, HFONT font, UINT align, COLORREF colour)
{
    SelectObjectScope selected(dc, font);
    const int width = rect.right - rect.left;
    String shown = text;
    SIZE extent{};
    std::vector<int> advances = MeasuredAdvances(dc, shown, extent);
    if (extent.cx > width) {
        // Cut where the rest and an ellipsis fit.
        SIZE ellipsis{};
        GetTextExtentPoint32W(dc, L"...", 3, &ellipsis);
        int keep = 0;
        for (int used = ellipsis.cx; keep < text.Length() && used + advances[keep] <= width; ++keep)
            used += advances[keep];
        shown = text.Left(keep) + L"...";
        advances = MeasuredAdvances(dc, shown, extent);
    }

    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int x = align == DT_RIGHT    ? rect.right - extent.cx
                  : align == DT_CENTER ? rect.left + (width - extent.cx) / 2
                                       : rect.left;
    const int y = rect.top + (rect.bottom - rect.top - metrics.tmHeight) / 2;
    SetTextColor(dc, colour);
    ExtTextOutW(dc, x, y, ETO_CLIPPED, &rect, shown, static_cast<UINT>(shown.Length()), advances.data());
}

int TextWidth(HDC dc, HFONT font, const String& text)
{
    SelectObjectScope selected(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text, text.Length(), &extent);
    return extent.cx;
}

// Draws `text` at (x, y) clipped to `clip`, leaving the DC's clipping as it
// was.
void DrawClippedText(HDC dc, int x, int y, const String& text, const std::vector<int>& advances, const RECT& clip,
                     const RECT* exclude, COLORREF colour)
{
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    if (exclude)
        ExcludeClipRect(dc, exclude->left, exclude->top, exclude->right, exclude->bottom);
    SetTextColor(dc, colour);
    ExtTextOutW(dc, x, y, 0, nullptr, text, static_cast<UINT>(text.Length()), advances.data());
    RestoreDC(dc, saved);
}

}  // namespace

bool PagePainter::Create(const PageColours& colours, bool largeFont)
{
    if (!m_strip.Create(GradientWidth, layout::StripHeight) ||
        !m_rowBuffer.Create(layout::RowBufferWidth, layout::RowBufferHeight) ||
        !m_header.Create(layout::PageWidth, layout::HeaderHeight))
        return false;
    for (OffscreenSurface* surface : {&m_rowBuffer, &m_header})
        SetBkMode(surface->Dc(), TRANSPARENT);
    SetColours(colours);
    SetLargeFont(largeFont);
    return m_fonts.IsCreated();
}

void PagePainter::SetColours(const PageColours& colours)
{
    m_colours = colours;
    m_tint = HeaderTint(colours.highlight);
    BuildStrip();
}

void PagePainter::SetLargeFont(bool large)
{
    m_largeFont = large;
    m_fonts.Create(large);
}

void PagePainter::ReleaseFonts() noexcept
{
    m_fonts.Release();
}

bool PagePainter::EnsureFonts()
{
    return m_fonts.IsCreated() || m_fonts.Create(m_largeFont);
}

RECT PagePainter::RowRect(int row) const noexcept
{
    return layout::RowRect(row, m_largeFont);
}

void PagePainter::BuildStrip()
{
    if (!m_strip)
        return;
    GdiFlush();
    std::uint32_t* first = m_strip.Row(0);
    for (int column = 0; column < m_strip.Width(); ++column)
        first[column] = OffscreenSurface::Pixel(GradientColour(column, m_colours.highlight));
    for (int y = 1; y < m_strip.Height(); ++y)
        std::copy_n(first, m_strip.Width(), m_strip.Row(y));
}

void PagePainter::PaintPage(HDC dc, const RECT& client, const InfoPage& page, HICON icon)
{
    if (!m_strip || !EnsureFonts())
        return;
    const int saved = SaveDC(dc);
    // Each piece is painted once and then cut out of the clipping region, so
    // that no pixel is painted twice.
    for (int row = 0; row < page.RowCount(); ++row) {
        const RECT rect = RowRect(row);
        if (RectVisible(dc, &rect))
            PaintRow(dc, row, page.Row(row));
        ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
    if (RectVisible(dc, &layout::Header))
        PaintHeader(dc, page, icon);
    ExcludeClipRect(dc, layout::Header.left, layout::Header.top, layout::Header.right, layout::Header.bottom);
    PaintBackground(dc, client);
    RestoreDC(dc, saved);
}

void PagePainter::PaintHeader(HDC dc, const InfoPage& page, HICON icon)
{
    const HDC header = m_header.Dc();
    FillRectColor(header, layout::Header, m_tint);
    if (icon)
        DrawIconEx(header, layout::IconPosition.x, layout::IconPosition.y, icon, layout::IconSize, layout::IconSize, 0,
                   nullptr, DI_NORMAL);
    const String title(MAKEINTRESOURCEW(page.TitleId()));
    DrawRowText(header, title, layout::TitleArea, m_fonts.Bold(), DT_CENTER, m_colours.title);
    BitBlt(dc, 0, 0, layout::PageWidth, layout::HeaderHeight, header, 0, 0, SRCCOPY);
}

void PagePainter::PaintBackground(HDC dc, const RECT& client)
{
    FillRectColor(dc, 0, layout::LineTop, layout::PageWidth, 1, m_colours.highlight);
    ExcludeClipRect(dc, 0, layout::LineTop, layout::PageWidth, layout::LineTop + 1);
    for (int top = layout::BackgroundTop; top < layout::BackgroundBottom; top += layout::StripHeight) {
        const RECT strip{0, top, layout::PageWidth, top + layout::StripHeight};
        if (RectVisible(dc, &strip))
            BitBlt(dc, 0, top, layout::PageWidth, layout::StripHeight, m_strip.Dc(), 0, 0, SRCCOPY);
    }
    // A window larger than the page (never on the handset) shows white around it.
    if (client.right > layout::PageWidth)
        FillRectColor(dc, RECT{layout::PageWidth, 0, client.right, client.bottom}, White);
    if (client.bottom > layout::BackgroundBottom)
        FillRectColor(dc, RECT{0, layout::BackgroundBottom, layout::PageWidth, client.bottom}, White);
}

void PagePainter::PaintRow(HDC dc, int row, const RowContent& content)
{
    if (!m_rowBuffer || !EnsureFonts())
        return;
    const RECT rect = RowRect(row);
    const int width = rect.right - rect.left;
    const int height = std::min<int>(rect.bottom - rect.top, m_rowBuffer.Height());
    FillRowBackground(rect.left, width, height);
    DrawRowContent(m_rowBuffer.Dc(), RECT{0, 0, width, height}, content);
    BitBlt(dc, rect.left, rect.top, width, height, m_rowBuffer.Dc(), 0, 0, SRCCOPY);
    ++m_rowsPainted;
}

void PagePainter::FillRowBackground(int left, int width, int height)
{
    // The strip's columns under the row; all of the strip's lines are alike.
    GdiFlush();
    const std::uint32_t* gradient = m_strip.Row(0) + left;
    for (int y = 0; y < height; ++y)
        std::copy_n(gradient, width, m_rowBuffer.Row(y));
}

void PagePainter::DrawRowContent(HDC dc, const RECT& cell, const RowContent& content)
{
    const RECT text{cell.left + TextInset, cell.top, cell.right - TextInset, cell.bottom};
    switch (content.kind) {
    case RowContent::Kind::Empty:
        break;
    case RowContent::Kind::LabelValue: {
        // Both in bold where they fit side by side; in the large font the
        // value, then the label too, give way to the normal font, and what
        // still does not fit of the label is cut.
        HFONT labelFont = m_fonts.Bold();
        HFONT valueFont = m_fonts.Bold();
        const auto fits = [&] {
            return TextWidth(dc, labelFont, content.label) + LabelGap + TextWidth(dc, valueFont, content.value) <=
                   text.right - text.left;
        };
        if (!fits())
            valueFont = m_fonts.Normal();
        if (!fits())
            labelFont = m_fonts.Normal();
        const int valueWidth = TextWidth(dc, valueFont, content.value);
        DrawRowText(dc, content.value, text, valueFont, DT_RIGHT, LabelColour);
        DrawRowText(dc, content.label, RECT{text.left, text.top, text.right - valueWidth - LabelGap, text.bottom},
                    labelFont, DT_LEFT, LabelColour);
        break;
    }
    case RowContent::Kind::Label:
        DrawRowText(dc, content.label, text, m_fonts.Bold(), DT_LEFT, LabelColour);
        break;
    case RowContent::Kind::Text:
        DrawRowText(dc, content.label, RECT{text.left + ValueIndent, text.top, text.right, text.bottom},
                    m_fonts.Normal(), DT_LEFT, LabelColour);
        break;
    case RowContent::Kind::Bar: {
        const int width = cell.right - cell.left;
        const int start = std::clamp(content.barStart, 0, 100);
        DrawBar(dc, RECT{cell.left + width * start / 100, cell.top, cell.right, cell.bottom}, content.bar);
        break;
    }
    }
}

void PagePainter::DrawBar(HDC dc, const RECT& cell, const BarLook& bar)
{
    const int width = cell.right - cell.left;
    const int height = cell.bottom - cell.top;
    if (width < 5 || height < 5)
        return;

    // A black frame with a white line inside along the bottom and right.
    FillRectColor(dc, cell.left, cell.top, width, 1, Black);
    FillRectColor(dc, cell.left, cell.bottom - 1, width, 1, Black);
    FillRectColor(dc, cell.left, cell.top, 1, height, Black);
    FillRectColor(dc, cell.right - 1, cell.top, 1, height, Black);
    FillRectColor(dc, cell.left + 1, cell.bottom - 2, width - 2, 1, White);
    FillRectColor(dc, cell.right - 2, cell.top + 1, 1, height - 2, White);

    const int fillWidth = BarFillWidth(width - 4, bar.fillPercent);
    const RECT fill{cell.left + 2, cell.top + 2, cell.left + 2 + fillWidth, cell.bottom - 2};
    if (fillWidth > 0)
        FillRectColor(dc, fill, bar.fillColour);

    SelectObjectScope selected(dc, m_fonts.Normal());
    SIZE extent{};
    const std::vector<int> advances = MeasuredAdvances(dc, bar.text, extent);
    const int x = cell.left + (width - extent.cx) / 2;
    const int y = cell.top + (height - extent.cy) / 2;
    // Over the fill the text takes the bar's text colour, elsewhere black.
    DrawClippedText(dc, x, y, bar.text, advances, cell, fillWidth > 0 ? &fill : nullptr, Black);
    if (fillWidth > 0)
        DrawClippedText(dc, x, y, bar.text, advances, fill, nullptr, bar.textColour);
}
