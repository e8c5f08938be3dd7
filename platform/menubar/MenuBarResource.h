// A menu bar resource read into the two soft keys it describes. The resource
// is an ordinary MENU or MENUEX: its first top-level item is the left soft key,
// its second the right one; a MENUITEM is a command button, a POPUP a button
// that opens its popup menu.
#pragma once

#include "platform/Handles.h"

#include <windows.h>

#include <array>
#include <optional>
#include <string>

namespace vellumate {

inline constexpr int LeftSoftKey = 0;
inline constexpr int RightSoftKey = 1;
inline constexpr int SoftKeyCount = 2;

struct SoftKeyButton {
    bool present = false;  // the resource has an item for this key
    std::wstring text;     // as shown: accelerator marks removed
    UINT command = 0;      // the item's id; for a POPUP of a MENU resource 0
    bool popup = false;    // opens the submenu at this position of the bar's menu
    bool enabled = true;
    bool hidden = false;
};

struct MenuBarLayout {
    MenuHandle menu;  // the whole resource; popups are its submenus
    std::array<SoftKeyButton, SoftKeyCount> buttons;
};

// Reads menu bar `id` from `module`; nothing when the resource is missing or
// holds no item at all.
std::optional<MenuBarLayout> LoadMenuBar(HINSTANCE module, UINT id);

// A menu item's text as the handset shows it: "&" marks dropped ("&&" stays
// one "&") and anything after a tab (a desktop shortcut hint) left out.
std::wstring DisplayText(std::wstring_view itemText);

// The text of item `position` of `menu`, as stored.
std::wstring MenuItemText(HMENU menu, UINT position);

}  // namespace vellumate
