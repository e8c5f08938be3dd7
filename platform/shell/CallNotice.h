// The shell's calling notice: when a program asks for a voice call, the
// screen below the title strip shows "Calling" and the number in large text
// (with the called party's name, if any) over a soft-key bar reading "End".
// End, Back or either soft key dismisses it; otherwise it goes by itself.
// It takes keys without stopping the shell: it is no modal loop.
#pragma once

#include "platform/Handles.h"
#include "platform/WindowBase.h"

#include <string>

namespace vellumate {

inline constexpr wchar_t CallNoticeClass[] = L"VellumateCallNotice";
inline constexpr UINT CallNoticeShownMs = 6000;

class CallNotice : public WindowBase<CallNotice> {
public:
    // Shows the notice (and brings it to the front); false when it cannot be
    // made. `shownMs` is how long it stays without a key.
    bool Create(HINSTANCE instance, const std::wstring& number, const std::wstring& calledParty,
                UINT shownMs = CallNoticeShownMs);
    // The text the notice shows, line by line ("Calling\n+441632960001").
    const std::wstring& Text() const noexcept { return m_text; }

private:
    friend class WindowBase<CallNotice>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();

    std::wstring m_number;
    std::wstring m_calledParty;
    std::wstring m_text;
    FontHandle m_labelFont;
    FontHandle m_numberFont;
    FontHandle m_barFont;
};

}  // namespace vellumate
