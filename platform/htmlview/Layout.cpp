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
        : document_(document), measure_(measure), images_(images), available_(std::max(1, width - 2 * SideMargin))
    {
    }

    PageLayout Run()
    {
        for (const HtmlItem& item : document_.items)
            Add(item);
        FlushWord();
        if (HasContent())
            FinishLine();
        page_.height = page_.lines.empty() ? 0 : y_ + BottomMargin;
        return std::move(page_);
    }

private:
    struct Piece {
        std::wstring text;
        TextStyle style;
    };

    bool HasContent() const { return !line_.fragments.empty(); }

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
            if (!page_.lines.empty() && !lastWasGap_) {  // no gap at the top, gaps do not add up
                AddEmptyLine(item.style);
                lastWasGap_ = true;
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
            page_.anchors.emplace_back(item.text, page_.lines.empty() && !HasContent() ? 0 : y_);
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
                pendingSpace_ = true;
                spaceStyle_ = item.style;
                continue;
            }
            if (word_.empty() || !(word_.back().style == item.style))
                word_.push_back({L"", item.style});
            word_.back().text += c;
        }
    }

    // The width of the word space before the next word; none at a line start.
    int SpaceWidth()
    {
        return (pendingSpace_ && HasContent()) ? measure_.Width(spaceStyle_, L" ") : 0;
    }

    void FlushWord()
    {
        if (word_.empty())
            return;
        int total = 0;
        for (const Piece& piece : word_)
            total += measure_.Width(piece.style, piece.text);
        int space = SpaceWidth();
        if (HasContent() && x_ + space + total > available_) {
            FinishLine();
            space = 0;
        }
        if (!HasContent() && total > available_) {
            SplitLongWord();
        } else {
            x_ += space;
            bool spaceBefore = space > 0;
            for (const Piece& piece : word_) {
                AddTextFragment(piece.text, piece.style, spaceBefore);
                spaceBefore = false;
            }
        }
        word_.clear();
        pendingSpace_ = false;
    }

    // A word wider than a whole line is cut wherever the line is full.
    void SplitLongWord()
    {
        for (const Piece& piece : word_) {
            const std::wstring_view text = piece.text;
            std::size_t pos = 0;
            while (pos < text.size()) {
                std::size_t count = FitCount(piece.style, text.substr(pos), available_ - x_);
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
            if (measure_.Width(style, text.substr(0, next)) > room)
                break;
            fits = next;
        }
        return fits;
    }

    void StartLineWith(const TextStyle& style)
    {
        if (!HasContent())
            lineAlign_ = style.align;
    }

    void AddTextFragment(std::wstring_view text, const TextStyle& style, bool spaceBefore)
    {
        if (HasContent()) {
            Fragment& last = line_.fragments.back();
            if (last.kind == Fragment::Kind::Text && last.style == style) {
                if (spaceBefore)
                    last.text += L' ';
                last.text += text;
                last.width = measure_.Width(style, last.text);
                x_ = last.x + last.width;
                return;
            }
        }
        StartLineWith(style);
        Fragment fragment;
        fragment.kind = Fragment::Kind::Text;
        fragment.x = x_;
        fragment.width = measure_.Width(style, text);
        fragment.text = text;
        fragment.style = style;
        fragment.spaceBefore = spaceBefore;
        x_ += fragment.width;
        line_.fragments.push_back(std::move(fragment));
    }

    void PlaceImage(const HtmlItem& item)
    {
        ImageSize box{PlaceholderSide, PlaceholderSide};
        if (item.image >= 0 && static_cast<std::size_t>(item.image) < images_.size())
            box = images_[static_cast<std::size_t>(item.image)];
        box.width = std::max(1, box.width);
        box.height = std::max(1, box.height);
        if (box.width > available_) {
            box.height = Scale(box.height, available_, box.width);
            box.width = available_;
        }

        int space = SpaceWidth();
        if (HasContent() && x_ + space + box.width > available_) {
            FinishLine();
            space = 0;
        }
        StartLineWith(item.style);
        Fragment fragment;
        fragment.kind = Fragment::Kind::Image;
        fragment.x = x_ + space;
        fragment.width = box.width;
        fragment.height = box.height;
        if (item.image >= 0 && static_cast<std::size_t>(item.image) < document_.images.size())
            fragment.text = document_.images[static_cast<std::size_t>(item.image)].alt;
        fragment.style = item.style;
        fragment.image = item.image;
        fragment.spaceBefore = space > 0;
        x_ = fragment.x + fragment.width;
        line_.fragments.push_back(std::move(fragment));
        pendingSpace_ = false;
    }

    void FinishLine()
    {
        int ascent = 0;
        int descent = 0;
        for (const Fragment& fragment : line_.fragments) {
            if (fragment.kind == Fragment::Kind::Text) {
                const FontMetrics metrics = measure_.Metrics(fragment.style);
                ascent = std::max(ascent, metrics.ascent);
                descent = std::max(descent, metrics.descent);
            } else {
                ascent = std::max(ascent, fragment.height);  // pictures stand on the baseline
            }
        }
        const int room = std::max(0, available_ - x_);
        int offset = SideMargin;
        if (lineAlign_ == Align::Center)
            offset += room / 2;
        else if (lineAlign_ == Align::Right)
            offset += room;
        for (Fragment& fragment : line_.fragments)
            fragment.x += offset;

        line_.top = y_;
        line_.height = ascent + descent;
        line_.baseline = y_ + ascent;
        y_ += line_.height;
        page_.lines.push_back(std::move(line_));
        line_ = Line{};
        x_ = 0;
        pendingSpace_ = false;
        lastWasGap_ = false;
    }

    void AddEmptyLine(const TextStyle& style)
    {
        const FontMetrics metrics = measure_.Metrics(style);
        Line line;
        line.top = y_;
        line.height = metrics.ascent + metrics.descent;
        line.baseline = y_ + metrics.ascent;
        y_ += line.height;
        page_.lines.push_back(std::move(line));
        lastWasGap_ = false;
    }

    void AddRule(const TextStyle& style)
    {
        Fragment rule;
        rule.kind = Fragment::Kind::Rule;
        rule.x = SideMargin;
        rule.width = available_;
        rule.height = 1;
        rule.style = style;
        Line line;
        line.top = y_;
        line.height = RuleLineHeight;
        line.baseline = y_ + RuleLineHeight / 2;
        line.fragments.push_back(std::move(rule));
        y_ += line.height;
        page_.lines.push_back(std::move(line));
        lastWasGap_ = false;
    }

    const HtmlDocument& document_;
    TextMeasure& measure_;
    std::span<const ImageSize> images_;
    const int available_;  // width between the side margins

    PageLayout page_;
    Line line_;  // the line being filled; fragment x relative to its start
    Align lineAlign_ = Align::Left;
    int x_ = 0;  // pen position on the line
    int y_ = TopMargin;
    std::vector<Piece> word_;
    bool pendingSpace_ = false;
    TextStyle spaceStyle_;
    bool lastWasGap_ = false;
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

PageLayout LayOutPage(const HtmlDocument& document, int width, TextMeasure& measure,
                      std::span<const ImageSize> images)
{
    return LineBreaker(document, width, measure, images).Run();
}

}  // namespace vellumate::htmlview
