// MainWindow: creation, start-up, messages, keys, activation and the SIM's
// notifications.
#include "simmanager/MainWindow.h"

#include "simmanager/SimNotify.h"
#include "simmanager/resource.h"

#include "framework/Display.h"
#include "framework/ResourceModule.h"

#include "platform/Handset.h"
#include "platform/Painting.h"
#include "platform/ScreenText.h"
#include "platform/SoftKeyBar.h"
#include "platform/WaitCursor.h"

#include <commctrl.h>

namespace {

bool InitCommonControlsForPellory() noexcept
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
}

}  // namespace

ProgramStartup MainWindow::Startup(std::unique_ptr<MainWindow>& main)
{
    ProgramStartup startup;
    startup.className = ClassName;
    startup.fixedTitle = L"SIM Manager";
    startup.singleInstanceFirst = true;
    startup.localizedResources = true;
    startup.windowProcedure = Procedure();
    startup.prepare = [&main] {
        main = std::make_unique<MainWindow>();
        if (!main->Prepare()) {
            main.reset();
            return false;
        }
        return InitCommonControlsForPellory();
    };
    startup.windowObject = [&main]() -> void* { return main ? main->CreationParameter() : nullptr; };
    return startup;
}

MainWindow::MainWindow(const wchar_t* settingsKey)
    : MainWindowBase(IDM_MAIN_BAR), m_settingsKey(settingsKey ? settingsKey : L"")
{
}

MainWindow::~MainWindow()
{
    if (Window())
        DestroyWindow(Window());
}

bool MainWindow::Prepare()
{
    m_settings = LoadSettings(SettingsKey());
    if (!m_settings.displayRules.empty())
        m_rules.Parse(m_settings.displayRules.data(), static_cast<int>(m_settings.displayRules.size()), m_messages);
    m_letters.Load(ResourceModule());
    if (!m_sim.Open(m_messages))
        return false;
    m_phoneNumbers.Refresh(m_sim, m_messages);
    WaitCursor wait;
    if (!m_painter.Create(IsLargeFontSet(true)))
        return false;
    m_sim.LoadAll(Options());
    return true;
}

ViewOptions MainWindow::Options() const noexcept
{
    ViewOptions options;
    options.sortKey = m_settings.sortKey;
    options.displayKey = m_settings.displayKey;
    RECT client{0, 0, vellumate::ScreenWidth, vellumate::WorkAreaHeight};
    if (Window())
        GetClientRect(Window(), &client);
    options.rowsPerPage = m_painter.Geometry().RowsPerPage(client);
    return options;
}

bool MainWindow::OnCreate()
{
    m_messages.SetOwner(Window());
    SetSimNotifyWindow(Window());
    SetFocus(Window());
    return true;
}

void MainWindow::OnDestroy()
{
    SetSimNotifyWindow(nullptr);
    m_messages.SetOwner(nullptr);
    m_sim.Close();
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam));
        return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        break;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_CLOSE:
        if (!OnClose())
            return 0;
        break;
    case WM_TIMER:
        if (wParam == CloseRetryTimer) {
            KillTimer(Window(), CloseRetryTimer);
            PostMessageW(Window(), WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case SIM_NOTIFY_MESSAGE:
        OnSimNotify(static_cast<DWORD>(wParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcW(Window(), message, wParam, lParam);
}

void MainWindow::Repaint()
{
    InvalidateRect(Window(), nullptr, FALSE);
}

void MainWindow::OnKeyDown(UINT key)
{
    const BusyScope busy(m_busyDepth);
    EntryView* view = CurrentView();
    PhonebookStore* store = m_sim.CurrentStore();
    const ViewOptions options = Options();
    switch (key) {
    case VK_UP:
    case VK_DOWN:
        if (view)
            view->MoveFocus(key == VK_UP ? -1 : 1, options.rowsPerPage);
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (view)
            view->MoveFocus(key == VK_LEFT ? -options.rowsPerPage : options.rowsPerPage, options.rowsPerPage);
        break;
    case VK_RETURN:
        if (SimCaps::Instance().Ready())
            EditEntry();
        break;
    case VK_F3:  // Talk
        Dial();
        break;
    default:
        if (key >= '0' && key <= '9' && store)
            store->TypeKey(static_cast<int>(key - '0'), m_letters, options);
        else
            return;
        break;
    }
    Repaint();
}

void MainWindow::OnBack(WPARAM wParam, LPARAM lParam)
{
    // The bar tells each press and its release: act once, on the release.
    if (!(LOWORD(lParam) & MOD_KEYUP))
        return;
    PhonebookStore* store = m_sim.CurrentStore();
    if (store && store->PopView()) {
        Repaint();
        return;
    }
    SHSendBackToFocusWindow(WM_HOTKEY, wParam, lParam);
}

void MainWindow::OnActivate(bool active)
{
    if (!active)
        return;
    if (!SimCaps::Instance().Ready()) {
        PostMessageW(Window(), WM_CLOSE, 0, 0);
        return;
    }
    {
        const BusyScope busy(m_busyDepth);
        m_phoneNumbers.Refresh(m_sim, m_messages);
    }
    if (EntryView* view = CurrentView())
        view->ShowFocus(Options().rowsPerPage);
    Repaint();
}

void MainWindow::OnSimNotify(DWORD code)
{
    const BusyScope busy(m_busyDepth);
    if (code == SIM_NOTIFY_CARD_REMOVED) {
        if (m_closing)
            return;
        m_closing = true;
        ShowSimError(Window(), IDS_CARD_REMOVED);
        PostMessageW(Window(), WM_CLOSE, 0, 0);
    } else if (code == SIM_NOTIFY_RADIOOFF) {
        m_closing = true;
        PostMessageW(Window(), WM_CLOSE, 0, 0);
    }
}

namespace {

// Cancels the window of this thread that `owner`'s modal work waits in: the
// enabled one among the windows it owns (the ones below it are disabled).
BOOL CALLBACK CancelEnabledPopup(HWND popup, LPARAM owner) noexcept
{
    if (GetWindow(popup, GW_OWNER) == reinterpret_cast<HWND>(owner) && IsWindowEnabled(popup) &&
        IsWindowVisible(popup))
        PostMessageW(popup, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

}  // namespace

bool MainWindow::OnClose()
{
    if (m_busyDepth == 0)
        return true;
    // A command is waiting in a dialog or a message box: that is cancelled
    // first (each in turn, when they are stacked), and the window closes once
    // the command has returned, so that nothing goes on with the SIM access
    // after it is gone.
    m_closing = true;
    EnumThreadWindows(GetCurrentThreadId(), CancelEnabledPopup, reinterpret_cast<LPARAM>(Window()));
    SetTimer(Window(), CloseRetryTimer, CloseRetryPeriod, nullptr);
    return false;
}

bool MainWindow::RunCommandDialog(DialogCore& dialog)
{
    if (m_closing)
        return false;
    const INT_PTR result = RunModal(dialog);
    return result >= 0 && !m_closing;
}

void MainWindow::OnPaint()
{
    vellumate::BufferedPaint paint(Window());
    PhonebookStore* store = m_sim.CurrentStore();
    const EntryView* view = CurrentView();
    ListPicture picture;
    picture.view = view;
    picture.display = m_settings.displayKey;
    picture.rules = &m_rules;
    const std::wstring ownNumber(m_rules.Apply(m_sim.OwnNumber()).Chars());
    std::tie(picture.titleLeft, picture.titleRight) =
        MakeTitleTexts(view, store ? store->Keys() : nullptr, view ? view->KeyCount() : 0, ownNumber,
                       store ? store->FilledCount() : 0);
    m_painter.Paint(paint.Dc(), paint.Client(), picture);
    PublishScreenText(Window(), m_painter.ScreenText(paint.Client(), picture));
}
