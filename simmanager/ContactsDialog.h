// The contacts list (dialog 136): every contact with a name line and a line
// per number, drawn by the dialog itself. Up and down move the focus a line,
// left and right a page; the action key marks a number, or all numbers of
// the contact on its name line; the menu marks or clears every number. Copy
// hands the marks to the caller, which may keep the dialog open.
#pragma once

#include "simmanager/ContactList.h"

#include "framework/DialogPane.h"
#include "framework/Dialogs.h"

#include "platform/Handles.h"

#include <windows.h>

#include <functional>
#include <string>

// Where the lines are: 18 pixels each (20 with the large font), as many as
// fit 180 pixels to a page.
struct ContactListGeometry {
    int lineHeight = 18;
    int pageLines = 180 / 18;

    static ContactListGeometry For(bool largeFont) noexcept;
};

// The list as lines of text for the session driver: "> " before the focused
// line, "[x] " on a marked one; a name line ends with "i/n", a number line
// with its label.
std::wstring ContactListText(const ContactList& list, int page);

class ContactsDialog : public DialogCore, private DialogPane::Host {
public:
    // `copy` runs on the copy command over the dialog; true closes it.
    using CopyAction = std::function<bool(HWND dialog)>;

    ContactsDialog(HWND parent, ContactList& list, CopyAction copy) noexcept;

    bool Copied() const noexcept { return m_copied; }

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void PaneKey(UINT key) override;
    void PaintPane(HWND pane) override;
    void PaintLine(HDC dc, const RECT& rect, int line);
    void Changed();
    bool OnCommand(UINT command);

    ContactList& m_list;
    CopyAction m_copy;
    ContactListGeometry m_geometry;
    vellumate::FontHandle m_font;
    vellumate::FontHandle m_nameFont;
    DialogPane m_pane;
    bool m_copied = false;
};
