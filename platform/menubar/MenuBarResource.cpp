#include "platform/menubar/MenuBarResource.h"

namespace vellumate {
namespace {

// A MENUEX resource starts with version 1, a MENU resource with version 0.
// Only MENUEX gives popup items an id of their own; in a MENU resource the
// system reports the submenu's handle there, which is no command.
bool IsExtendedMenu(HINSTANCE module, UINT id)
{
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_MENU);
    if (!found || ::SizeofResource(module, found) < sizeof(WORD))
        return false;
    const HGLOBAL loaded = ::LoadResource(module, found);
    const auto* header = loaded ? static_cast<const WORD*>(::LockResource(loaded)) : nullptr;
    return header && header[0] == 1;
}

}  // namespace

std::wstring DisplayText(std::wstring_view itemText)
{
    std::wstring shown;
    shown.reserve(itemText.size());
    for (std::size_t index = 0; index < itemText.size(); ++index) {
        const wchar_t unit = itemText[index];
        if (unit == L'\t')
            break;
        if (unit == L'&') {
            if (index + 1 < itemText.size() && itemText[index + 1] == L'&')
                shown += L'&', ++index;
            continue;
        }
        shown += unit;
    }
    return shown;
}

std::wstring MenuItemText(HMENU menu, UINT position)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    if (!::GetMenuItemInfoW(menu, position, TRUE, &info) || info.cch == 0)
        return {};
    std::wstring text(info.cch + 1, L'\0');
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    if (!::GetMenuItemInfoW(menu, position, TRUE, &info))
        return {};
    text.resize(info.cch);
    return text;
}

std::optional<MenuBarLayout> LoadMenuBar(HINSTANCE module, UINT id)
{
    MenuBarLayout layout;
    layout.menu = MenuHandle(::LoadMenuW(module, MAKEINTRESOURCEW(id)));
    if (!layout.menu)
        return std::nullopt;
    const int count = ::GetMenuItemCount(layout.menu.Get());
    if (count <= 0)
        return std::nullopt;

    const bool extended = IsExtendedMenu(module, id);
    for (int key = 0; key < SoftKeyCount && key < count; ++key) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE;
        if (!::GetMenuItemInfoW(layout.menu.Get(), static_cast<UINT>(key), TRUE, &info))
            continue;
        SoftKeyButton& button = layout.buttons[static_cast<std::size_t>(key)];
        button.present = !(info.fType & MFT_SEPARATOR);
        button.text = DisplayText(MenuItemText(layout.menu.Get(), static_cast<UINT>(key)));
        button.popup = info.hSubMenu != nullptr;
        button.command = button.popup && !extended ? 0 : info.wID;
        button.enabled = !(info.fState & MFS_GRAYED);
    }
    return layout;
}

}  // namespace vellumate
