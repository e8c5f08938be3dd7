// The preferences dialog (122): one check box per preference bit under four
// bold headings, taller than the screen, so it scrolls to keep the focused
// box in view. OK takes the boxes; Defaults only sets the boxes.
#pragma once

#include "filemanager/DialogParts.h"
#include "framework/Dialogs.h"

#include <windows.h>

// The check boxes of the dialog and their bits, in the order of the dialog.
struct PreferenceBox {
    int control;
    DWORD bit;
};
extern const PreferenceBox PreferenceBoxes[11];

class PreferencesDialog : public DialogCore {
public:
    PreferencesDialog(HWND parent, DWORD preferences);

    bool Accepted() const noexcept { return m_accepted; }
    // The preferences chosen on OK; before OK, or after Cancel, the ones the
    // dialog started with.
    DWORD Preferences() const noexcept { return m_preferences; }

protected:
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    InitResult InitDialog() override;

private:
    void ShowBits(DWORD preferences);
    DWORD ReadBits() const;
    // Scrolls the dialog so that `control` (and the heading above the first
    // box of a group) can be seen.
    void ScrollIntoView(HWND control);

    DWORD m_preferences;
    bool m_accepted = false;
    int m_scrolled = 0;  // pixels the contents are moved up
    DialogHeadings m_headings;
};
