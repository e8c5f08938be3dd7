#include "platform/htmlview/HtmlDocument.h"

#include "platform/htmlview/HtmlTokenizer.h"

#include <algorithm>
#include <array>
#include <cwctype>

namespace vellumate::htmlview {

namespace {

constexpr int MinFontSize = 1;
constexpr int MaxFontSize = 7;
constexpr int BaseFontSize = 3;  // what "+1" and "-1" are relative to

// A number at the start of `text` (after blanks), or `fallback`.
int LeadingNumber(std::wstring_view text, int fallback)
{
    std::size_t p = 0;
    while (p < text.size() && IsHtmlSpace(text[p]))
        ++p;
    int value = 0;
    std::size_t digits = 0;
    while (p < text.size() && text[p] >= L'0' && text[p] <= L'9' && digits < 6) {
        value = value * 10 + (text[p] - L'0');
        ++p;
        ++digits;
    }
    return digits > 0 ? value : fallback;
}

// <font size>: "1" to "7" or a step from the base size, "+2", "-1".
int FontSizeFrom(std::wstring_view text, int current)
{
    std::size_t p = 0;
    while (p < text.size() && IsHtmlSpace(text[p]))
        ++p;
    if (p == text.size())
        return current;
    const wchar_t sign = text[p];
    if (sign == L'+' || sign == L'-') {
        const int step = LeadingNumber(text.substr(p + 1), -1);
        if (step < 0)
            return current;
        return std::clamp(sign == L'+' ? BaseFontSize + step : BaseFontSize - step, MinFontSize, MaxFontSize);
    }
    const int size = LeadingNumber(text, -1);
    return size < 0 ? current : std::clamp(size, MinFontSize, MaxFontSize);
}

int HexValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    c = static_cast<wchar_t>(std::towlower(c));
    return (c >= L'a' && c <= L'f') ? c - L'a' + 10 : -1;
}

struct NamedColor {
    std::wstring_view name;
    std::uint32_t rgb;  // 0xRRGGBB as written in HTML
};

constexpr std::array<NamedColor, 10> NamedColors{{
    {L"black", 0x000000},
    {L"white", 0xFFFFFF},
    {L"gray", 0x808080},
    {L"silver", 0xC0C0C0},
    {L"red", 0xFF0000},
    {L"maroon", 0x800000},
    {L"green", 0x008000},
    {L"blue", 0x0000FF},
    {L"navy", 0x000080},
    {L"purple", 0x800080},
}};

// <font color>: "#RRGGBB", "RRGGBB" or a few names; `current` when unknown.
std::uint32_t ColorFrom(std::wstring_view text, std::uint32_t current)
{
    std::wstring lower;
    for (wchar_t c : text) {
        if (!IsHtmlSpace(c))
            lower += static_cast<wchar_t>(std::towlower(c));
    }
    std::uint32_t rgb = 0;
    bool found = false;
    for (const NamedColor& color : NamedColors) {
        if (lower == color.name) {
            rgb = color.rgb;
            found = true;
        }
    }
    std::wstring_view digits = lower;
    if (!found && !digits.empty() && digits.front() == L'#')
        digits.remove_prefix(1);
    if (!found && digits.size() == 6 &&
        std::all_of(digits.begin(), digits.end(), [](wchar_t c) { return HexValue(c) >= 0; })) {
        for (wchar_t c : digits)
            rgb = rgb * 16 + static_cast<std::uint32_t>(HexValue(c));
        found = true;
    }
    if (!found)
        return current;
    // HTML writes red first; a COLORREF keeps red in the low byte.
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

Align AlignFrom(const std::wstring* value, Align current)
{
    if (!value)
        return current;
    std::wstring lower;
    for (wchar_t c : *value)
        lower += static_cast<wchar_t>(std::towlower(c));
    if (lower == L"center" || lower == L"middle")
        return Align::Center;
    if (lower == L"right")
        return Align::Right;
    if (lower == L"left")
        return Align::Left;
    return current;
}

class DocumentBuilder {
public:
    DocumentBuilder() { m_open.push_back({L"", TextStyle{}}); }

    HtmlDocument Build(std::wstring_view source)
    {
        for (const HtmlToken& token : TokenizeHtml(source)) {
            switch (token.kind) {
            case HtmlToken::Kind::Text:
                AddText(token.text);
                break;
            case HtmlToken::Kind::StartTag:
                StartTag(token);
                break;
            case HtmlToken::Kind::EndTag:
                EndTag(token.name);
                break;
            }
        }
        return std::move(m_document);
    }

private:
    struct OpenElement {
        std::wstring tag;
        TextStyle style;
    };

    const TextStyle& Current() const { return m_open.back().style; }

    void Push(const std::wstring& tag, const TextStyle& style) { m_open.push_back({tag, style}); }

    // Closes the most recent open element named `tag` and everything opened
    // inside it. False when none is open.
    bool PopTo(std::wstring_view tag)
    {
        for (std::size_t i = m_open.size(); i-- > 1;) {
            if (m_open[i].tag == tag) {
                m_open.resize(i);
                return true;
            }
        }
        return false;
    }

    void AddItem(HtmlItem::Kind kind)
    {
        HtmlItem item;
        item.kind = kind;
        item.style = Current();
        m_document.items.push_back(std::move(item));
    }

    // Breaks swallow the white space around them.
    void AddBreak(HtmlItem::Kind kind)
    {
        AddItem(kind);
        m_lineStart = true;
        m_pendingSpace = false;
    }

    void AppendText(std::wstring_view text)
    {
        std::vector<HtmlItem>& items = m_document.items;
        if (!items.empty() && items.back().kind == HtmlItem::Kind::Text && items.back().style == Current()) {
            items.back().text += text;
            return;
        }
        AddItem(HtmlItem::Kind::Text);
        items.back().text = text;
    }

    // White space collapses to one space, and none at the start of a line.
    void AddText(std::wstring_view text)
    {
        std::wstring collapsed;
        for (wchar_t c : text) {
            if (IsHtmlSpace(c)) {
                m_pendingSpace = true;
                continue;
            }
            if (m_pendingSpace && !m_lineStart)
                collapsed += L' ';
            m_pendingSpace = false;
            m_lineStart = false;
            collapsed += c;
        }
        if (!collapsed.empty())
            AppendText(collapsed);
    }

    void StartTag(const HtmlToken& token)
    {
        const std::wstring& tag = token.name;
        TextStyle style = Current();
        if (tag == L"br") {
            AddBreak(HtmlItem::Kind::LineBreak);
        } else if (tag == L"p") {
            PopTo(L"p");  // a new paragraph ends the open one
            AddBreak(HtmlItem::Kind::ParagraphBreak);
            style = Current();
            style.align = AlignFrom(token.Attribute(L"align"), style.align);
            Push(tag, style);
        } else if (tag == L"div" || tag == L"center") {
            AddBreak(HtmlItem::Kind::BlockBreak);
            style.align = tag == L"center" ? Align::Center : AlignFrom(token.Attribute(L"align"), style.align);
            Push(tag, style);
        } else if (tag == L"b" || tag == L"strong") {
            style.bold = true;
            Push(tag, style);
        } else if (tag == L"i" || tag == L"em") {
            style.italic = true;
            Push(tag, style);
        } else if (tag == L"u") {
            style.underline = true;
            Push(tag, style);
        } else if (tag == L"font") {
            if (const std::wstring* size = token.Attribute(L"size"))
                style.size = FontSizeFrom(*size, style.size);
            if (const std::wstring* color = token.Attribute(L"color"))
                style.color = ColorFrom(*color, style.color);
            Push(tag, style);
        } else if (tag == L"a") {
            StartAnchor(token);
        } else if (tag == L"img") {
            AddImage(token);
        } else if (tag == L"hr") {
            AddBreak(HtmlItem::Kind::Rule);
        }
    }

    void StartAnchor(const HtmlToken& token)
    {
        PopTo(L"a");  // links do not nest
        TextStyle style = Current();
        if (const std::wstring* name = token.Attribute(L"name"); name && !name->empty()) {
            AddItem(HtmlItem::Kind::Anchor);
            m_document.items.back().text = *name;
        }
        if (const std::wstring* href = token.Attribute(L"href")) {
            style.link = static_cast<int>(m_document.links.size());
            m_document.links.push_back({*href});
        }
        Push(L"a", style);
    }

    void AddImage(const HtmlToken& token)
    {
        HtmlImage image;
        if (const std::wstring* src = token.Attribute(L"src"))
            image.src = *src;
        if (const std::wstring* alt = token.Attribute(L"alt"))
            image.alt = *alt;
        if (const std::wstring* width = token.Attribute(L"width"))
            image.width = std::clamp(LeadingNumber(*width, 0), 0, MaxImageSide);
        if (const std::wstring* height = token.Attribute(L"height"))
            image.height = std::clamp(LeadingNumber(*height, 0), 0, MaxImageSide);

        if (m_pendingSpace && !m_lineStart)
            AppendText(L" ");
        m_pendingSpace = false;
        m_lineStart = false;
        AddItem(HtmlItem::Kind::Image);
        m_document.items.back().image = static_cast<int>(m_document.images.size());
        m_document.images.push_back(std::move(image));
    }

    void EndTag(const std::wstring& tag)
    {
        if (tag == L"p") {
            if (PopTo(tag))
                AddBreak(HtmlItem::Kind::ParagraphBreak);
        } else if (tag == L"div" || tag == L"center") {
            if (PopTo(tag))
                AddBreak(HtmlItem::Kind::BlockBreak);
        } else if (tag == L"b" || tag == L"strong" || tag == L"i" || tag == L"em" || tag == L"u" || tag == L"font" ||
                   tag == L"a") {
            PopTo(tag);
        }
    }

    // Sizes past any screen are surely mistakes; keep the arithmetic safe.
    static constexpr int MaxImageSide = 4096;

    HtmlDocument m_document;
    std::vector<OpenElement> m_open;  // m_open[0]: the page's own default style
    bool m_lineStart = true;
    bool m_pendingSpace = false;
};

}  // namespace

HtmlDocument ParseHtml(std::wstring_view source)
{
    return DocumentBuilder().Build(source);
}

std::wstring PlainTextToHtml(std::wstring_view text)
{
    std::wstring html;
    html.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'&') {
            html += L"&amp;";
        } else if (c == L'<') {
            html += L"&lt;";
        } else if (c == L'\n' || (c == L'\r' && (i + 1 == text.size() || text[i + 1] != L'\n'))) {
            html += L"<br>";
        } else if (c == L'\r') {
            continue;  // the '\n' that follows makes the break
        } else if (c == L' ' && i > 0 && text[i - 1] == L' ') {
            html += L"&nbsp;";  // keep runs of spaces
        } else {
            html += c;
        }
    }
    return html;
}

}  // namespace vellumate::htmlview
