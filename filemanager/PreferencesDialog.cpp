#include "filemanager/PreferencesDialog.h"

#include "filemanager/NameDialogsResources.h"
#include "filemanager/PreferencesDialogControls.h"
#include "filemanager/Settings.h"

#include <algorithm>

namespace {

// Above a box that comes into view at the top, room for its group's heading.
constexpr int HeadingRoom = 18;

DWORD AllPreferenceBits()
{
    DWORD bits = 0;
    for (const PreferenceBox& box : PreferenceBoxes)
        bits |= box.bit;
    return bits;
}

}  // namespace

const PreferenceBox PreferenceBoxes[11] = {
    {IDC_PREF_LIST_FOLDERS, 0x001}, {IDC_PREF_HIDE_EXTENSIONS, 0x002}, {IDC_PREF_SMALL_FONT, 0x008},
    {IDC_PREF_HIDE_HIDDEN, 0x010},  {IDC_PREF_HIDE_SYSTEM, 0x100},     {IDC_PREF_HIDE_ROM, 0x200},
    {IDC_PREF_ASK_REPLACE, 0x020},  {IDC_PREF_ASK_DELETE, 0x040},      {IDC_PREF_REMEMBER_FOLDER, 0x004},
    {IDC_PREF_FOLLOW_CARDS, 0x080}, {IDC_PREF_ZIP_ON_CARD, 0x400},
};

PreferencesDialog::PreferencesDialog(HWND parent, DWORD preferences)
    : DialogCore(IDD_PREFERENCES, parent, IDM_PREFERENCES_BAR, IDS_PREFERENCES_TITLE, true), m_preferences(preferences)
{
}

InitResult PreferencesDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    m_scrolled = 0;
    m_headings.Apply(Window(), {{IDC_PREF_HEAD_LIST, IDS_PREFS_LIST},
                                {IDC_PREF_HEAD_FOLDERS, IDS_PREFS_FOLDERS},
                                {IDC_PREF_HEAD_QUESTIONS, IDS_PREFS_QUESTIONS},
                                {IDC_PREF_HEAD_FILES, IDS_PREFS_FILES}});
    ShowBits(m_preferences);
    if (HWND first = GetDlgItem(Window(), IDC_PREF_LIST_FOLDERS)) {
        SetFocus(first);
        m_focusSet = true;
    }
    return InitResult::Continue;
}

void PreferencesDialog::ShowBits(DWORD preferences)
{
    for (const PreferenceBox& box : PreferenceBoxes)
        CheckDlgButton(Window(), box.control, (preferences & box.bit) ? BST_CHECKED : BST_UNCHECKED);
}

DWORD PreferencesDialog::ReadBits() const
{
    // Bits the dialog has no box for stay as they were.
    DWORD preferences = m_preferences & ~AllPreferenceBits();
    for (const PreferenceBox& box : PreferenceBoxes)
        if (IsDlgButtonChecked(Window(), box.control) == BST_CHECKED)
            preferences |= box.bit;
    return preferences;
}

void PreferencesDialog::ScrollIntoView(HWND control)
{
    RECT client{};
    GetClientRect(Window(), &client);
    RECT box{};
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&box), 2);
    int move = 0;  // pixels the contents go up
    if (GetDlgCtrlID(control) == PreferenceBoxes[0].control)
        move = -m_scrolled;  // back to the top, the first heading with it
    else if (box.bottom > client.bottom)
        move = box.bottom - client.bottom + 2;
    else if (box.top < HeadingRoom)
        move = std::max(static_cast<int>(box.top) - HeadingRoom, -m_scrolled);
    if (move == 0)
        return;
    m_scrolled += move;
    ScrollWindowEx(Window(), 0, -move, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

bool PreferencesDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_COMMAND)
        return DialogCore::HandleMessage(window, message, wParam, lParam, result);
    result = 0;
    if (HIWORD(wParam) == BN_SETFOCUS && lParam) {
        ScrollIntoView(reinterpret_cast<HWND>(lParam));
        return true;
    }
    // The action key on a box ticks it, as it does on the handset; only the
    // soft key takes the boxes.
    if (LOWORD(wParam) == IDOK) {
        HWND focus = GetFocus();
        if (focus && GetParent(focus) == window)
            SendMessageW(focus, BM_CLICK, 0, 0);
        return true;
    }
    const auto ok = [&] {
        m_preferences = ReadBits();
        m_accepted = true;
        EndDialog(window, IDOK);
    };
    if (OnOkOrCancel(message, wParam, ID_DIALOG_OK, ID_DIALOG_CANCEL, ok, [&] { EndDialog(window, IDCANCEL); }))
        return true;
    switch (LOWORD(wParam)) {
    case ID_PREFERENCE_DEFAULTS:
        ShowBits(DefaultPreferences);
        return true;
    default:
        return DialogCore::HandleMessage(window, message, wParam, lParam, result);
    }
}
