#include "simmanager/EntryListPainter.h"

#include "simmanager/resource.h"

#include "framework/ResourceModule.h"
#include "framework/String.h"

#include "platform/Painting.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr COLORREF MissingColour = RGB(0x70, 0x70, 0x70);
constexpr COLORREF MatchColour = RGB(0xC8, 0x10, 0x10);
constexpr COLORREF MatchOnHighlightColour = RGB(0xFF, 0xE0, 0x40);
constexpr int TextLeft = 15;  // right of the check mark column
constexpr int CheckLeft = 3;
constexpr int CheckSize = 9;
constexpr int BandMargin = 3;
constexpr int TitleTries = 7;
constexpr int DetailTries = 11;

std::wstring ResourceText(UINT id)
{
    String text;
    text.LoadResourceText(id);
    return std::wstring(text.Chars());
}

std::wstring FormatResource(UINT id, const std::wstring& argument)
{
    String text;
    text.FormatResource(id, argument.c_str());
    return std::wstring(text.Chars());
}

COLORREF Blend(COLORREF a, COLORREF b, int partsOfB, int parts) noexcept
{
    const auto mix = [&](int x, int y) { return (x * (parts - partsOfB) + y * partsOfB) / parts; };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

bool IsCountedInMatch(wchar_t ch) noexcept
{
    return (ch >= L'0' && ch <= L'9') || ch == L'p' || ch == L'w' || ch == L'+';
}

int TextWidth(HDC dc, const std::wstring& text) noexcept
{
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void DrawTextAt(HDC dc, int x, int y, const std::wstring& text, const RECT& clip, COLORREF colour) noexcept
{
    SetTextColor(dc, colour);
    ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

void DrawCheckMark(HDC dc, int x, int yCentre, COLORREF colour) noexcept
{
    vellumate::PenHandle pen(CreatePen(PS_SOLID, 2, colour));
    const HGDIOBJ old = SelectObject(dc, pen.Get());
    const POINT points[] = {{x + 1, yCentre}, {x + 3, yCentre + 3}, {x + 8, yCentre - 3}};
    Polyline(dc, points, 3);
    SelectObject(dc, old);
}

void DrawCheckBox(HDC dc, int x, int yCentre, bool checked, COLORREF colour) noexcept
{
    const RECT box{x, yCentre - CheckSize / 2, x + CheckSize, yCentre - CheckSize / 2 + CheckSize};
    vellumate::BrushHandle frame(CreateSolidBrush(colour));
    FrameRect(dc, &box, frame.Get());
    if (checked)
        DrawCheckMark(dc, x, yCentre, colour);
}

}  // namespace

// ---- geometry ----------------------------------------------------------------------

ListGeometry ListGeometry::For(bool largeFont) noexcept
{
    ListGeometry geometry;
    if (largeFont) {
        geometry.rowHeight = 20;
        geometry.titleHeight = 22;
        geometry.detailHeight = 38;
        geometry.pageSlack = 10;
        geometry.rowFontHeight = 18;
        geometry.titleFontHeight = 16;
        geometry.detailFontHeight = 32;
    }
    return geometry;
}

int ListGeometry::RowsPerPage(const RECT& client) const noexcept
{
    const RECT list = ListRect(client);
    const int rows = (list.bottom - list.top + pageSlack) / rowHeight;
    return rows > 0 ? rows : 1;
}

RECT ListGeometry::TitleRect(const RECT& client) const noexcept
{
    return {client.left, client.top, client.right, client.top + titleHeight};
}

RECT ListGeometry::ListRect(const RECT& client) const noexcept
{
    RECT list{client.left, client.top + titleHeight, client.right, client.bottom - detailHeight};
    if (list.bottom < list.top)
        list.bottom = list.top;
    return list;
}

RECT ListGeometry::DetailRect(const RECT& client) const noexcept
{
    return {client.left, ListRect(client).bottom, client.right, client.bottom};
}

// ---- texts ---------------------------------------------------------------------------

std::pair<std::wstring, std::wstring> MakeTitleTexts(const EntryView* view, const int* keys, int keyCount,
                                                     const std::wstring& ownNumberShown, int filledSlots)
{
    std::wstring left;
    const bool empty = !view || view->IsEmpty();
    switch (view ? view->Kind() : ViewKind::Base) {
    case ViewKind::KeypadSearch: {
        std::wstring typed;
        for (int index = 0; index < keyCount; ++index)
            typed += static_cast<wchar_t>(L'0' + keys[index]);
        left = FormatResource(empty ? IDS_SEARCH_EMPTY : IDS_SEARCH, typed);
        break;
    }
    case ViewKind::Duplicates:
        left = ResourceText(empty ? IDS_NO_DUPLICATES : IDS_DUPLICATES);
        break;
    case ViewKind::Redundant:
        left = ResourceText(empty ? IDS_NO_REDUNDANT : IDS_REDUNDANT);
        break;
    default:
        left = ResourceText(IDS_OWN_NUMBER_LABEL) + L" " + ownNumberShown;
        break;
    }
    wchar_t right[32] = {};
    _snwprintf(right, 31, L" S%d/%d", view ? view->MarkedCount() : 0, filledSlots);
    return {left, right};
}

RowText DisplayField(const PhonebookSlot& slot, DisplayKey display, const DisplayRuleList* rules)
{
    if (display == DisplayKey::Numbers) {
        if (slot.Number().IsEmpty())
            return {ResourceText(IDS_NO_NUMBER), true};
        return {std::wstring(rules ? rules->Apply(slot.Number()).Chars() : slot.Number().Chars()), false};
    }
    if (slot.Name().IsEmpty())
        return {ResourceText(IDS_NO_NAME), true};
    return {std::wstring(slot.Name().Chars()), false};
}

RowText OtherField(const PhonebookSlot& slot, DisplayKey display, const DisplayRuleList* rules)
{
    return DisplayField(slot, display == DisplayKey::Names ? DisplayKey::Numbers : DisplayKey::Names, rules);
}

std::pair<int, int> MatchedRange(const std::wstring& shown, int matchPosition, int keyCount, DisplayKey display)
{
    const int length = static_cast<int>(shown.size());
    if (matchPosition < 0 || matchPosition == NoMatch || keyCount <= 0)
        return {0, 0};
    if (display == DisplayKey::Names) {
        const int first = std::min(matchPosition, length);
        return {first, std::min(first + keyCount, length)};
    }
    int counted = 0;
    int first = -1;
    for (int index = 0; index < length; ++index) {
        if (!IsCountedInMatch(shown[static_cast<std::size_t>(index)]))
            continue;
        if (counted == matchPosition)
            first = index;
        if (counted == matchPosition + keyCount - 1)
            return {first, index + 1};
        ++counted;
    }
    return first < 0 ? std::pair{0, 0} : std::pair{first, length};
}

// ---- the painter ------------------------------------------------------------------------

bool EntryListPainter::Create(bool largeFont)
{
    m_geometry = ListGeometry::For(largeFont);
    m_titleFace = ResourceText(IDS_TITLE_FONT);
    if (m_titleFace.empty() || m_titleFace.size() >= LF_FACESIZE)
        m_titleFace = L"Tahoma";
    m_fonts.clear();
    m_rowFont = MakeFont(m_geometry.rowFontHeight, FW_NORMAL);
    return static_cast<bool>(m_rowFont);
}

vellumate::FontHandle EntryListPainter::MakeFont(int height, int weight) const noexcept
{
    // Heights are cell heights, as the handset's fonts are measured.
    return vellumate::FontHandle(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                             DEFAULT_PITCH | FF_SWISS, m_titleFace.c_str()));
}

HFONT EntryListPainter::Font(int height, int weight)
{
    auto found = m_fonts.find({height, weight});
    if (found == m_fonts.end())
        found = m_fonts.emplace(std::pair{height, weight}, MakeFont(height, weight)).first;
    return found->second.Get();
}

HFONT EntryListPainter::FittingFont(HDC dc, const std::wstring& text, int width, int height, int step, int tries)
{
    HFONT font = Font(height, FW_BOLD);
    for (int attempt = 0; attempt < tries && height - step > 0; ++attempt) {
        SelectObject(dc, font);
        if (TextWidth(dc, text) <= width)
            break;
        height -= step;
        font = Font(height, FW_BOLD);
    }
    return font;
}

void EntryListPainter::Paint(HDC dc, const RECT& client, const ListPicture& picture)
{
    SetBkMode(dc, TRANSPARENT);
    const HGDIOBJ oldFont = SelectObject(dc, m_rowFont.Get());
    PaintTitle(dc, m_geometry.TitleRect(client), picture);
    PaintRows(dc, m_geometry.ListRect(client), picture);
    PaintDetail(dc, m_geometry.DetailRect(client), picture);
    SelectObject(dc, oldFont);
}

void EntryListPainter::PaintTitle(HDC dc, const RECT& band, const ListPicture& picture)
{
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    vellumate::FillSolid(dc, band, Blend(highlight, RGB(0, 0, 0), 1, 4));
    const int width = band.right - band.left - 2 * BandMargin;
    HFONT font =
        FittingFont(dc, picture.titleLeft + picture.titleRight, width, m_geometry.titleFontHeight, 1, TitleTries);
    SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int y = band.top + (band.bottom - band.top - metrics.tmHeight) / 2;
    const int rightWidth = TextWidth(dc, picture.titleRight);
    const COLORREF text = GetSysColor(COLOR_HIGHLIGHTTEXT);
    RECT leftClip = band;
    leftClip.right = band.right - BandMargin - rightWidth;
    DrawTextAt(dc, band.left + BandMargin, y, picture.titleLeft, leftClip, text);
    DrawTextAt(dc, band.right - BandMargin - rightWidth, y, picture.titleRight, band, text);
    SelectObject(dc, m_rowFont.Get());
}

void EntryListPainter::PaintRows(HDC dc, const RECT& list, const ListPicture& picture)
{
    const COLORREF background = Blend(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_HIGHLIGHT), 1, 8);
    vellumate::FillSolid(dc, list, background);
    if (!picture.view)
        return;
    const EntryView& view = *picture.view;
    for (int row = view.TopRow(), y = list.top; row < view.RowCount() && y < list.bottom;
         ++row, y += m_geometry.rowHeight) {
        const RECT rect{list.left, y, list.right, std::min<LONG>(y + m_geometry.rowHeight, list.bottom)};
        PaintRow(dc, rect, picture, row);
    }
}

void EntryListPainter::PaintRow(HDC dc, const RECT& rect, const ListPicture& picture, int row)
{
    const EntryView& view = *picture.view;
    const ViewRow& entry = view.Row(row);
    if (!entry.slot)
        return;
    const bool focused = row == view.FocusedRow();
    const bool marked = (entry.flags & RowMarked) != 0;
    const COLORREF textColour = GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    if (focused)
        vellumate::FillSolid(dc, rect, GetSysColor(COLOR_HIGHLIGHT));

    const int centre = (rect.top + rect.bottom) / 2;
    if (view.MultiSelect())
        DrawCheckBox(dc, CheckLeft, centre, marked, textColour);
    else if (marked)
        DrawCheckMark(dc, CheckLeft, centre, textColour);

    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int y = rect.top + (rect.bottom - rect.top - metrics.tmHeight) / 2;
    RECT clip = rect;
    if (focused) {
        wchar_t position[32] = {};
        _snwprintf(position, 31, L"%d/%d", row + 1, view.RowCount());
        const std::wstring text(position);
        const int width = TextWidth(dc, text);
        DrawTextAt(dc, rect.right - BandMargin - width, y, text, rect, textColour);
        clip.right = rect.right - 2 * BandMargin - width;
    }

    const RowText shown = DisplayField(*entry.slot, picture.display, picture.rules);
    if (shown.missing) {
        DrawTextAt(dc, rect.left + TextLeft, y, shown.text, clip, MissingColour);
        return;
    }
    const auto [first, end] = view.Kind() == ViewKind::KeypadSearch || entry.matchPosition != NoMatch
                                  ? MatchedRange(shown.text, entry.matchPosition, view.KeyCount(), picture.display)
                                  : std::pair{0, 0};
    // Three pieces: before, matched, after; each drawn where the previous ended.
    int x = rect.left + TextLeft;
    const COLORREF matchColour = focused ? MatchOnHighlightColour : MatchColour;
    const std::wstring pieces[] = {
        shown.text.substr(0, static_cast<std::size_t>(first)),
        shown.text.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(end - first)),
        shown.text.substr(static_cast<std::size_t>(end))};
    for (int piece = 0; piece < 3; ++piece) {
        const std::wstring& text = pieces[piece];
        if (text.empty())
            continue;
        DrawTextAt(dc, x, y, text, clip, piece == 1 ? matchColour : textColour);
        x += TextWidth(dc, text);
    }
}

void EntryListPainter::PaintDetail(HDC dc, const RECT& band, const ListPicture& picture)
{
    vellumate::FillSolid(dc, band, GetSysColor(COLOR_WINDOW));
    RECT line = band;
    line.bottom = line.top + 1;
    vellumate::FillSolid(dc, line, GetSysColor(COLOR_HIGHLIGHT));
    const PhonebookSlot* slot = picture.view ? picture.view->FocusedSlot() : nullptr;
    if (!slot)
        return;
    const RowText shown = OtherField(*slot, picture.display, picture.rules);
    const int width = band.right - band.left - 2 * BandMargin;
    HFONT font = FittingFont(dc, shown.text, width, m_geometry.detailFontHeight, 2, DetailTries);
    SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int y = band.top + 1 + (band.bottom - band.top - 1 - metrics.tmHeight) / 2;
    DrawTextAt(dc, band.left + BandMargin, y, shown.text, band,
               shown.missing ? MissingColour : GetSysColor(COLOR_WINDOWTEXT));
    SelectObject(dc, m_rowFont.Get());
}

std::wstring EntryListPainter::ScreenText(const RECT& client, const ListPicture& picture) const
{
    std::wstring text = picture.titleLeft + L"  " + picture.titleRight + L"\n";
    if (!picture.view)
        return text;
    const EntryView& view = *picture.view;
    const int rows = m_geometry.RowsPerPage(client);
    for (int row = view.TopRow(); row < view.RowCount() && row < view.TopRow() + rows; ++row) {
        const ViewRow& entry = view.Row(row);
        if (!entry.slot)
            continue;
        const bool marked = (entry.flags & RowMarked) != 0;
        text += row == view.FocusedRow() ? L"> " : L"  ";
        if (view.MultiSelect())
            text += marked ? L"[x] " : L"[ ] ";
        else if (marked)
            text += L"[x] ";
        text += DisplayField(*entry.slot, picture.display, picture.rules).text;
        if (row == view.FocusedRow())
            text += L"  " + std::to_wstring(row + 1) + L"/" + std::to_wstring(view.RowCount());
        text += L"\n";
    }
    if (const PhonebookSlot* slot = view.FocusedSlot())
        text += L"= " + OtherField(*slot, picture.display, picture.rules).text + L"\n";
    return text;
}
