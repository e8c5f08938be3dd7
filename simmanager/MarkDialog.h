// The mark dialog (118): a copy of the current view, shown full-screen with a
// check box on every row. The action key marks or clears the focused row;
// the menu marks or clears every row. Done hands the marks back to the
// caller, Cancel forgets them.
#pragma once

#include "simmanager/EntryListPainter.h"

#include "framework/DialogPane.h"
#include "framework/Dialogs.h"


#include <windows.h>

#include <string>

class MarkDialog : public DialogCore, private DialogPane::Host {
public:
    // `copy` is the kind-1 copy of the current view; the dialog changes its
    // marks and focus. The title band shows `ownNumber` and `filledSlots`.
    MarkDialog(HWND parent, EntryView& copy, EntryListPainter& painter, ListPicture look, std::wstring ownNumber,
               int filledSlots) noexcept;

    bool Done() const noexcept { return m_done; }

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The list inside the dialog.
    void PaneKey(UINT key) override;
    void PaintPane(HWND pane) override;
    void Changed();
    bool OnCommand(UINT command);

    EntryView& m_copy;
    EntryListPainter& m_painter;
    ListPicture m_look;
    std::wstring m_ownNumber;
    int m_filledSlots;
    DialogPane m_pane;
    bool m_done = false;
};
