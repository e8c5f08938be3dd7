// The intro (3): what the program does, and a box to not be told again.
#pragma once

#include "framework/Dialogs.h"

#include <windows.h>

class IntroDialog : public DialogCore {
public:
    IntroDialog(HWND parent, HFONT font) noexcept;

    // OK with the box ticked.
    bool DontShowAgain() const noexcept { return m_dontShowAgain; }

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    HFONT m_font;
    bool m_dontShowAgain = false;
};
