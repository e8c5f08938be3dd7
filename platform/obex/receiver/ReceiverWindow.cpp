#include "platform/obex/receiver/ReceiverWindow.h"

#include "platform/DevicePaths.h"
#include "platform/Handles.h"
#include "platform/Handset.h"
#include "platform/PageWindow.h"
#include "platform/Painting.h"
#include "platform/ScreenText.h"
#include "platform/SoftKeyBar.h"
#include "platform/obex/receiver/ReceiverResources.h"

#include <algorithm>

namespace vellumate {
namespace {

constexpr UINT_PTR LookTimer = 1;
constexpr UINT LookIntervalMs = 1000;

}  // namespace

std::vector<std::wstring> FilesIn(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    FindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (!find)
        return names;
    do {
        if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)))
            names.emplace_back(found.cFileName);
    } while (::FindNextFileW(find.Get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

bool ReceiverWindow::Create(HINSTANCE instance)
{
    ::CreateDirectoryW(ToDevicePath(L"\\My Documents").c_str(), nullptr);
    ::CreateDirectoryW(ToDevicePath(OwnInbox).c_str(), nullptr);
    m_files = FilesIn(ToDevicePath(OwnInbox));
    if (!RegisterWindowClass(instance, ReceiverClass, CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW)))
        return false;
    const RECT area{0, WorkAreaTop, ScreenWidth, WorkAreaTop + WorkAreaHeight};
    if (!CreateWindowObject(instance, ReceiverClass, ReceiverTitle, WS_POPUP | WS_VISIBLE, 0, area))
        return false;
    SHMENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    bar.hwndParent = Window();
    bar.nToolBarId = IDM_RECEIVER_BAR;
    bar.hInstRes = instance;
    if (!SHCreateMenuBar(&bar) || !bar.hwndMB)
        return false;
    m_menuBar = bar.hwndMB;
    ::SendMessageW(m_menuBar, SHCMBM_OVERRIDEKEY, VK_ESCAPE,
                   MAKELPARAM(SHMBOF_NODEFAULT | SHMBOF_NOTIFY, SHMBOF_NODEFAULT | SHMBOF_NOTIFY));
    ::SetTimer(Window(), LookTimer, LookIntervalMs, nullptr);
    ::SetForegroundWindow(Window());
    ::SetFocus(Window());
    return true;
}

void ReceiverWindow::Look()
{
    std::vector<std::wstring> files = FilesIn(ToDevicePath(OwnInbox));
    if (files == m_files)
        return;
    m_files = std::move(files);
    ::InvalidateRect(Window(), nullptr, FALSE);
}

LRESULT ReceiverWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == ID_RECEIVER_CLOSE) {
            ::DestroyWindow(Window());
            return 0;
        }
        break;
    case WM_TIMER:
        if (wParam == LookTimer) {
            Look();
            return 0;
        }
        break;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DESTROY:
        ::KillTimer(Window(), LookTimer);
        break;
    default:
        break;
    }
    LRESULT result = 0;
    if (HandlePageMessage(Window(), message, lParam, true, result))
        return result;
    return ::DefWindowProcW(Window(), message, wParam, lParam);
}

void ReceiverWindow::Paint()
{
    BufferedPaint paint(Window());
    HDC dc = paint.Dc();
    RECT box = BeginPage(paint);
    std::wstring text = L"Waiting for beamed files...\n\nReceived:";
    if (m_files.empty())
        text += L"\n(nothing yet)";
    for (const std::wstring& name : m_files)
        text += L"\n" + name;
    const FontHandle font(::CreateFontW(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                        DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
    SelectObjectScope select(dc, font.Get());
    ::DrawTextW(dc, text.c_str(), -1, &box, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
    PublishScreenText(Window(), text);
}

}  // namespace vellumate
