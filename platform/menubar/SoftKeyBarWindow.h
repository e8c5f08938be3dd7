// The window behind SHCreateMenuBar, class "menu_worker".
//
// The bar belongs to the screen, not to its parent's client area: it is a
// top-level popup at the bottom of the handset screen (0,200 - 176,220),
// owned by the parent's top-level window, so it stays above that window in Z
// order and goes away with it. It is shown while both hold: its own show state
// (ShowWindow on the bar, SHCMBF_HIDDEN) and the visibility of its parent; the
// thread's window watch (MenuBarThread) keeps the second in step. It never
// takes the activation or the focus: keys reach it through the thread's key
// router.
//
// For readers of the screen the bar publishes its buttons as screen text, one
// line per shown button: "left: Text" and "right: Text", with " (dimmed)"
// after a greyed one.
#pragma once

#include "platform/Handles.h"
#include "platform/SoftKeyBar.h"
#include "platform/WindowBase.h"
#include "platform/menubar/MenuBarResource.h"

#include <map>
#include <optional>
#include <string>

namespace vellumate {

inline constexpr wchar_t MenuBarClass[] = L"menu_worker";
// The window property that names a bar's parent, readable from any thread.
inline constexpr wchar_t MenuBarParentProperty[] = L"Vellumate.MenuBar.Parent";

class SoftKeyBarWindow : public WindowBase<SoftKeyBarWindow> {
public:
    // Creates the bar SHCreateMenuBar describes; nullptr when the parent is not
    // a window or the resource is missing.
    static HWND Create(const SHMENUBARINFO& info);

    // The bar object of a menu bar window of this process, or nullptr.
    static SoftKeyBarWindow* FromWindow(HWND window) noexcept;

    HWND Parent() const noexcept { return m_parent; }
    HWND Owner() const noexcept { return m_owner; }
    HMENU Menu() const noexcept { return m_menu.Get(); }
    const SoftKeyButton& Button(int key) const noexcept { return m_buttons[static_cast<std::size_t>(key)]; }

    // A button a key press can act on: present, shown and enabled.
    bool Usable(int key) const noexcept;
    // The SHCMBM_OVERRIDEKEY bits of a virtual key.
    UINT OverrideBits(UINT virtualKey) const noexcept;

    // The pressed look while a soft key is held, and the highlighted look of
    // the key whose popup is open.
    void SetPressed(int key, bool pressed);
    void SetOpenKey(std::optional<int> key);

    // What a soft key does when released: opens its popup (returns true), or
    // posts its command to the parent.
    bool IsPopupKey(int key) const noexcept;
    void PostCommand(int key) const;

    // Shows or hides the bar as its own show state and its parent's
    // visibility ask.
    void FollowParent();

private:
    friend class WindowBase<SoftKeyBarWindow>;

    SoftKeyBarWindow() = default;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Once made, the window owns its object. (A creation that fails half way
    // leaves the object with Create, which deletes it.)
    void OnFinalMessage() noexcept
    {
        if (m_ownedByWindow)
            delete this;
    }

    std::optional<int> KeyOf(UINT commandOrIndex, bool byIndex) const noexcept;
    LRESULT SetButtonInfo(WPARAM wParam, const TBBUTTONINFOW* info);
    LRESULT GetButtonInfo(WPARAM wParam, TBBUTTONINFOW* info) const;
    LRESULT SetSubmenu(UINT command, HMENU submenu);
    UINT OverrideKey(UINT virtualKey, UINT mask, UINT bits);
    void OnWindowPosChanging(WINDOWPOS& position);
    int KeyAt(int x) const noexcept;
    void Changed();
    void Paint();
    void Publish() const;

    HWND m_parent = nullptr;
    HWND m_owner = nullptr;
    MenuHandle m_menu;
    std::array<SoftKeyButton, SoftKeyCount> m_buttons;
    std::array<bool, SoftKeyCount> m_pressed{};
    std::optional<int> m_openKey;
    std::optional<int> m_mouseKey;
    std::map<UINT, UINT> m_overrides;  // virtual key -> SHMBOF_* bits
    bool m_ownedByWindow = false;
    bool m_wanted = true;      // the bar's own show state
    bool m_following = false;  // FollowParent is moving the bar
    FontHandle m_font;
};

}  // namespace vellumate
