#include "platform/holdout/HoldoutWindow.h"

#include "platform/Handset.h"
#include "platform/PageWindow.h"
#include "platform/Painting.h"
#include "platform/ScreenText.h"

namespace vellumate {
namespace {

// The next word of a command line, a quoted one without its quotes.
std::wstring_view NextWord(std::wstring_view& line)
{
    while (!line.empty() && (line.front() == L' ' || line.front() == L'\t'))
        line.remove_prefix(1);
    if (line.empty())
        return {};
    std::size_t end;
    std::wstring_view word;
    if (line.front() == L'"') {
        end = line.find(L'"', 1);
        word = line.substr(1, end == std::wstring_view::npos ? std::wstring_view::npos : end - 1);
        end = end == std::wstring_view::npos ? line.size() : end + 1;
    } else {
        end = line.find_first_of(L" \t");
        if (end == std::wstring_view::npos)
            end = line.size();
        word = line.substr(0, end);
    }
    line.remove_prefix(end);
    return word;
}

}  // namespace

HoldoutOptions ParseHoldoutOptions(std::wstring_view commandLine)
{
    HoldoutOptions options;
    for (;;) {
        const std::wstring_view word = NextWord(commandLine);
        if (word.empty())
            break;
        if (word == L"/closable") {
            options.closable = true;
        } else if (word == L"/class" || word == L"/title") {
            const std::wstring_view value = NextWord(commandLine);
            if (!value.empty())
                (word == L"/class" ? options.className : options.title) = value;
        }
    }
    return options;
}

bool HoldoutWindow::Create(HINSTANCE instance)
{
    if (!RegisterWindowClass(instance, m_options.className.c_str(), CS_HREDRAW | CS_VREDRAW,
                             ::LoadCursorW(nullptr, IDC_ARROW)))
        return false;
    const RECT area{0, WorkAreaTop, ScreenWidth, WorkAreaTop + WorkAreaHeight};
    return CreateWindowObject(instance, m_options.className.c_str(), m_options.title.c_str(), WS_POPUP | WS_VISIBLE, 0,
                              area);
}

LRESULT HoldoutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        if (m_options.closable)
            break;
        ++m_refused;
        ::InvalidateRect(Window(), nullptr, FALSE);
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    default:
        break;
    }
    LRESULT result = 0;
    if (HandlePageMessage(Window(), message, lParam, false, result))
        return result;
    return ::DefWindowProcW(Window(), message, wParam, lParam);
}

void HoldoutWindow::Paint()
{
    BufferedPaint paint(Window());
    RECT box = BeginPage(paint);
    std::wstring text =
        m_options.closable ? L"This program closes when asked." : L"This program does not close when asked.";
    if (m_refused > 0)
        text += L"\nClose requests refused: " + std::to_wstring(m_refused);
    const FontHandle font = MakeInterfaceFont(13);
    SelectObjectScope select(paint.Dc(), font.Get());
    ::DrawTextW(paint.Dc(), text.c_str(), -1, &box, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    PublishScreenText(Window(), text);
}

}  // namespace vellumate
