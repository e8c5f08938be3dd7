// Lays a parsed page out in lines for a given width: words wrap at spaces,
// a word longer than a line is split, lines are aligned as their block asks,
// images sit on the baseline. Measuring is left to a TextMeasure, so the
// layout itself knows no device.
#pragma once

#include "platform/htmlview/HtmlDocument.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vellumate::htmlview {

// The page's margins inside the control, in pixels.
inline constexpr int SideMargin = 3;
inline constexpr int TopMargin = 2;
inline constexpr int BottomMargin = 2;

// Height of the line that carries an <hr>.
inline constexpr int RuleLineHeight = 9;

// An image whose size is not known yet (or never will be) takes this box.
inline constexpr int PlaceholderSide = 16;

// The first half of a UTF-16 surrogate pair.
inline bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

// Character height in pixels of HTML font size 1 to 7 on the handset's
// 176-pixel-wide screen; size 3 is the normal 13-pixel text.
int FontPixelHeight(int htmlSize);

struct FontMetrics {
    int ascent = 0;
    int descent = 0;
};

class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual FontMetrics Metrics(const TextStyle& style) = 0;
    virtual int Width(const TextStyle& style, std::wstring_view text) = 0;
};

struct ImageSize {
    int width = 0;
    int height = 0;
};

// The box an image takes: the width and height attributes where given (one
// of them alone keeps the picture's proportions), else the picture's own size
// when it has arrived (`picture`), else a placeholder.
ImageSize ImageBox(const HtmlImage& image, std::optional<ImageSize> picture);

struct Fragment {
    enum class Kind { Text, Image, Rule };

    Kind kind = Kind::Text;
    int x = 0;  // left edge in page pixels
    int width = 0;
    int height = 0;     // images and rules; text takes the line's height
    std::wstring text;  // text; for an image its alt text
    TextStyle style;
    int image = -1;            // index into HtmlDocument::images
    bool spaceBefore = false;  // a word space separates it from the previous fragment
};

struct Line {
    int top = 0;  // page pixels
    int height = 0;
    int baseline = 0;  // page pixels
    std::vector<Fragment> fragments;

    int Bottom() const { return top + height; }
    // What the line says, as a reader would copy it.
    std::wstring Text() const;
};

struct PageLayout {
    int height = 0;  // of the whole page, margins included; 0 when empty
    std::vector<Line> lines;
    std::vector<std::pair<std::wstring, int>> anchors;  // name, top of its line (0 at the page top)

    // Top of the line of the first anchor of that name.
    std::optional<int> AnchorTop(std::wstring_view name) const;
};

// `images[i]` is the box of document.images[i] (see ImageBox); a box wider
// than the line is scaled down to fit.
PageLayout LayOutPage(const HtmlDocument& document, int width, TextMeasure& measure, std::span<const ImageSize> images);

}  // namespace vellumate::htmlview
