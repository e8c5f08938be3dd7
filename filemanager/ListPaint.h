// Painting the list pane's rows: alternating row colours, the selection,
// each item's icon, its name cut to the name column and a file's size
// right-aligned beside it. Icons and size texts are fetched at a row's first
// painting and cached in the item, because the shell queries behind them are
// slow on the handset.
#pragma once

#include "filemanager/FolderList.h"
#include "framework/String.h"

#include "platform/Handles.h"

#include <windows.h>

#include <commctrl.h>

inline constexpr int ListRowHeight = 20;
// The colour of the even rows (0, 2, ... counted from the first visible row).
inline constexpr COLORREF EvenRowColour = RGB(180, 255, 255);
inline constexpr COLORREF OddRowColour = RGB(255, 255, 255);
// An item whose icon was asked for and that has none.
inline constexpr int NoIcon = -2;

// The name as a row shows it: with extensions hidden a file's name loses the
// text from its last "." (a name that starts with its only dot stays whole);
// folder names are shown whole.
String DisplayName(const FolderItem& item, DWORD preferences);

class ListPainter {
public:
    ListPainter();
    ~ListPainter();
    ListPainter(const ListPainter&) = delete;
    ListPainter& operator=(const ListPainter&) = delete;

    // Makes the font again for the preferences (the small-font bit).
    void SetPreferences(DWORD preferences);
    HFONT Font() const noexcept;

    // Empties the image list; the list has let its items go, and every
    // item's iconIndex is -1 again.
    void ClearIcons() noexcept;
    HIMAGELIST Images() const noexcept { return m_images; }

    // Paints the visible rows of `list` over `area` (the pane's whole client
    // area) with the name column ending at `nameColumnEnd`, and returns what
    // the rows show as screen text: one line per item, "> " before a
    // selected one and two spaces before the others.
    String Paint(HDC dc, const RECT& area, int nameColumnEnd, FolderList& list);

private:
    int IconOf(FolderList& list, int index);

    HIMAGELIST m_images = nullptr;
    vellumate::FontHandle m_font;
    DWORD m_preferences = 0;
};
