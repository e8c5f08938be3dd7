// vmview.exe, the handset's document viewer: a full-screen window that shows
// the name of the file it was started for and the first lines of its text,
// so that opening a file has an effect a person can see. The soft key or
// Back closes it.
#pragma once

#include "platform/WindowBase.h"

#include <string>
#include <string_view>

namespace vellumate {

inline constexpr wchar_t ViewerClass[] = L"VellumateViewer";
inline constexpr wchar_t ViewerTitle[] = L"Viewer";

// The file a command line names: the whole line (the shell passes a path
// with blanks unquoted), without surrounding blanks and quotation marks.
std::wstring ViewedFileOf(std::wstring_view commandLine);

// What the viewer shows of a file's bytes: at most `maxLines` lines, each cut
// to `maxColumns` characters, tabs as blanks.
std::wstring FirstLines(std::string_view bytes, int maxLines, int maxColumns);

class ViewerWindow : public WindowBase<ViewerWindow> {
public:
    explicit ViewerWindow(std::wstring file) : m_file(std::move(file)) {}

    bool Create(HINSTANCE instance);

private:
    friend class WindowBase<ViewerWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Load();
    void Paint();

    std::wstring m_file;  // a handset path
    std::wstring m_name;  // its last component
    std::wstring m_text;  // the first lines, or why there are none
    HWND m_menuBar = nullptr;
};

}  // namespace vellumate
