#include "platform/htmlview/Layout.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vellumate::htmlview {

namespace {

constexpr std::array<int, 7> PixelHeights{9, 11, 13, 15, 18, 22, 28};

int Scale(int value, int numerator, int denominator)
{
    return std::max(1, static_cast<int>(static_cast<std::int64_t>(value) * numerator / denominator));
}

// Length in UTF-16 units of the character at text[pos].
std::size_t CharLength(std::wstring_view text, std::size_t pos)
{
    return (IsHighSurrogate(text[pos]) && pos + 1 < text.size()) ? 2 : 1;
}

class LineBreaker {
public:
    LineBreaker(const HtmlDocument& document, int width, TextMeasure& measure, std::span<const ImageSize> images)
        : m_document(document), m_measure(measure), m_images(images), m_available(std::max(1, width - 2 * SideMargin))
    {
    }

    PageLayout Run()
    {
        for (const HtmlItem& item : m_document.items)
            Add(item);
        FlushWord();
        if (HasContent())
            FinishLine();
        m_page.height = m_page.lines.empty() ? 0 : m_y + BottomMargin;
        return std::move(m_page);
    }

private:
    struct Piece {
        std::wstring text;
        TextStyle style;
    };

    bool HasContent() const { return !m_line.fragments.empty(); }

    void Add(const HtmlItem& item)
    {
        if (item.kind == HtmlItem::Kind::Text) {
            AddText(item);
            return;
        }
        FlushWord();
        switch (item.kind) {
        case HtmlItem::Kind::LineBreak:
            if (HasContent())
                FinishLine();
            else
                AddEmptyLine(item.style);
            break;
        case HtmlItem::Kind::BlockBreak:
            if (HasContent())
                FinishLine();
            break;
        case HtmlItem::Kind::ParagraphBreak:
            if (HasContent())
                FinishLine();
            if (!m_page.lines.empty() && !m_lastWasGap) {  // no gap at the top, gaps do not add up
                AddEmptyLine(item.style);
                m_lastWasGap = true;
            }
            break;
        case HtmlItem::Kind::Image:
            PlaceImage(item);
            break;
        case HtmlItem::Kind::Rule:
            if (HasContent())
                FinishLine();
            AddRule(item.style);
            break;
        case HtmlItem::Kind::Anchor:
            // An anchor before the first line stands for the page's top.
            m_page.anchors.emplace_back(item.text, m_page.lines.empty() && !HasContent() ? 0 : m_y);
            break;
        case HtmlItem::Kind::Text:
            break;
        }
    }

    // Words may run across items of different styles ("<b>Ver</b>sion"), so
    // a word is collected in pieces and placed when a space or a break ends it.
    void AddText(const HtmlItem& item)
    {
        for (wchar_t c : item.text) {
            if (c == L' ') {
                FlushWord();
                m_pendingSpace = true;
                m_spaceStyle = item.style;
                continue;
            }
            if (m_word.empty() || !(m_word.back().style == item.style))
                m_word.push_back({L"", item.style});
            m_word.back().text += c;
        }
    }

    // The width of the word space before the next word; none at a line start.
    int SpaceWidth() { return (m_pendingSpace && HasContent()) ? m_measure.Width(m_spaceStyle, L" ") : 0; }

    void FlushWord()
    {
        if (m_word.empty())
            return;
        int total = 0;
        for (const Piece& piece : m_word)
            total += m_measure.Width(piece.style, piece.text);
        int space = SpaceWidth();
        if (HasContent() && m_x + space + total > m_available) {
            FinishLine();
            space = 0;
        }
        if (!HasContent() && total > m_available) {
            SplitLongWord();
        } else {
            m_x += space;
            bool spaceBefore = space > 0;
            for (const Piece& piece : m_word) {
                AddTextFragment(piece.text, piece.style, spaceBefore);
                spaceBefore = false;
            }
        }
        m_word.clear();
        m_pendingSpace = false;
    }

    // A word wider than a whole line is cut wherever the line is full.
    void SplitLongWord()
    {
        for (const Piece& piece : m_word) {
            const std::wstring_view text = piece.text;
            std::size_t pos = 0;
            while (pos < text.size()) {
                std::size_t count = FitCount(piece.style, text.substr(pos), m_available - m_x);
                if (count == 0) {
                    if (HasContent()) {
                        FinishLine();
                        continue;
                    }
                    count = CharLength(text, pos);  // not even one character fits: place it anyway
                }
                AddTextFragment(text.substr(pos, count), piece.style, false);
                pos += count;
                if (pos < text.size())
                    FinishLine();
            }
        }
    }

    // How many UTF-16 units of `text` fit in `room` pixels, whole characters only.
    std::size_t FitCount(const TextStyle& style, std::wstring_view text, int room)
    {
        std::size_t fits = 0;
        std::size_t next = 0;
        while (next < text.size()) {
            next += CharLength(text, next);
            if (m_measure.Width(style, text.substr(0, next)) > room)
                break;
            fits = next;
        }
        return fits;
    }

    void StartLineWith(const TextStyle& style)
    {
        if (!HasContent())
            m_lineAlign = style.align;
    }

    void AddTextFragment(std::wstring_view text, const TextStyle& style, bool spaceBefore)
    {
        if (HasContent()) {
            Fragment& last = m_line.fragments.back();
            if (last.kind == Fragment::Kind::Text && last.style == style) {
                if (spaceBefore)
                    last.text += L' ';
                last.text += text;
                last.width = m_measure.Width(style, last.text);
                m_x = last.x + last.width;
                return;
            }
        }
        StartLineWith(style);
        Fragment fragment;
        fragment.kind = Fragment::Kind::Text;
        fragment.x = m_x;
        fragment.width = m_measure.Width(style, text);
        fragment.text = text;
        fragment.style = style;
        fragment.spaceBefore = spaceBefore;
        m_x += fragment.width;
        m_line.fragments.push_back(std::move(fragment));
    }

    void PlaceImage(const HtmlItem& item)
    {
        ImageSize box{PlaceholderSide, PlaceholderSide};
        if (item.image >= 0 && static_cast<std::size_t>(item.image) < m_images.size())
            box = m_images[static_cast<std::size_t>(item.image)];
        box.width = std::max(1, box.width);
        box.height = std::max(1, box.height);
        if (box.width > m_available) {
            box.height = Scale(box.height, m_available, box.width);
            box.width = m_available;
        }

        int space = SpaceWidth();
        if (HasContent() && m_x + space + box.width > m_available) {
            FinishLine();
            space = 0;
        }
        StartLineWith(item.style);
        Fragment fragment;
        fragment.kind = Fragment::Kind::Image;
        fragment.x = m_x + space;
        fragment.width = box.width;
        fragment.height = box.height;
        if (item.image >= 0 && static_cast<std::size_t>(item.image) < m_document.images.size())
            fragment.text = m_document.images[static_cast<std::size_t>(item.image)].alt;
        fragment.style = item.style;
        fragment.image = item.image;
        fragment.spaceBefore = space > 0;
        m_x = fragment.x + fragment.width;
        m_line.fragments.push_back(std::move(fragment));
        m_pendingSpace = false;
    }

    void FinishLine()
    {
        int ascent = 0;
        int descent = 0;
        for (const Fragment& fragment : m_line.fragments) {
            if (fragment.kind == Fragment::Kind::Text) {
                const FontMetrics metrics = m_measure.Metrics(fragment.style);
                ascent = std::max(ascent, metrics.ascent);
                descent = std::max(descent, metrics.descent);
            } else {
                ascent = std::max(ascent, fragment.height);  // pictures stand on the baseline
            }
        }
        const int room = std::max(0, m_available - m_x);
        int offset = SideMargin;
        if (m_lineAlign == Align::Center)
            offset += room / 2;
        else if (m_lineAlign == Align::Right)
            offset += room;
        for (Fragment& fragment : m_line.fragments)
            fragment.x += offset;

        m_line.top = m_y;
        m_line.height = ascent + descent;
        m_line.baseline = m_y + ascent;
        m_y += m_line.height;
        m_page.lines.push_back(std::move(m_line));
        m_line = Line{};
        m_x = 0;
        m_pendingSpace = false;
        m_lastWasGap = false;
    }

    void AddEmptyLine(const TextStyle& style)
    {
        const FontMetrics metrics = m_measure.Metrics(style);
        Line line;
        line.top = m_y;
        line.height = metrics.ascent + metrics.descent;
        line.baseline = m_y + metrics.ascent;
        m_y += line.height;
        m_page.lines.push_back(std::move(line));
        m_lastWasGap = false;
    }

    void AddRule(const TextStyle& style)
    {
        Fragment rule;
        rule.kind = Fragment::Kind::Rule;
        rule.x = SideMargin;
        rule.width = m_available;
        rule.height = 1;
        rule.style = style;
        Line line;
        line.top = m_y;
        line.height = RuleLineHeight;
        line.baseline = m_y + RuleLineHeight / 2;
        line.fragments.push_back(std::move(rule));
        m_y += line.height;
        m_page.lines.push_back(std::move(line));
        m_lastWasGap = false;
    }

    const HtmlDocument& m_document;
    TextMeasure& m_measure;
    std::span<const ImageSize> m_images;
    const int m_available;  // width between the side margins

    PageLayout m_page;
    Line m_line;  // the line being filled; fragment x relative to its start
    Align m_lineAlign = Align::Left;
    int m_x = 0;  // pen position on the line
    int m_y = TopMargin;
    std::vector<Piece> m_word;
    bool m_pendingSpace = false;
    TextStyle m_spaceStyle;
    bool m_lastWasGap = false;
};

}  // namespace

int FontPixelHeight(int htmlSize)
{
    return PixelHeights[static_cast<std::size_t>(std::clamp(htmlSize, 1, 7) - 1)];
}

ImageSize ImageBox(const HtmlImage& image, std::optional<ImageSize> picture)
{
    if (image.width > 0 && image.height > 0)
        return {image.width, image.height};
    if (picture && picture->width > 0 && picture->height > 0) {
        if (image.width > 0)
            return {image.width, Scale(picture->height, image.width, picture->width)};
        if (image.height > 0)
            return {Scale(picture->width, image.height, picture->height), image.height};
        return *picture;
    }
    return {image.width > 0 ? image.width : PlaceholderSide, image.height > 0 ? image.height : PlaceholderSide};
}

std::wstring Line::Text() const
{
    std::wstring text;
    for (const Fragment& fragment : fragments) {
        if (fragment.kind == Fragment::Kind::Rule || fragment.text.empty())
            continue;  // a picture without alt text says nothing
        if (fragment.spaceBefore && !text.empty())
            text += L' ';
        text += fragment.text;
    }
    std::replace(text.begin(), text.end(), L'\x00A0', L' ');  // a reader wants plain spaces
    return text;
}

std::optional<int> PageLayout::AnchorTop(std::wstring_view name) const
{
    for (const auto& [anchor, top] : anchors) {
        if (anchor == name)
            return top;
    }
    return std::nullopt;
}

PageLayout LayOutPage(const HtmlDocument& document, int width, TextMeasure& measure, std::span<const ImageSize> images)
{
    return LineBreaker(document, width, measure, images).Run();
}

}  // namespace vellumate::htmlview
