// A program the start-up tests run as a first and a second copy:
//
//     framework_startup_helper window CLASS wait|quick [title]
//         RunProgram with main window class CLASS and the title string
//         IDS_TEST_WINDOW_TITLE; a second copy looks for the first by class
//         (and title with "title"), with the 500 ms waits or quick attempts.
//         The window ends the program with exit code 7 when it is closed.
//     framework_startup_helper dialog MUTEX
//         RunDialogProgram with mutex MUTEX whose main dialog is titled
//         IDS_TEST_DIALOG_TITLE; the dialog's OK ends it.
#include "framework/Dialogs.h"
#include "framework/Startup.h"

#include "test_dialogs.h"

#include <windows.h>

#include <shellapi.h>

#include <string_view>

namespace {

constexpr int ClosedExitCode = 7;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_DESTROY) {
        PostQuitMessage(ClosedExitCode);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int RunWindowProgram(HINSTANCE instance, int show, const wchar_t* className, std::wstring_view waits, bool byTitle)
{
    ProgramStartup startup;
    startup.className = className;
    startup.titleId = IDS_TEST_WINDOW_TITLE;
    startup.lookupByTitle = byTitle;
    startup.lookupWait = waits == L"quick" ? 0 : 500;
    startup.windowProcedure = WindowProcedure;
    return RunProgram(instance, show, startup);
}

int RunDialog(HINSTANCE instance, const wchar_t* mutexName)
{
    DialogProgramStartup startup;
    startup.mutexName = mutexName;
    startup.titleId = IDS_TEST_DIALOG_TITLE;
    startup.runMainDialog = [] {
        DialogCore dialog(IDD_TEST_FULLSCREEN, nullptr, IDM_TEST_BAR, IDS_TEST_DIALOG_TITLE, false);
        return RunModal(dialog);
    };
    return RunDialogProgram(instance, startup);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t*, int show)
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments)
        return 100;
    int result = 100;
    std::wstring_view mode = count > 1 ? arguments[1] : L"";
    if (mode == L"window" && count >= 4)
        result = RunWindowProgram(instance, show, arguments[2], arguments[3],
                                  count >= 5 && std::wstring_view(arguments[4]) == L"title");
    else if (mode == L"dialog" && count >= 3)
        result = RunDialog(instance, arguments[2]);
    LocalFree(arguments);
    return result;
}
