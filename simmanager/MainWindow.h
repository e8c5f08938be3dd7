// Pellory's window: the general phonebook of the SIM as a list it draws
// itself, with a title band (own number or the filter, counters) above and a
// detail band (the focused entry's other field, large) below. Commands come
// from the soft-key menu and the keys; every command works on the current
// view of the current store.
//
// The class is split over these files:
//   MainWindow.cpp    creation, start-up, messages, keys, activation, SIM notifications
//   MainCommands.cpp  the command table, its handlers and the menu states
//   BackupCommands.cpp  backing up to and restoring from a storage card
//   ContactCommands.cpp  copying between the SIM and Contacts
#pragma once

#include "simmanager/DisplayRules.h"
#include "simmanager/EntryListPainter.h"
#include "simmanager/KeyLetters.h"
#include "simmanager/PhoneNumbers.h"
#include "simmanager/SimAccess.h"
#include "simmanager/SimMessageBoxes.h"
#include "simmanager/Settings.h"

#include "framework/About.h"
#include "framework/Dialogs.h"
#include "framework/MainWindowBase.h"
#include "framework/Startup.h"

#include <windows.h>

#include <memory>
#include <string>

inline constexpr ProgramRelease PelloryRelease{1, 10, "Jun 18 2003", "16:08:15"};

// Counts a handler that is running for the length of a scope.
class BusyScope {
public:
    explicit BusyScope(int& depth) noexcept : m_depth(depth) { ++m_depth; }
    ~BusyScope() { --m_depth; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    int& m_depth;
};

class MainWindow final : public MainWindowBase<MainWindow> {
public:
    static constexpr wchar_t ClassName[] = L"Pellory";
    // While a command's dialog is being cancelled, the close is tried again.
    static constexpr UINT_PTR CloseRetryTimer = 1;
    static constexpr UINT CloseRetryPeriod = 50;

    // The program's row of the start-up table with its steps: settings, the
    // display rules, the keypad letters and the SIM are ready before the
    // window is made; without a ready SIM the program ends there. The object
    // `main` is made by the steps.
    static ProgramStartup Startup(std::unique_ptr<MainWindow>& main);

    // `settingsKey`: where the settings live below HKEY_CURRENT_USER, when not
    // the program's own key (tests).
    explicit MainWindow(const wchar_t* settingsKey = nullptr);
    ~MainWindow();

    // The start-up steps before the window: false when the program cannot run
    // (the SIM is not ready; the user has been told).
    bool Prepare();

    SimAccess& Sim() noexcept { return m_sim; }
    const PellorySettings& Settings() const noexcept { return m_settings; }
    const DisplayRuleList& Rules() const noexcept { return m_rules; }
    const EntryListPainter& Painter() const noexcept { return m_painter; }
    // What the views' operations need: the settings and the page height.
    ViewOptions Options() const noexcept;

private:
    friend MainWindowBase<MainWindow>;
    friend struct MainCommandTable;

    // The window's hooks.
    bool OnCreate();
    void OnDestroy();
    bool OnCommand(UINT command);
    void OnMenuOpening(HMENU menu);
    void OnBack(WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void OnKeyDown(UINT key);
    void OnActivate(bool active);
    void OnPaint();
    void OnSimNotify(DWORD code);
    bool OnClose();

    // Commands (MainCommands.cpp).
    void NewEntry();
    void EditEntry();
    void DeleteMarked();
    void Dial();
    void MarkAll();
    void MarkEntries();
    void DuplicateMarked();
    void ShowAll();
    void ShowDuplicates();
    void ShowRedundant();
    void CopyToContacts();    // ContactCommands.cpp
    void CopyFromContacts();  // ContactCommands.cpp
    void AddPrefix();
    void RemovePrefix();
    void ReplaceText();
    void ShowAbout();
    void ShowSettings();
    void ShowSortAndDisplay();
    void ShowDisplayRules();
    void BackUp();
    void Restore();
    void ShowPhoneInfo();

    // Runs a dialog of a command; false when it could not run or the window
    // started closing meanwhile (the card went): the command then stops.
    bool RunCommandDialog(DialogCore& dialog);
    EntryView* CurrentView() const noexcept { return m_sim.CurrentView(); }
    void Repaint();

    const wchar_t* SettingsKey() const noexcept { return m_settingsKey.empty() ? nullptr : m_settingsKey.c_str(); }

    std::wstring m_settingsKey;
    PellorySettings m_settings;
    DisplayRuleList m_rules;
    KeyLetters m_letters;
    SimAccess m_sim;
    EntryListPainter m_painter;
    SimMessageBoxes m_messages;
    PhoneNumberReader m_phoneNumbers;
    // Commands (and notifications) that have not returned: the window must
    // not go while one of them waits in a dialog or a box.
    int m_busyDepth = 0;
    bool m_closing = false;
};
