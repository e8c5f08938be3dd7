#include "framework/DialogPane.h"

#include "platform/ScreenText.h"

namespace {

constexpr wchar_t DialogPaneClass[] = L"VellumateDialogPane";

}  // namespace

bool DialogPane::Create(HWND dialog, const RECT& rect, DWORD extraStyle)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    return RegisterWindowClass(instance, DialogPaneClass, 0, LoadCursorW(nullptr, IDC_ARROW)) &&
           CreateWindowObject(instance, DialogPaneClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | extraStyle, 0,
                              rect, dialog);
}

bool DialogPane::CreateOverClient(HWND dialog, DWORD extraStyle)
{
    RECT client{};
    GetClientRect(dialog, &client);
    return Create(dialog, client, extraStyle);
}

LRESULT DialogPane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        m_host.PaneKey(static_cast<UINT>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        m_host.PaintPane(Window());
        return 0;
    case WM_DESTROY:
        WithdrawScreenText(Window());
        break;
    default:
        break;
    }
    return DefWindowProcW(Window(), message, wParam, lParam);
}
