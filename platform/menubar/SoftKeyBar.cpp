// SHCreateMenuBar and SHFindMenuBar: the entry points of the soft-key bar.
#include "platform/SoftKeyBar.h"

#include "platform/menubar/SoftKeyBarWindow.h"

#include <string_view>

using namespace vellumate;

BOOL SHCreateMenuBar(SHMENUBARINFO* pmbi)
{
    if (!pmbi || pmbi->cbSize < sizeof(SHMENUBARINFO))
        return FALSE;
    pmbi->hwndMB = nullptr;
    try {
        pmbi->hwndMB = SoftKeyBarWindow::Create(*pmbi);
    } catch (...) {
        pmbi->hwndMB = nullptr;
    }
    return pmbi->hwndMB != nullptr;
}

namespace {

struct FindRequest {
    HWND parent;
    HWND found;
    bool foundShown;
};

BOOL CALLBACK CollectBar(HWND window, LPARAM lParam) noexcept
{
    auto* request = reinterpret_cast<FindRequest*>(lParam);
    wchar_t className[32] = L"";
    if (!::GetClassNameW(window, className, 32) || std::wstring_view(className) != MenuBarClass)
        return TRUE;
    if (::GetPropW(window, MenuBarParentProperty) != request->parent)
        return TRUE;
    // A parent may keep several bars and show one; the shown one is "its" bar.
    const bool shown = ::IsWindowVisible(window) != FALSE;
    if (!request->found || (shown && !request->foundShown)) {
        request->found = window;
        request->foundShown = shown;
    }
    return TRUE;
}

}  // namespace

HWND SHFindMenuBar(HWND hwnd)
{
    if (!hwnd || !::IsWindow(hwnd))
        return nullptr;
    FindRequest request{hwnd, nullptr, false};
    ::EnumThreadWindows(::GetWindowThreadProcessId(hwnd, nullptr), &CollectBar, reinterpret_cast<LPARAM>(&request));
    return request.found;
}
