// The page as the layout sees it: a flat run of styled text, breaks, images
// and anchors, built from the tokens with the styles of the open elements.
// Elements close forgivingly: an end tag closes the most recent element of its
// name and whatever was left open inside it; an end tag with no open element
// is ignored.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vellumate::htmlview {

enum class Align { Left, Center, Right };

struct TextStyle {
    int size = 3;  // the HTML font size, 1 to 7
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::uint32_t color = 0;  // 0x00BBGGRR, the layout of a GDI COLORREF
    int link = -1;            // index into HtmlDocument::links; -1 outside links
    Align align = Align::Left;

    bool operator==(const TextStyle&) const = default;
};

struct HtmlItem {
    enum class Kind {
        Text,            // text: single spaces, no line breaks
        LineBreak,       // <br>: ends the line; on an empty line, adds an empty line
        BlockBreak,      // start or end of a block: ends the line if it has content
        ParagraphBreak,  // <p>: ends the line and leaves a blank line
        Image,           // image: index into HtmlDocument::images
        Rule,            // <hr>
        Anchor,          // <a name>: text is the name
    };

    Kind kind = Kind::Text;
    TextStyle style;
    std::wstring text;
    int image = -1;
};

struct HtmlLink {
    std::wstring href;
};

struct HtmlImage {
    std::wstring src;
    std::wstring alt;
    int width = 0;   // from the width attribute; 0 when not given
    int height = 0;  // from the height attribute; 0 when not given
};

struct HtmlDocument {
    std::vector<HtmlItem> items;
    std::vector<HtmlLink> links;
    std::vector<HtmlImage> images;
};

HtmlDocument ParseHtml(std::wstring_view source);

// Escapes plain text so that it reads as HTML showing exactly that text, with
// its line breaks.
std::wstring PlainTextToHtml(std::wstring_view text);

}  // namespace vellumate::htmlview
