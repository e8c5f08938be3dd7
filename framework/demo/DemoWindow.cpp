#include "DemoWindow.h"

#include "SampleDialog.h"
#include "demo_resources.h"

#include "framework/About.h"
#include "framework/ResourceModule.h"
#include "framework/String.h"

#include "platform/Painting.h"
#include "platform/ScreenText.h"
#include "platform/SoftKeyBar.h"

namespace {

constexpr int Margin = 6;
constexpr int TextHeight = 13;
constexpr COLORREF HeadingColour = RGB(0x1E, 0x5A, 0xAA);

// The main window's state: one window per program.
struct DemoState {
    HWND menuBar = nullptr;
    String name;
    vellumate::FontHandle font;
    vellumate::FontHandle boldFont;
};
DemoState state;

String GuideText()
{
    String text = L"Left soft key: a sample dialog.\nMenu: the dialog again, About, Exit.\nBack: the home screen.";
    if (!state.name.IsEmpty()) {
        String greeting;
        greeting.FormatText(L"\n\nHello, %s!", state.name);
        text += greeting;
    }
    return text;
}

bool OnCreate(HWND window)
{
    SHMENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    bar.hwndParent = window;
    bar.nToolBarId = IDM_DEMO_MAIN;
    bar.hInstRes = ResourceModule();
    if (!SHCreateMenuBar(&bar))
        return false;
    state.menuBar = bar.hwndMB;
    state.font = vellumate::MakeInterfaceFont(TextHeight);
    state.boldFont = vellumate::MakeInterfaceFont(TextHeight + 2, FW_BOLD);
    return true;
}

void OnPaint(HWND window)
{
    vellumate::BufferedPaint paint(window);
    HDC dc = paint.Dc();
    RECT area = paint.Client();
    vellumate::FillSolid(dc, area, RGB(255, 255, 255));
    InflateRect(&area, -Margin, -Margin);
    SetBkMode(dc, TRANSPARENT);

    const wchar_t heading[] = L"Framework demo";
    {
        vellumate::SelectObjectScope font(dc, state.boldFont.Get());
        SetTextColor(dc, HeadingColour);
        RECT line = area;
        area.top += DrawTextW(dc, heading, -1, &line, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX) + Margin;
    }
    String guide = GuideText();
    vellumate::SelectObjectScope font(dc, state.font.Get());
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, guide, guide.Length(), &area, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    PublishScreenText(window, std::wstring(heading) + L"\n" + guide.Chars());
}

void OnCommand(HWND window, int command)
{
    switch (command) {
    case IDC_DEMO_OPEN_SAMPLE: {
        SampleDialog dialog(window, state.name);
        if (RunModal(dialog) == IDOK) {
            state.name = dialog.Name();
            InvalidateRect(window, nullptr, FALSE);
        }
        break;
    }
    case IDC_DEMO_ABOUT: {
        AboutBox about(window, DemoRelease());
        RunModal(about);
        break;
    }
    case IDC_DEMO_EXIT:
        DestroyWindow(window);
        break;
    default:
        break;
    }
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window) ? 0 : -1;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam));
        return 0;
    case WM_DESTROY:
        WithdrawScreenText(window);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

LRESULT CALLBACK DemoWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    try {
        return HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
