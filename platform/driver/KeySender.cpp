#include "platform/driver/KeySender.h"

#include "platform/ShellMessages.h"

#include <array>

namespace vellumate {
namespace {

constexpr DWORD PingTimeoutMs = 1000;
constexpr DWORD RoundPauseMs = 15;
constexpr int MinimumRounds = 3;
constexpr int MaximumRounds = 40;

bool IsExtendedKey(WORD key)
{
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
        return true;
    default:
        return false;
    }
}

INPUT MakeInput(const KeyStroke& stroke, bool release)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    if (stroke.kind == KeyStroke::Kind::Character) {
        input.ki.wScan = stroke.code;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
    } else {
        input.ki.wVk = stroke.code;
        input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(stroke.code, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = IsExtendedKey(stroke.code) ? KEYEVENTF_EXTENDEDKEY : 0;
    }
    if (release)
        input.ki.dwFlags |= KEYEVENTF_KEYUP;
    return input;
}

}  // namespace

bool SendKeys(const std::vector<KeyStroke>& strokes)
{
    for (const KeyStroke& stroke : strokes) {
        std::array<INPUT, 2> inputs{MakeInput(stroke, false), MakeInput(stroke, true)};
        if (::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size())
            return false;
        SettleForeground();
    }
    return true;
}

void SettleForeground()
{
    // A sent message is handled the next time the program asks for a message,
    // that is after it has dealt with the one in hand. A few rounds of pings
    // therefore walk it through the key down, the character, the key up and
    // the repaint they cause; a new window in front starts the count again.
    HWND previous = nullptr;
    int stableRounds = 0;
    for (int round = 0; round < MaximumRounds && stableRounds < MinimumRounds; ++round) {
        const HWND front = ::GetForegroundWindow();
        if (front) {
            DWORD_PTR ignored = 0;
            ::SendMessageTimeoutW(front, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, PingTimeoutMs, &ignored);
        }
        ::Sleep(RoundPauseMs);
        stableRounds = front == previous ? stableRounds + 1 : 0;
        previous = front;
    }

    // The shell's title strip follows the front on a timer; have it catch up now.
    static const UINT refresh = ::RegisterWindowMessageW(TitleStripRefreshMessage);
    if (const HWND strip = ::FindWindowW(L"tray", nullptr); strip && refresh) {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(strip, refresh, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, PingTimeoutMs, &ignored);
    }
}

}  // namespace vellumate
