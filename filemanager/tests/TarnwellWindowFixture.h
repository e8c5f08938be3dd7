// Tarnwell's real main window (MainWindowFixture) on a handset device of the
// test's own: a temporary root (VELLUMATE_ROOT) and profile
// (VELLUMATE_PROFILE), the real menus and strings from the localized resource
// file (copied beside the test executable under its name), driven with
// messages.
#pragma once

#include "filemanager/MainWindow.h"
#include "filemanager/Settings.h"
#include "framework/String.h"
#include "framework/testsupport/KeyPress.h"
#include "framework/testsupport/MainWindowFixture.h"
#include "framework/testsupport/MessagePump.h"
#include "framework/testsupport/StringPrinting.h"
#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TarnwellWindowTest : public MainWindowFixture<MainWindow> {
protected:
    TarnwellWindowTest();

    // The preferences of a first start.
    static AppSettings DefaultSettings(const wchar_t* startFolder = L"");

    // Creates the main window and its panes as the program does, starting in
    // the tree pane at `settings.openedFolder`, and lets the first listing run.
    void Start(const AppSettings& settings = DefaultSettings());
    void Stop() { StopWindow(); }

    MainWindow& Main() { return Program().Object(); }
    FolderList& List() { return Main().List(); }
    TreePane& Tree() { return Main().Tree(); }
    HWND MainHwnd() { return Main().Window(); }
    HWND TreeHwnd() { return Main().Tree().Window(); }
    HWND ListHwnd() { return Main().Pane().Window(); }

    // Files and folders by handset path ("\A\b.txt").
    void MakeFolder(const wchar_t* handsetPath);
    void MakeFile(const wchar_t* handsetPath, DWORD size = 0);
    void RemoveFolder(const wchar_t* handsetPath);
    // Folder `handsetPath` with `count` files named "f001.txt", "f002.txt", ...
    void MakeFiles(const wchar_t* folder, int count);
    // Replaces the device profile (cards and their states).
    void WriteProfile(const std::string& text) { m_device.WriteProfile(text); }

    // Dispatches this thread's messages for a while, or until `done`.
    static void Pump(DWORD milliseconds = 30) { vellumate::PumpFor(milliseconds); }
    static bool PumpUntil(const std::function<bool()>& done, DWORD timeout = 5000)
    {
        return vellumate::PumpUntil(done, timeout);
    }
    // Waits for `done` without taking any message.
    static bool WaitFor(const std::function<bool()>& done, DWORD timeout = 5000)
    {
        return vellumate::WaitUntil(done, timeout);
    }
    // A key press sent to a window (key-down, then key-up).
    static void Press(HWND window, UINT key) { vellumate::SendKeyPress(window, key); }
    // A command as the soft-key bar sends it.
    void Command(UINT command);

    // Waits for the tree's listing to finish: the timer, then the read.
    void FinishListing();
    // Makes the list show the tree's current folder, as Enter on a folder
    // without subfolders does.
    void OpenList();
    // Moves the tree to `path` (as the user's selection would).
    void SelectTreeFolder(const wchar_t* path);

    // The names of the list's items, and of its selected items in selection order.
    std::vector<std::wstring> Names();
    std::vector<std::wstring> SelectedNames();
    // The visible tree rows' texts, in display order.
    std::vector<std::wstring> TreeRows();
    // What a window published as screen text ("" for none).
    static std::wstring ScreenText(HWND window);

    // The menu of a soft-key bar, and the popup of its right soft key.
    static HMENU BarMenu(HWND bar);
    static HMENU RightPopup(HWND bar);
    // Sends WM_INITMENUPOPUP for `popup` to the main window, as the soft-key
    // bar does before opening it.
    void PreparePopup(HMENU popup);
    // Whether a command of a menu (or its submenus) is enabled; and checked.
    static bool IsEnabled(HMENU menu, UINT command);
    static bool IsChecked(HMENU menu, UINT command);

    vellumate::TempDevice m_device;
};

// A dialog of `owner`'s thread that `owner` owns, once it shows; null when
// none shows within the time.
HWND WaitForOwnedDialog(HWND owner, DWORD timeout = 5000);
// Waits (from another thread) for a window to be destroyed.
bool WaitGone(HWND window, DWORD timeout = 10000);
