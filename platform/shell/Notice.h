// A short message from the shell in the handset's manner: a panel at the
// bottom of the screen with the text above a soft-key bar reading "OK". A
// desktop message box would not fit on a 176-pixel screen.
#pragma once

#include "platform/Handles.h"
#include "platform/WindowBase.h"

#include <string>

namespace vellumate {

inline constexpr wchar_t NoticeClass[] = L"VellumateNotice";
inline constexpr int NoticeTextId = 100;  // the static control that holds the message

enum class NoticeKind { Information, Error };

// Shows the notice over `owner` and returns when the user dismisses it with
// the action key, Back or either soft key. The owner is disabled meanwhile.
void ShowNotice(HINSTANCE instance, HWND owner, const std::wstring& caption, const std::wstring& text, NoticeKind kind);

class Notice : public WindowBase<Notice> {
public:
    bool Create(HINSTANCE instance, HWND owner, const std::wstring& caption, const std::wstring& text, NoticeKind kind);
    bool Dismissed() const noexcept { return m_dismissed; }

private:
    friend class WindowBase<Notice>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();

    FontHandle m_font;
    FontHandle m_barFont;
    BrushHandle m_background;
    HICON m_icon = nullptr;  // shared, never destroyed
    COLORREF m_edge = 0;     // the coloured edge on top tells errors from news
    bool m_dismissed = false;
};

}  // namespace vellumate
