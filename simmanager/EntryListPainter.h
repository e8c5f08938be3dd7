// Drawing Pellory's list: the title band, the rows of a view and the detail
// band, through an off-screen bitmap; and the same picture as screen text for
// the session driver. The mark dialog draws its copy of the view with it too.
#pragma once

#include "simmanager/DisplayRules.h"
#include "simmanager/EntryView.h"

#include "platform/Handles.h"

#include <windows.h>

#include <map>
#include <string>
#include <utility>

// Where things are, in pixels of the client area; the large system font
// makes rows and bands taller.
struct ListGeometry {
    int rowHeight = 16;
    int titleHeight = 18;   // the list starts below the title band
    int detailHeight = 34;  // the list ends above the detail band
    int pageSlack = 8;      // a partly visible last row still counts as a page row
    int rowFontHeight = 14;
    int titleFontHeight = 12;
    int detailFontHeight = 27;

    static ListGeometry For(bool largeFont) noexcept;

    int RowsPerPage(const RECT& client) const noexcept;
    RECT TitleRect(const RECT& client) const noexcept;
    RECT ListRect(const RECT& client) const noexcept;
    RECT DetailRect(const RECT& client) const noexcept;
};

// What one picture shows.
struct ListPicture {
    const EntryView* view = nullptr;  // null: an empty list
    DisplayKey display = DisplayKey::Names;
    const DisplayRuleList* rules = nullptr;
    std::wstring titleLeft;
    std::wstring titleRight;
};

// The title band's two texts: the own number (or the filter that is shown)
// at the left, the marked and filled counts at the right.
std::pair<std::wstring, std::wstring> MakeTitleTexts(const EntryView* view, const int* keys, int keyCount,
                                                     const std::wstring& ownNumberShown, int filledSlots);

// A row's text: the display field, or the grey stand-in of an empty one.
struct RowText {
    std::wstring text;
    bool missing = false;  // drawn in grey
};
RowText DisplayField(const PhonebookSlot& slot, DisplayKey display, const DisplayRuleList* rules);
// The detail band's text: the field the rows do not show.
RowText OtherField(const PhonebookSlot& slot, DisplayKey display, const DisplayRuleList* rules);

// Which characters of a shown text the keypad search matched: [first, end).
// Numbers are shown laid out by the rules, so their match counts only the
// digits, "p", "w" and "+" of the shown text.
std::pair<int, int> MatchedRange(const std::wstring& shown, int matchPosition, int keyCount, DisplayKey display);

class EntryListPainter {
public:
    // False when the fonts cannot be made.
    bool Create(bool largeFont);

    const ListGeometry& Geometry() const noexcept { return m_geometry; }

    void Paint(HDC dc, const RECT& client, const ListPicture& picture);
    // The picture as lines of text: the title, the visible rows ("> " before
    // the focused one, "[x] " on a marked one) and the detail band.
    std::wstring ScreenText(const RECT& client, const ListPicture& picture) const;

private:
    vellumate::FontHandle MakeFont(int height, int weight) const noexcept;
    HFONT Font(int height, int weight);
    // The largest font of the family that fits `width`, shrinking by `step`
    // at most `tries` times.
    HFONT FittingFont(HDC dc, const std::wstring& text, int width, int height, int step, int tries);

    void PaintTitle(HDC dc, const RECT& band, const ListPicture& picture);
    void PaintRows(HDC dc, const RECT& list, const ListPicture& picture);
    void PaintRow(HDC dc, const RECT& rect, const ListPicture& picture, int row);
    void PaintDetail(HDC dc, const RECT& band, const ListPicture& picture);

    ListGeometry m_geometry;
    std::wstring m_titleFace;
    vellumate::FontHandle m_rowFont;
    std::map<std::pair<int, int>, vellumate::FontHandle> m_fonts;  // (height, weight) of the title face
};
