// The fonts of the list and tree panes and of the strips.
#pragma once

#include "platform/Handles.h"

#include <windows.h>

// The height of the small pane font and of the strips' font, in pixels.
inline constexpr int SmallFontHeight = 14;

// With the small-font preference, a 14-pixel normal-weight font that
// otherwise has the attributes of the system font; without it an empty
// handle: the pane then uses the system font itself.
vellumate::FontHandle MakePaneFont(DWORD preferences);

// The font of the header and footer strips: 14 pixels, normal weight.
vellumate::FontHandle MakeStripFont();
