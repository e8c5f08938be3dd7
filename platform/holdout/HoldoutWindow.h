// A stand-in application of the handset that does not close when asked: its
// window takes WM_CLOSE and stays, so that a task manager's polite close
// fails and its terminate question has something real to act on.
//
// Its options choose the window's class and title, so that it can also stand
// in for an application the task manager knows by class ("Calendar"), and
// /closable makes it close when asked, as a well-behaved application does.
#pragma once

#include "platform/WindowBase.h"

#include <string>
#include <string_view>

namespace vellumate {

inline constexpr wchar_t HoldoutDefaultClass[] = L"VellumateHoldout";
inline constexpr wchar_t HoldoutDefaultTitle[] = L"Holdout";

struct HoldoutOptions {
    std::wstring className = HoldoutDefaultClass;
    std::wstring title = HoldoutDefaultTitle;
    bool closable = false;
};

// Reads "/class NAME", "/title TEXT" (a quoted text may hold blanks) and
// "/closable" from a command line without the program's name. Unknown words
// are ignored.
HoldoutOptions ParseHoldoutOptions(std::wstring_view commandLine);

class HoldoutWindow : public WindowBase<HoldoutWindow> {
public:
    explicit HoldoutWindow(HoldoutOptions options) : m_options(std::move(options)) {}

    bool Create(HINSTANCE instance);
    // How many close requests the window has refused.
    int RefusedCloses() const noexcept { return m_refused; }

private:
    friend class WindowBase<HoldoutWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();

    HoldoutOptions m_options;
    int m_refused = 0;
};

}  // namespace vellumate
