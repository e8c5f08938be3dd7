#include "cleaner/MainWindow.h"

#include "cleaner/CategoryDeletion.h"
#include "cleaner/CleanAllDialog.h"
#include "cleaner/IntroDialog.h"
#include "cleaner/Preferences.h"
#include "cleaner/ScanDialog.h"
#include "cleaner/resource.h"

#include "framework/AboutResources.h"
#include "framework/Dialogs.h"
#include "framework/String.h"

#include "platform/Painting.h"
#include "platform/ScreenText.h"
#include "platform/WaitCursor.h"

namespace {

// The mail program's main window, which shows the folders' messages.
constexpr wchar_t MailProgramClass[] = L"Inbox.MainWnd";

}  // namespace

ProgramStartup MainWindow::Startup(std::unique_ptr<MainWindow>& main)
{
    ProgramStartup startup;
    startup.className = ClassName;
    startup.titleId = IDS_WINDOW_TITLE;
    startup.lookupByTitle = true;
    startup.lookupWait = 500;
    startup.localizedResources = true;
    startup.classStyle = CS_HREDRAW | CS_VREDRAW;
    startup.iconId = IDI_PROGRAM;
    startup.windowProcedure = Procedure();
    startup.afterRegistration = [&main] {
        main = std::make_unique<MainWindow>();
        return true;
    };
    startup.windowObject = [&main]() -> void* { return main ? main->CreationParameter() : nullptr; };
    startup.afterShow = [&main](HWND) {
        if (main)
            main->ShowIntroIfWanted();
    };
    return startup;
}

MainWindow::MainWindow(const wchar_t* preferencesKey)
    : MainWindowBase(IDM_MAIN_BAR), m_key(preferencesKey ? preferencesKey : L"")
{
}

MainWindow::~MainWindow()
{
    if (Window())
        DestroyWindow(Window());
}

bool MainWindow::OnCreate()
{
    if (!m_display.Create())
        return false;
    m_display.SetStatus(IDS_STATUS_READY, StatusStyle::Normal);
    SetFocus(Window());
    return true;
}

void MainWindow::ShowIntroIfWanted()
{
    if (!IntroWanted(PreferencesKey()))
        return;
    IntroDialog intro(Window(), m_display.NormalFont());
    RunModal(intro);
    if (intro.DontShowAgain())
        RememberIntroSeen(PreferencesKey());
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            m_display.SetStatus(IDS_STATUS_READY, StatusStyle::Normal);
        break;
    case WM_KEYDOWN:
        m_pressedKey = static_cast<UINT>(wParam);
        return 0;
    case WM_KEYUP:
        // The 2 key cleans all; the star key refreshes. Only a key pressed
        // here counts: the release of a number key that chose a menu item
        // arrives here too.
        if (wParam == m_pressedKey && wParam == '2')
            PostMessageW(Window(), WM_COMMAND, ID_CLEAN_ALL, 0);
        else if (wParam == m_pressedKey && wParam == VK_F8)
            PostMessageW(Window(), WM_COMMAND, ID_REFRESH, 0);
        m_pressedKey = 0;
        return 0;
    default:
        break;
    }
    return DefWindowProcW(Window(), message, wParam, lParam);
}

void MainWindow::OnPaint()
{
    vellumate::BufferedPaint paint(Window());
    const StorageFigures figures = ReadStorageFigures();
    m_display.Paint(paint.Dc(), paint.Client(), figures);
    PublishScreenText(Window(), m_display.ScreenText(figures));
}

bool MainWindow::OnCommand(UINT command)
{
    if (const Category* category = CategoryOfCommand(command)) {
        RunCategoryAction(*category);
    } else if (command == ID_REFRESH) {
        Refresh();
    } else if (command == ID_CLEAN_ALL) {
        CleanAll();
    } else if (command == ID_ABOUT) {
        ShowAbout();
    } else {
        return false;
    }
    InvalidateRect(Window(), nullptr, FALSE);
    return true;
}

void MainWindow::Refresh()
{
    m_display.SetStatus(IDS_STATUS_REFRESHED, StatusStyle::Normal);
    InvalidateRect(Window(), nullptr, FALSE);
    UpdateWindow(Window());
}

UINT MainWindow::RunCategoryAction(const Category& category)
{
    UINT choice = IDCANCEL;
    {
        ScanDialog scan(Window(), category, m_display);
        if (RunModal(scan) >= 0)
            choice = scan.Choice();
    }
    if (choice != ID_SCAN_DELETE) {
        String name;
        name.LoadResourceText(category.name);
        String text;
        text.FormatResource(IDS_STATUS_SCAN_CANCELLED, name.Chars());
        m_display.SetStatusText(text.Chars(), StatusStyle::Normal);
        return ID_ACTION_CANCELLED;
    }
    DeletionResult result;
    {
        WaitCursor wait;
        result = DeleteCategory(category);
    }
    m_display.SetStatus(result.message, result.style, result.count);
    if (result.closeMailWindow) {
        if (HWND mail = FindWindowW(MailProgramClass, nullptr))
            PostMessageW(mail, WM_CLOSE, 0, 0);
    }
    return result.succeeded ? ID_SCAN_DELETE : ID_ACTION_FAILED;
}

void MainWindow::CleanAll()
{
    CleanAllDialog dialog(Window());
    if (RunModal(dialog) < 0 || !dialog.Confirmed()) {
        m_display.SetStatus(IDS_STATUS_NOTHING_CLEANED, StatusStyle::Normal);
        return;
    }
    bool anyDone = false;
    for (UINT name : dialog.Chosen()) {
        const Category* category = CategoryNamed(name);
        if (!category)
            continue;
        const UINT outcome = RunCategoryAction(*category);
        if (outcome == ID_ACTION_FAILED)
            return;  // its error message stays
        anyDone = anyDone || outcome == ID_SCAN_DELETE;
    }
    if (anyDone)
        m_display.SetStatus(IDS_CLEAN_ALL_DONE, StatusStyle::Bold);
    else
        m_display.SetStatus(IDS_STATUS_NOTHING_CLEANED, StatusStyle::Normal);
}

void MainWindow::ShowAbout()
{
    AboutBox about(Window(), CorvaneRelease);
    RunModal(about);
}
