// tobex.exe, the handset's beam receiver: a full-screen window that says it
// is waiting and lists the files of the handset's own inbox, the folder
// "\My Documents\Received Beams" where objects beamed to this handset land,
// looked at again every second so that what arrives shows up. The soft key
// or Back closes it.
#pragma once

#include "platform/WindowBase.h"

#include <string>
#include <vector>

namespace vellumate {

inline constexpr wchar_t ReceiverClass[] = L"VellumateBeamReceiver";
inline constexpr wchar_t ReceiverTitle[] = L"Receive Beam";
inline constexpr wchar_t OwnInbox[] = L"\\My Documents\\Received Beams";

// The names of the files in a folder (a Win32 path), sorted.
std::vector<std::wstring> FilesIn(const std::wstring& folder);

class ReceiverWindow : public WindowBase<ReceiverWindow> {
public:
    bool Create(HINSTANCE instance);

private:
    friend class WindowBase<ReceiverWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Look();
    void Paint();

    std::vector<std::wstring> m_files;
    HWND m_menuBar = nullptr;
};

}  // namespace vellumate
