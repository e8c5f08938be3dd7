// Display helpers: the handset's large-font setting and solid fills.
#pragma once

#include <windows.h>

// Whether the user chose the large interface font: the DWORD "FontSize" under
// HKCU\ControlPanel\Accessibility equals 2 (a missing key or value counts as
// 1, the normal size). With refresh the setting is read again and remembered;
// without it the remembered answer is returned (false before the first read).
bool IsLargeFontSet(bool refresh);

// Fills a rectangle with a solid colour, leaving the DC's background colour
// as it was.
void FillRectColor(HDC dc, const RECT& rect, COLORREF colour);
void FillRectColor(HDC dc, int x, int y, int width, int height, COLORREF colour);
