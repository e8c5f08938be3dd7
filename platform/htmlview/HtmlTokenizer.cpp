#include "platform/htmlview/HtmlTokenizer.h"

#include <array>
#include <cstdint>

namespace vellumate::htmlview {

namespace {

bool IsAsciiLetter(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

bool IsAsciiDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

bool IsHexDigit(wchar_t c)
{
    return IsAsciiDigit(c) || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

wchar_t ToLowerAscii(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

std::wstring LowerAscii(std::wstring_view text)
{
    std::wstring lower(text);
    for (wchar_t& c : lower)
        c = ToLowerAscii(c);
    return lower;
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ToLowerAscii(a[i]) != ToLowerAscii(b[i]))
            return false;
    }
    return true;
}

void AppendCodePoint(std::wstring& out, std::uint32_t code)
{
    const bool valid = code != 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
    if (!valid) {
        out += L'\xFFFD';
    } else if (code >= 0x10000) {
        code -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (code >> 10));
        out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
    } else {
        out += static_cast<wchar_t>(code);
    }
}

struct NamedEntity {
    std::wstring_view name;
    wchar_t character;
};

constexpr std::array<NamedEntity, 8> NamedEntities{{
    {L"amp", L'&'},
    {L"lt", L'<'},
    {L"gt", L'>'},
    {L"quot", L'"'},
    {L"apos", L'\''},
    {L"nbsp", L'\x00A0'},
    {L"copy", L'\x00A9'},
    {L"reg", L'\x00AE'},
}};

// Decodes the reference starting at text[pos] == '&'. Returns the number of
// characters consumed, 0 when there is no reference to decode.
std::size_t DecodeReference(std::wstring_view text, std::size_t pos, std::wstring& out)
{
    std::size_t end = pos + 1;
    if (end < text.size() && text[end] == L'#') {
        ++end;
        const bool hex = end < text.size() && (text[end] == L'x' || text[end] == L'X');
        if (hex)
            ++end;
        const std::size_t digitsStart = end;
        std::uint32_t code = 0;
        while (end < text.size() && (hex ? IsHexDigit(text[end]) : IsAsciiDigit(text[end]))) {
            const wchar_t c = text[end];
            const std::uint32_t digit = IsAsciiDigit(c) ? c - L'0' : ToLowerAscii(c) - L'a' + 10;
            if (code <= 0x10FFFF)  // past the last code point it is invalid anyway; do not overflow
                code = code * (hex ? 16 : 10) + digit;
            ++end;
        }
        if (end == digitsStart)
            return 0;
        if (end < text.size() && text[end] == L';')
            ++end;
        AppendCodePoint(out, code);
        return end - pos;
    }

    while (end < text.size() && end - pos <= 8 && (IsAsciiLetter(text[end]) || IsAsciiDigit(text[end])))
        ++end;
    const std::wstring_view name = text.substr(pos + 1, end - pos - 1);
    for (const NamedEntity& entity : NamedEntities) {
        if (EqualsIgnoringCase(name, entity.name)) {
            if (end < text.size() && text[end] == L';')
                ++end;
            out += entity.character;
            return end - pos;
        }
    }
    return 0;
}

class Tokenizer {
public:
    explicit Tokenizer(std::wstring_view source) : m_source(source) {}

    std::vector<HtmlToken> Run()
    {
        while (m_pos < m_source.size()) {
            const std::size_t open = m_source.find(L'<', m_pos);
            if (open == std::wstring_view::npos) {
                m_text += m_source.substr(m_pos);
                break;
            }
            m_text += m_source.substr(m_pos, open - m_pos);
            m_pos = open;
            ReadMarkup();
        }
        FlushText();
        return std::move(m_tokens);
    }

private:
    wchar_t At(std::size_t pos) const { return pos < m_source.size() ? m_source[pos] : L'\0'; }

    void FlushText()
    {
        if (m_text.empty())
            return;
        HtmlToken token;
        token.kind = HtmlToken::Kind::Text;
        token.text = DecodeEntities(m_text);
        m_tokens.push_back(std::move(token));
        m_text.clear();
    }

    // At a '<'.
    void ReadMarkup()
    {
        const wchar_t next = At(m_pos + 1);
        if (m_source.substr(m_pos, 4) == L"<!--") {
            const std::size_t close = m_source.find(L"-->", m_pos + 4);
            m_pos = close == std::wstring_view::npos ? m_source.size() : close + 3;
        } else if (next == L'!' || next == L'?') {
            SkipPast(L'>');
        } else if (next == L'/' && IsAsciiLetter(At(m_pos + 2))) {
            ReadTag(HtmlToken::Kind::EndTag, m_pos + 2);
        } else if (IsAsciiLetter(next)) {
            ReadTag(HtmlToken::Kind::StartTag, m_pos + 1);
        } else {
            m_text += L'<';  // "a < b" is text
            ++m_pos;
        }
    }

    void SkipPast(wchar_t c)
    {
        const std::size_t found = m_source.find(c, m_pos);
        m_pos = found == std::wstring_view::npos ? m_source.size() : found + 1;
    }

    void ReadTag(HtmlToken::Kind kind, std::size_t nameStart)
    {
        std::size_t p = nameStart;
        while (p < m_source.size() && !IsHtmlSpace(m_source[p]) && m_source[p] != L'>' && m_source[p] != L'/')
            ++p;
        HtmlToken token;
        token.kind = kind;
        token.name = LowerAscii(m_source.substr(nameStart, p - nameStart));

        for (;;) {
            while (p < m_source.size() && (IsHtmlSpace(m_source[p]) || m_source[p] == L'/'))
                ++p;
            if (p >= m_source.size()) {  // the source ended inside the tag: drop it
                m_pos = m_source.size();
                return;
            }
            if (m_source[p] == L'>')
                break;
            p = ReadAttribute(p, token);
        }
        m_pos = p + 1;

        FlushText();
        const std::wstring name = token.name;
        const bool rawText =
            kind == HtmlToken::Kind::StartTag && (name == L"script" || name == L"style" || name == L"title");
        if (kind == HtmlToken::Kind::EndTag)
            token.attributes.clear();
        m_tokens.push_back(std::move(token));
        if (rawText)
            SkipRawText(name);
    }

    // Reads one attribute starting at p; returns the position after it.
    std::size_t ReadAttribute(std::size_t p, HtmlToken& token)
    {
        const std::size_t nameStart = p;
        while (p < m_source.size() && !IsHtmlSpace(m_source[p]) && m_source[p] != L'=' && m_source[p] != L'>' &&
               m_source[p] != L'/')
            ++p;
        if (p == nameStart)  // a stray '=': skip it
            return p + 1;
        HtmlAttribute attribute;
        attribute.name = LowerAscii(m_source.substr(nameStart, p - nameStart));

        std::size_t q = p;
        while (q < m_source.size() && IsHtmlSpace(m_source[q]))
            ++q;
        if (q < m_source.size() && m_source[q] == L'=') {
            ++q;
            while (q < m_source.size() && IsHtmlSpace(m_source[q]))
                ++q;
            std::size_t valueStart = q;
            std::size_t valueEnd = q;
            if (q < m_source.size() && (m_source[q] == L'"' || m_source[q] == L'\'')) {
                const wchar_t quote = m_source[q];
                valueStart = q + 1;
                std::size_t close = m_source.find(quote, valueStart);
                if (close == std::wstring_view::npos) {
                    // An unclosed quote ends at the tag's end rather than
                    // swallowing the rest of the page.
                    close = m_source.find(L'>', valueStart);
                    if (close == std::wstring_view::npos)
                        close = m_source.size();
                    valueEnd = close;
                    p = close;
                } else {
                    valueEnd = close;
                    p = close + 1;
                }
            } else {
                while (q < m_source.size() && !IsHtmlSpace(m_source[q]) && m_source[q] != L'>')
                    ++q;
                valueEnd = q;
                p = q;
            }
            attribute.value = DecodeEntities(m_source.substr(valueStart, valueEnd - valueStart));
        }
        token.attributes.push_back(std::move(attribute));
        return p;
    }

    // Skips to the matching end tag (which is then read as usual).
    void SkipRawText(const std::wstring& name)
    {
        for (std::size_t p = m_pos; p < m_source.size(); ++p) {
            if (m_source[p] == L'<' && At(p + 1) == L'/' &&
                EqualsIgnoringCase(m_source.substr(p + 2, name.size()), name)) {
                m_pos = p;
                return;
            }
        }
        m_pos = m_source.size();
    }

    std::wstring_view m_source;
    std::size_t m_pos = 0;
    std::wstring m_text;
    std::vector<HtmlToken> m_tokens;
};

}  // namespace

const std::wstring* HtmlToken::Attribute(std::wstring_view attributeName) const
{
    for (const HtmlAttribute& attribute : attributes) {
        if (attribute.name == attributeName)
            return &attribute.value;
    }
    return nullptr;
}

std::vector<HtmlToken> TokenizeHtml(std::wstring_view source)
{
    return Tokenizer(source).Run();
}

std::wstring DecodeEntities(std::wstring_view text)
{
    std::wstring out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == L'&') {
            const std::size_t used = DecodeReference(text, pos, out);
            if (used > 0) {
                pos += used;
                continue;
            }
        }
        out += text[pos++];
    }
    return out;
}

}  // namespace vellumate::htmlview
