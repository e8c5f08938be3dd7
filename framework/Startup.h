// Program start-up: the skeleton every program's wWinMain runs.
//
// A program with a main window describes itself with a ProgramStartup (its
// start-up row plus its own steps) and hands it to RunProgram:
//
//     int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t*, int show)
//     {
//         MainWindow main;
//         ProgramStartup startup = ProgramRow();        // the program's own row
//         startup.windowProcedure = MainWindow::Procedure();
//         startup.windowObject = [&] { return main.CreationParameter(); };
//         return RunProgram(instance, show, startup);
//     }
//
// A dialog program runs RunDialogProgram instead. Every failure before the
// message loop ends the program silently (exit code 0).
#pragma once

#include <windows.h>

#include <functional>

// A window title loaded from a string is cut to this many characters.
inline constexpr int MaxWindowTitleLength = 20;

// On the handset a top-level window has no caption and CW_USEDEFAULT gives it
// the work area between the title strip and the menu bar. The desktop gives
// every overlapped window a caption, so the main window is made a pop-up and
// placed on the work area itself.
inline constexpr DWORD MainWindowStyle = WS_POPUP | WS_CLIPCHILDREN;

struct ProgramStartup {
    // The main window's class, which also names the single-instance mutex.
    const wchar_t* className = nullptr;
    // The main window's title: fixedTitle when set, else string titleId of
    // the resource module (a missing string ends the program).
    const wchar_t* fixedTitle = nullptr;
    UINT titleId = 0;
    // How a second copy finds this one's window: by class and title, or by
    // class alone; the wait between the two looks of an attempt (0: quick
    // attempts); whether the found window also gets the keyboard focus.
    bool lookupByTitle = false;
    DWORD lookupWait = 500;
    bool focusFoundWindow = false;
    // Whether the single-instance check comes before InitFramework.
    bool singleInstanceFirst = false;
    // The dialogs, menus and strings live in the localized resource file.
    bool localizedResources = false;
    // The main window class.
    UINT classStyle = 0;
    UINT iconId = 0;  // of the resource module; 0: none
    WNDPROC windowProcedure = nullptr;
    // The main window's creation parameter: the object its procedure finds
    // (MainWindowBase::CreationParameter). Asked for after afterRegistration.
    std::function<void*()> windowObject;

    // The program's own steps, each optional. A step that returns false ends
    // the program with 0.
    std::function<void()> beforeFramework;         // before anything else
    std::function<bool()> prepare;                 // after the single-instance check
    std::function<bool()> afterRegistration;       // after the class is registered
    std::function<bool(HWND window)> createPanes;  // after the main window is made
    std::function<void(HWND window)> afterShow;    // once the window shows
    std::function<void()> shutdown;                // after the message loop
};

// Runs the start-up skeleton, the message loop and the shutdown. Returns the
// exit code: the quit message's parameter, or 0 when the program ended early.
int RunProgram(HINSTANCE instance, int showCommand, const ProgramStartup& startup);

// A program that is one modal dialog.
struct DialogProgramStartup {
    const wchar_t* mutexName = nullptr;
    // The main dialog's title (at most MaxWindowTitleLength characters), by
    // which a second copy finds the first.
    UINT titleId = 0;
    bool localizedResources = false;
    // Runs the main dialog to its end; a negative result is a failure.
    std::function<INT_PTR()> runMainDialog;
};

// Exit codes: 1 when the dialog ran, when another copy runs, or when the
// mutex cannot be made; 0 when the main dialog failed or the localized
// resource file is missing.
int RunDialogProgram(HINSTANCE instance, const DialogProgramStartup& startup);
