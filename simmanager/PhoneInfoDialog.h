// The phone information dialog: one line per figure that is known, a label
// at the left and its values at the right, stacked from the top. When the
// values take more than six lines the dialog scrolls, with Up and Down.
#pragma once

#include "simmanager/PhoneInfo.h"

#include "framework/DialogPane.h"
#include "framework/Dialogs.h"

#include <windows.h>

class PhoneInfoDialog final : public DialogCore, private DialogPane::Host {
public:
    // Value lines shown before the dialog needs to scroll.
    static constexpr int MaxUnscrolledLines = 6;

    PhoneInfoDialog(HWND parent, PhoneInfo info);

    // Pixels the lines are scrolled up, and how tall they are together.
    int ScrollOffset() const noexcept { return m_offset; }
    int ContentHeight() const noexcept { return m_contentHeight; }

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void FillValues();
    void PlaceLines();
    void ScrollTo(int offset);

    void PaintPane(HWND pane) override;
    void PaneKey(UINT key) override;

    PhoneInfo m_info;
    DialogPane m_keys{*this};
    int m_pitch = 0;  // from one value line to the next
    int m_contentHeight = 0;
    int m_offset = 0;
};
