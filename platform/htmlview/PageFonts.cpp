#include "platform/htmlview/PageFonts.h"

#include <algorithm>

namespace vellumate::htmlview {

namespace {

FontHandle MakeFont(int htmlSize, bool bold, bool italic, bool underline)
{
    // Not anti-aliased: the handset draws crisp text, and GDI's anti-aliased
    // small sizes come out blurred and unevenly spaced.
    return FontHandle(::CreateFontW(-FontPixelHeight(htmlSize), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline,
                                    FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, PageFontFace));
}

bool IsLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

PageFonts::PageFonts()
{
    // A new memory DC draws on a monochrome bitmap; measure on the kind of
    // surface pages are painted on.
    BITMAPINFO format{};
    format.bmiHeader = {sizeof format.bmiHeader, 1, 1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    m_surface.Reset(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_dc.Reset(::CreateCompatibleDC(nullptr));
    if (m_dc && m_surface)
        ::SelectObject(m_dc.Get(), m_surface.Get());
}

PageFonts::Entry* PageFonts::Find(const TextStyle& style)
{
    const int size = std::clamp(style.size, 1, 7);
    const bool underline = style.underline || style.link >= 0;
    const Key key{size, style.bold, style.italic, underline};
    auto found = m_fonts.find(key);
    if (found != m_fonts.end())
        return &found->second;

    Entry entry;
    entry.font = MakeFont(size, style.bold, style.italic, underline);
    if (!entry.font)
        return nullptr;
    if (style.bold) {
        const FontHandle regular = MakeFont(size, false, style.italic, false);
        int boldWidth = 0;
        int regularWidth = 0;
        for (wchar_t c : std::wstring_view(L"HMmn")) {
            boldWidth += AdvanceOf(entry.font.Get(), c);
            regularWidth += AdvanceOf(regular.Get(), c);
        }
        entry.syntheticBold = boldWidth <= regularWidth;
    }
    return &m_fonts.emplace(key, std::move(entry)).first->second;
}

PageFont PageFonts::Get(const TextStyle& style)
{
    Entry* entry = Find(style);
    return entry ? PageFont{entry->font.Get(), entry->syntheticBold} : PageFont{};
}

int PageFonts::AdvanceOf(HFONT font, wchar_t c)
{
    if (!m_dc || !font)
        return 0;
    SelectObjectScope selected(m_dc.Get(), font);
    static constexpr MAT2 Identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GLYPHMETRICS metrics{};
    if (::GetGlyphOutlineW(m_dc.Get(), c, GGO_BITMAP, &metrics, 0, nullptr, &Identity) != GDI_ERROR)
        return metrics.gmCellIncX;
    INT width = 0;
    return ::GetCharWidth32W(m_dc.Get(), c, c, &width) ? width : 0;
}

int PageFonts::Advance(Entry& entry, wchar_t c)
{
    auto found = entry.advances.find(c);
    if (found == entry.advances.end()) {
        const int advance = AdvanceOf(entry.font.Get(), c) + (entry.syntheticBold ? 1 : 0);
        found = entry.advances.emplace(c, advance).first;
    }
    return found->second;
}

template <typename Visit>
void PageFonts::VisitAdvances(const TextStyle& style, std::wstring_view text, Visit visit)
{
    Entry* entry = Find(style);
    if (!entry || !m_dc)
        return;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            // Outside the 16-bit range: measured as a pair, drawn as one character.
            SelectObjectScope selected(m_dc.Get(), entry->font.Get());
            SIZE size{};
            ::GetTextExtentPoint32W(m_dc.Get(), text.data() + i, 2, &size);
            visit(i, static_cast<int>(size.cx));
            ++i;
            continue;
        }
        visit(i, Advance(*entry, text[i]));
    }
}

std::vector<int> PageFonts::Advances(const TextStyle& style, std::wstring_view text)
{
    std::vector<int> advances(text.size(), 0);
    VisitAdvances(style, text, [&](std::size_t i, int advance) { advances[i] = advance; });
    return advances;
}

FontMetrics PageFonts::Metrics(const TextStyle& style)
{
    TEXTMETRICW metrics{};
    const PageFont font = Get(style);
    if (m_dc && font.font) {
        SelectObjectScope selected(m_dc.Get(), font.font);
        ::GetTextMetricsW(m_dc.Get(), &metrics);
    }
    if (metrics.tmHeight <= 0)  // no DC or font: keep the page readable by estimate
        return {FontPixelHeight(style.size), FontPixelHeight(style.size) / 4};
    return {metrics.tmAscent, metrics.tmDescent};
}

int PageFonts::Width(const TextStyle& style, std::wstring_view text)
{
    int width = 0;
    VisitAdvances(style, text, [&](std::size_t, int advance) { width += advance; });
    return width;
}

}  // namespace vellumate::htmlview
