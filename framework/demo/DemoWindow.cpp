#include "DemoWindow.h"

#include "SampleDialog.h"
#include "demo_resources.h"

#include "framework/About.h"
#include "framework/CommandTable.h"

#include "platform/Painting.h"
#include "platform/ScreenText.h"

namespace {

constexpr int Margin = 6;
constexpr int TextHeight = 13;
constexpr COLORREF HeadingColour = RGB(0x1E, 0x5A, 0xAA);

}  // namespace

DemoWindow::DemoWindow() : MainWindowBase(IDM_DEMO_MAIN, BackKey::Default)
{
}

DemoWindow::~DemoWindow()
{
    if (Window())
        DestroyWindow(Window());
}

bool DemoWindow::OnCreate()
{
    m_font = vellumate::MakeInterfaceFont(TextHeight);
    m_boldFont = vellumate::MakeInterfaceFont(TextHeight + 2, FW_BOLD);
    return true;
}

bool DemoWindow::OnCommand(UINT command)
{
    // Nothing here is ever unavailable: no enable rules.
    static constexpr CommandRow<DemoWindow, DemoWindow> Commands[] = {
        {IDC_DEMO_OPEN_SAMPLE, &DemoWindow::OpenSample, nullptr},
        {IDC_DEMO_ABOUT, &DemoWindow::ShowAbout, nullptr},
        {IDC_DEMO_EXIT, &DemoWindow::Exit, nullptr},
    };
    return RunTableCommand(Commands, *this, command);
}

LRESULT DemoWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        OnPaint();
        return 0;
    }
    return DefWindowProcW(Window(), message, wParam, lParam);
}

void DemoWindow::OpenSample()
{
    SampleDialog dialog(Window(), m_name);
    if (RunModal(dialog) == IDOK) {
        m_name = dialog.Name();
        InvalidateRect(Window(), nullptr, FALSE);
    }
}

void DemoWindow::ShowAbout()
{
    AboutBox about(Window(), DemoRelease());
    RunModal(about);
}

void DemoWindow::Exit()
{
    DestroyWindow(Window());
}

String DemoWindow::GuideText() const
{
    String text = L"Left soft key: a sample dialog.\nMenu: the dialog again, About, Exit.\nBack: the home screen.";
    if (!m_name.IsEmpty()) {
        String greeting;
        greeting.FormatText(L"\n\nHello, %s!", m_name);
        text += greeting;
    }
    return text;
}

void DemoWindow::OnPaint()
{
    vellumate::BufferedPaint paint(Window());
    HDC dc = paint.Dc();
    RECT area = paint.Client();
    vellumate::FillSolid(dc, area, RGB(255, 255, 255));
    InflateRect(&area, -Margin, -Margin);
    SetBkMode(dc, TRANSPARENT);

    const wchar_t heading[] = L"Framework demo";
    {
        vellumate::SelectObjectScope font(dc, m_boldFont.Get());
        SetTextColor(dc, HeadingColour);
        RECT line = area;
        area.top += DrawTextW(dc, heading, -1, &line, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX) + Margin;
    }
    String guide = GuideText();
    vellumate::SelectObjectScope font(dc, m_font.Get());
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, guide, guide.Length(), &area, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    PublishScreenText(Window(), std::wstring(heading) + L"\n" + guide.Chars());
}
