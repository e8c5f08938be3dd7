// The header and footer strips the main window paints above and below the
// panes: in the list pane the current folder on top and the selection below,
// in the tree pane the current folder's folder and file counts below.
#pragma once

#include "filemanager/FolderList.h"
#include "framework/String.h"

#include <windows.h>

inline constexpr int StripHeight = 20;
inline constexpr COLORREF StripColour = RGB(255, 255, 164);

struct StripTexts {
    String header;  // empty in the tree pane
    String footerLeft;
    String footerRight;  // right-aligned
};

// The tree pane's footer: string 43151 with the folder and file counts.
StripTexts TreeStripTexts(int folders, int files);

// The list pane's strips: the folder's path and "\"; the selected count (a
// selected ".." included) and the item count (without ".."), and the date of a
// single selected item other than ".." or the total size of several.
StripTexts ListStripTexts(const String& currentPath, const FolderList& list);

// Paints the footer over the bottom 20 pixels of `client` and, with a header
// text, the header over the top 20, each cut to fit; returns their screen
// text, one line per strip.
String PaintStrips(HDC dc, const RECT& client, const StripTexts& texts, HFONT font);
