#include "simmanager/SimMessageBoxes.h"

#include "framework/ResourceModule.h"

#include "platform/MessageBox.h"

#include <cwchar>

namespace {

constexpr UINT ErrorStyle = MB_ICONHAND;                     // 16
constexpr UINT InformationStyle = MB_ICONASTERISK;           // 64
constexpr UINT QuestionStyle = MB_OKCANCEL | MB_ICONQUESTION;  // 33

struct MessageText {
    wchar_t text[SimMessageLength] = {};
};

MessageText LoadMessage(UINT message) noexcept
{
    MessageText loaded;
    LoadStringW(ResourceModule(), message, loaded.text, SimMessageLength);
    return loaded;
}

int Show(HWND owner, const wchar_t* text, UINT style) noexcept
{
    // No caption of our own: the platform's default one.
    return vellumate::HandsetMessageBox(owner, text, nullptr, style);
}

}  // namespace

void ShowSimError(HWND owner, UINT message)
{
    Show(owner, LoadMessage(message).text, ErrorStyle);
}

void ShowSimErrorNumber(HWND owner, UINT message, int value)
{
    const MessageText format = LoadMessage(message);
    wchar_t text[SimMessageLength] = {};
    // The msvcrt formatter: "%d" as the string resources write it.
    _snwprintf(text, SimMessageLength - 1, format.text, value);
    Show(owner, text, ErrorStyle);
}

void ShowSimInformation(HWND owner, UINT message)
{
    Show(owner, LoadMessage(message).text, InformationStyle);
}

bool AskSim(HWND owner, UINT message)
{
    return Show(owner, LoadMessage(message).text, QuestionStyle) == IDOK;
}

void SimMessageBoxes::Busy(bool busy)
{
    if (busy) {
        if (m_busyDepth++ == 0)
            m_previousCursor = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    } else if (m_busyDepth > 0 && --m_busyDepth == 0) {
        SetCursor(m_previousCursor);
    }
}
