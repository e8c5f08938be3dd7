// The GDI fonts of a page, one per size and face style, made when first
// needed; they also measure text for the layout.
//
// Text is measured by the advances GDI draws with (the glyph cells of
// GetGlyphOutline's bitmaps) and drawn at exactly those advances, so that a
// line ends where the layout put its end. GetTextExtentPoint alone is not
// enough: a font with bitmaps for small sizes (Wine's Tahoma) draws them
// narrower than it measures them.
#pragma once

#include "platform/Handles.h"
#include "platform/htmlview/Layout.h"

#include <map>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace vellumate::htmlview {

// The handset face. Its own "Nina" is substituted with Tahoma on the
// handset's prefixes; naming Tahoma directly gives the same metrics on a
// desktop Windows too.
inline constexpr wchar_t PageFontFace[] = L"Tahoma";

struct PageFont {
    HFONT font = nullptr;  // nullptr only when GDI has no font left to give
    // The bold face is no bolder than the regular one at this size (the bold
    // bitmaps of Wine's Tahoma at 13, 15 and 16 pixels are regular ones): the
    // painter strikes the text twice, a pixel apart, and each character is
    // a pixel wider, as GDI emboldens a font that has no bold face.
    bool syntheticBold = false;
};

class PageFonts final : public TextMeasure {
public:
    PageFonts();

    // The font of a style; links are underlined.
    PageFont Get(const TextStyle& style);

    // The advance of each UTF-16 unit of `text` as drawn (0 for the second
    // half of a surrogate pair).
    std::vector<int> Advances(const TextStyle& style, std::wstring_view text);

    FontMetrics Metrics(const TextStyle& style) override;
    int Width(const TextStyle& style, std::wstring_view text) override;

private:
    using Key = std::tuple<int, bool, bool, bool>;  // size, bold, italic, underline
    struct Entry {
        FontHandle font;
        bool syntheticBold = false;
        std::unordered_map<wchar_t, int> advances;
    };

    Entry* Find(const TextStyle& style);
    // Calls visit(i, advance) for each character of `text` that starts at
    // text[i]; nothing without a font or a DC.
    template <typename Visit>
    void VisitAdvances(const TextStyle& style, std::wstring_view text, Visit visit);
    int Advance(Entry& entry, wchar_t c);
    int AdvanceOf(HFONT font, wchar_t c);

    std::map<Key, Entry> m_fonts;
    BitmapHandle m_surface;  // before the DC: it must outlive the selection
    MemoryDCHandle m_dc;     // where fonts are measured
};

}  // namespace vellumate::htmlview
