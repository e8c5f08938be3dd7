#include "platform/PageWindow.h"

#include "platform/HandsetStyle.h"
#include "platform/ScreenText.h"
#include "platform/SoftKeyBar.h"

namespace vellumate {

RECT BeginPage(const BufferedPaint& paint) noexcept
{
    FillSolid(paint.Dc(), paint.Client(), style::Background);
    ::SetBkMode(paint.Dc(), TRANSPARENT);
    ::SetTextColor(paint.Dc(), style::Text);
    RECT box = paint.Client();
    ::InflateRect(&box, -style::Margin, -style::Margin);
    return box;
}

bool HandlePageMessage(HWND page, UINT message, LPARAM lParam, bool backCloses, LRESULT& result) noexcept
{
    switch (message) {
    case WM_HOTKEY:
        if (!backCloses || HIWORD(lParam) != VK_ESCAPE)
            return false;
        if (LOWORD(lParam) & MOD_KEYUP)
            ::DestroyWindow(page);
        result = 0;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_DESTROY:
        WithdrawScreenText(page);
        ::PostQuitMessage(0);
        result = 0;
        return true;
    default:
        return false;
    }
}

int RunPageLoop() noexcept
{
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace vellumate
