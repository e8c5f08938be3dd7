// tmail.exe, the handset's mail program as other programs start it: with
// -attach "PATH" it opens a new message with the file attached. Send puts the
// message into the store's Outbox; Cancel or Back closes without it.
#pragma once

#include "platform/WindowBase.h"

#include <string>
#include <string_view>

namespace vellumate {

inline constexpr wchar_t MailClass[] = L"Inbox.MainWnd";
inline constexpr wchar_t MailTitle[] = L"Messaging";

// The path after -attach, without its quotation marks; empty without one.
std::wstring AttachmentOf(std::wstring_view commandLine);

class MailWindow : public WindowBase<MailWindow> {
public:
    explicit MailWindow(std::wstring attachment) : m_attachment(std::move(attachment)) {}

    bool Create(HINSTANCE instance);

private:
    friend class WindowBase<MailWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Send();
    void Paint();

    std::wstring m_attachment;
    std::wstring m_note;  // what the last send said
    HWND m_menuBar = nullptr;
};

}  // namespace vellumate
