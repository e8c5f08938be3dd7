// Splits HTML source into text and tags. Forgiving, as a viewer must be:
// a '<' that starts no tag is text, an unfinished tag at the end is dropped,
// comments and declarations are skipped, and the contents of script, style
// and title never reach the page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vellumate::htmlview {

struct HtmlAttribute {
    std::wstring name;   // lower case
    std::wstring value;  // entities decoded
};

struct HtmlToken {
    enum class Kind { Text, StartTag, EndTag };

    Kind kind = Kind::Text;
    std::wstring name;  // tags: the tag name in lower case
    std::wstring text;  // text: entities decoded, white space as written
    std::vector<HtmlAttribute> attributes;

    // The value of the first attribute of that (lower-case) name, or nullptr.
    const std::wstring* Attribute(std::wstring_view attributeName) const;
};

std::vector<HtmlToken> TokenizeHtml(std::wstring_view source);

// HTML's white space: space, tab, CR, LF and form feed.
inline bool IsHtmlSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f';
}

// Replaces character references: the named ones a page of ours uses (amp, lt,
// gt, quot, apos, nbsp, copy, reg, in any case, the ';' optional) and &#NNN; /
// &#xHH;. Anything else stays as written; a reference to no valid character
// becomes U+FFFD.
std::wstring DecodeEntities(std::wstring_view text);

}  // namespace vellumate::htmlview
