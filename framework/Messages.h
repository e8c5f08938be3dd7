// The message box through which every error and notice reaches the user.
#pragma once

#include "framework/Errors.h"
#include "framework/String.h"

#include <windows.h>

// The text of a message box: the message string (cut to 256 characters; the
// generic message when missing), a line feed and the second message's string
// when there is one, formatted with args; then a line feed and
// "code1:code2:code3" when code1 is non-zero, and a line feed and the error
// record's text (cut to 255 characters) when a record is given. Without args
// the strings are used as they are, never as a format.
template <typename... Args>
String ComposeMessage(UINT message, UINT secondMessage, DWORD code1, DWORD code2, DWORD code3, ErrorInfo* error,
                      const Args&... args);

// The style a message box is shown with: 0 becomes the exclamation icon with
// OK; the abort/retry/ignore buttons become retry/cancel, other bits kept.
UINT MessageBoxStyle(UINT style) noexcept;

// Shows text in the platform's message box, captioned with the program title.
// A null or destroyed owner is replaced by the active window. Returns the
// button chosen.
int ShowMessageText(HWND owner, const wchar_t* text, UINT style);

// ComposeMessage shown through ShowMessageText with MessageBoxStyle(style).
template <typename... Args>
int ShowMessage(HWND owner, UINT message, UINT secondMessage, UINT style, DWORD code1, DWORD code2, DWORD code3,
                ErrorInfo* error, const Args&... args)
{
    return ShowMessageText(owner, ComposeMessage(message, secondMessage, code1, code2, code3, error, args...),
                           MessageBoxStyle(style));
}

namespace message_detail {
String LoadMessageStrings(UINT message, UINT secondMessage);
void AppendDetails(String& text, DWORD code1, DWORD code2, DWORD code3, ErrorInfo* error);
}  // namespace message_detail

template <typename... Args>
String ComposeMessage(UINT message, UINT secondMessage, DWORD code1, DWORD code2, DWORD code3, ErrorInfo* error,
                      const Args&... args)
{
    String text = message_detail::LoadMessageStrings(message, secondMessage);
    if constexpr (sizeof...(Args) > 0) {
        String format = text;
        text.FormatText(format, args...);
    }
    message_detail::AppendDetails(text, code1, code2, code3, error);
    return text;
}
