// vmdrive: drives a handset session from outside, the way a person would.
//
//   vmdrive press KEY...              keys: up down left right enter soft1 soft2
//                                     back talk end star pound 0-9 text:WORDS
//   vmdrive shot FILE.png             the 176 x 220 screen as a PNG file
//   vmdrive screen                    the windows on the screen, as text
//   vmdrive wait-window CLASS [MS]    wait for a visible window of a class
//   vmdrive foreground                class and title of the window in front
//   vmdrive notify card-insert|card-remove \CARD
//                                     tell the shell that a card came or went
//
// Exit codes: 0 done, 1 failed (or timed out), 2 bad command line.
#include "platform/Handset.h"
#include "platform/SystemMessage.h"
#include "platform/driver/ConsoleOutput.h"
#include "platform/driver/ControlRows.h"
#include "platform/driver/DeviceNotify.h"
#include "platform/driver/KeyNames.h"
#include "platform/driver/KeySender.h"
#include "platform/driver/PngWriter.h"
#include "platform/driver/ScreenCapture.h"
#include "platform/driver/WindowCapture.h"

#include <windows.h>

#include <cwchar>
#include <new>
#include <string>
#include <vector>

namespace {

using namespace vellumate;

constexpr DWORD DefaultWaitMs = 10000;
constexpr DWORD WaitPollMs = 50;

constexpr wchar_t Usage[] = L"usage: vmdrive press KEY...\n"
                            L"       vmdrive shot FILE.png\n"
                            L"       vmdrive screen\n"
                            L"       vmdrive wait-window CLASS [TIMEOUT_MS]\n"
                            L"       vmdrive foreground\n"
                            L"       vmdrive notify card-insert|card-remove \\CARD\n"
                            L"keys: up down left right enter soft1 soft2 back talk end star pound 0-9 text:WORDS\n";

int Press(const std::vector<std::wstring>& names)
{
    const KeyParseResult keys = ParseKeys(names);
    if (!keys.unknownName.empty()) {
        WriteError(L"vmdrive: unknown key " + keys.unknownName +
                   L" (keys: up down left right enter soft1 soft2 back talk end star pound 0-9 text:WORDS)\n");
        return ExitUsage;
    }
    if (!SendKeys(keys.strokes)) {
        WriteError(L"vmdrive: the keys could not be sent: " + SystemMessage(::GetLastError()) + L"\n");
        return ExitFailed;
    }
    return ExitDone;
}

int Shot(const std::wstring& path)
{
    SettleForeground();
    const std::optional<RgbImage> image = CaptureScreen(ScreenWidth, ScreenHeight);
    if (!image) {
        WriteError(L"vmdrive: the screen cannot be read\n");
        return ExitFailed;
    }
    const std::vector<std::uint8_t> png = EncodePng(*image);
    if (png.empty()) {
        WriteError(L"vmdrive: the picture cannot be encoded\n");
        return ExitFailed;
    }
    if (!WriteWholeFile(path, png)) {
        WriteError(L"vmdrive: cannot write " + path + L": " + SystemMessage(::GetLastError()) + L"\n");
        return ExitFailed;
    }
    return ExitDone;
}

int Screen()
{
    SettleForeground();
    WriteOut(FormatSnapshot(TakeSnapshot(RECT{0, 0, ScreenWidth, ScreenHeight})));
    return ExitDone;
}

bool VisibleWindowOfClass(const std::wstring& className)
{
    for (HWND window = ::FindWindowExW(nullptr, nullptr, className.c_str(), nullptr); window;
         window = ::FindWindowExW(nullptr, window, className.c_str(), nullptr))
        if (::IsWindowVisible(window))
            return true;
    return false;
}

int WaitWindow(const std::wstring& className, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (VisibleWindowOfClass(className))
            return ExitDone;
        if (::GetTickCount64() >= deadline)
            return ExitFailed;
        ::Sleep(WaitPollMs);
    }
}

int Foreground()
{
    const HWND front = ::GetForegroundWindow();
    if (!front) {
        WriteError(L"vmdrive: no window is in front\n");
        return ExitFailed;
    }
    wchar_t className[256];
    const int length = ::GetClassNameW(front, className, static_cast<int>(sizeof className / sizeof className[0]));
    WriteOut(std::wstring(className, length > 0 ? static_cast<std::size_t>(length) : 0) + L" " +
             QuoteText(ReadWindowText(front)) + L"\n");
    return ExitDone;
}

std::optional<DWORD> ParseMilliseconds(const std::wstring& text)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of(L"0123456789") != std::wstring::npos)
        return std::nullopt;
    return static_cast<DWORD>(std::wcstoul(text.c_str(), nullptr, 10));
}

int Run(const std::vector<std::wstring>& arguments)
{
    if (arguments.empty()) {
        WriteError(Usage);
        return ExitUsage;
    }
    const std::wstring& command = arguments[0];
    const std::vector<std::wstring> rest(arguments.begin() + 1, arguments.end());

    if (command == L"press")
        return Press(rest);
    if (command == L"shot" && rest.size() == 1)
        return Shot(rest[0]);
    if (command == L"screen" && rest.empty())
        return Screen();
    if (command == L"foreground" && rest.empty())
        return Foreground();
    if (command == L"notify")
        return NotifyCommand(rest);
    if (command == L"wait-window" && (rest.size() == 1 || rest.size() == 2)) {
        const std::optional<DWORD> timeout = rest.size() == 2 ? ParseMilliseconds(rest[1]) : DefaultWaitMs;
        if (timeout)
            return WaitWindow(rest[0], *timeout);
    }
    WriteError(Usage);
    return ExitUsage;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    try {
        return Run(std::vector<std::wstring>(argv + 1, argv + argc));
    } catch (const std::bad_alloc&) {
        WriteError(L"vmdrive: out of memory\n");
        return ExitFailed;
    }
}
