// Cutting a one-line text to the width it is drawn in, as the list's name
// column and the header strip do.
#pragma once

#include "framework/String.h"

#include <windows.h>

#include <functional>

// The width of a text in pixels (the first `length` characters of `text`).
using TextMeasure = std::function<int(const wchar_t* text, int length)>;

// The text as it fits `width` pixels: whole when it fits; otherwise cut to
// (characters x width / text width) - 3 characters with "..." appended, and
// shortened further while that is still too wide (a text of wide letters
// defeats the estimate). Empty when no character remains. A cut never
// separates the two halves of a surrogate pair.
String FitText(const String& text, int width, const TextMeasure& measure);

// FitText with the DC's current font.
String FitText(HDC dc, const String& text, int width);

// The width of the text in the DC's current font.
int TextWidth(HDC dc, const wchar_t* text, int length);
