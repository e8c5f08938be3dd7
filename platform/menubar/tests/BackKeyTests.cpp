// The Back key: the handset's default handling, its override through the bar,
// and SHSendBackToFocusWindow.
#include "platform/ShellDialogs.h"
#include "platform/SoftKeyBar.h"
#include "platform/menubar/BackKey.h"

#include "MenuTestSupport.h"
#include "test_menubar.h"

#include <gtest/gtest.h>

using namespace menutest;

namespace {

constexpr LPARAM RouteBack = MAKELPARAM(SHMBOF_NODEFAULT | SHMBOF_NOTIFY, SHMBOF_NODEFAULT | SHMBOF_NOTIFY);

// How a screen passes the Back key it takes over on to SHSendBackToFocusWindow.
enum class Forward { Nothing, Everything, KeyUpsOnly };

// A program's screen: a modeless dialog owned by the program window, made
// full-screen with a bar; it closes itself on IDCANCEL, as a program's would.
class Screen {
public:
    Screen(HWND owner, bool routeBack, Forward forward) : forward_(forward)
    {
        dialog_ = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_BAR_DIALOG), owner,
                                       &Procedure, reinterpret_cast<LPARAM>(this));
        SHINITDLGINFO init{SHIDIM_FLAGS, dialog_, SHIDIF_SIZEDLGFULLSCREEN};
        SHInitDialog(&init);
        SHMENUBARINFO bar{};
        bar.cbSize = sizeof bar;
        bar.hwndParent = dialog_;
        bar.nToolBarId = IDM_BAR_COMMANDS;
        bar.hInstRes = ::GetModuleHandleW(nullptr);
        SHCreateMenuBar(&bar);
        bar_ = bar.hwndMB;
        if (routeBack)
            ::SendMessageW(bar_, SHCMBM_OVERRIDEKEY, VK_ESCAPE, RouteBack);
        ::ShowWindow(dialog_, SW_SHOW);
        ::SetActiveWindow(dialog_);
        ::SetFocus(Edit());
        Pump();
    }
    ~Screen()
    {
        if (::IsWindow(dialog_))
            ::DestroyWindow(dialog_);
    }

    HWND Dialog() const { return dialog_; }
    HWND Bar() const { return bar_; }
    HWND Edit() const { return ::GetDlgItem(dialog_, IDC_BAR_EDIT); }
    bool Open() const { return ::IsWindow(dialog_) != FALSE; }

    void SetText(const wchar_t* text)
    {
        ::SetWindowTextW(Edit(), text);
        const int end = ::GetWindowTextLengthW(Edit());
        ::SendMessageW(Edit(), EM_SETSEL, end, end);
    }
    std::wstring Text() const
    {
        wchar_t text[64] = L"";
        ::GetWindowTextW(Edit(), text, 64);
        return text;
    }

    int cancels = 0;
    int hotkeys = 0;

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
    {
        if (message == WM_INITDIALOG)
            ::SetWindowLongPtrW(window, DWLP_USER, lParam);
        auto* self = reinterpret_cast<Screen*>(::GetWindowLongPtrW(window, DWLP_USER));
        if (!self)
            return FALSE;
        switch (message) {
        case WM_INITDIALOG:
            return FALSE;
        case WM_HOTKEY:
            ++self->hotkeys;
            if (self->forward_ == Forward::Everything ||
                (self->forward_ == Forward::KeyUpsOnly && (LOWORD(lParam) & MOD_KEYUP)))
                SHSendBackToFocusWindow(message, wParam, lParam);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                ++self->cancels;
                ::DestroyWindow(window);
            }
            return TRUE;
        default:
            return FALSE;
        }
    }

    Forward forward_;
    HWND dialog_ = nullptr;
    HWND bar_ = nullptr;
};

// A stand-in for the shell's home screen, found by its class.
class Home {
public:
    Home()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"MSStart";
        ::RegisterClassW(&windowClass);
        window_ = ::CreateWindowExW(0, L"MSStart", L"Home", WS_POPUP | WS_VISIBLE, 0, 20, 176, 180, nullptr,
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }
    ~Home() { ::DestroyWindow(window_); }
    HWND Window() const { return window_; }

private:
    HWND window_ = nullptr;
};

}  // namespace

TEST(BackKey, DeletesInAnEditThenLeavesTheScreen)
{
    ProgramWindow program;
    Screen screen(program.Window(), false, Forward::Nothing);
    screen.SetText(L"abc");
    Press(VK_ESCAPE);
    EXPECT_EQ(screen.Text(), L"ab");
    EXPECT_TRUE(screen.Open());

    screen.SetText(L"");
    Press(VK_ESCAPE);
    EXPECT_EQ(screen.cancels, 1);
    EXPECT_FALSE(screen.Open());
    EXPECT_EQ(screen.hotkeys, 0);
    // Its release went with its press: the program window below got nothing.
    EXPECT_TRUE(program.keys.empty());
}

TEST(BackKey, HeldDownItKeepsDeletingButNeverLeavesTheScreen)
{
    ProgramWindow program;
    Screen screen(program.Window(), false, Forward::Nothing);
    screen.SetText(L"ab");
    KeyDown(VK_ESCAPE);
    KeyDown(VK_ESCAPE, nullptr, true);
    EXPECT_EQ(screen.Text(), L"");
    KeyDown(VK_ESCAPE, nullptr, true);
    KeyUp(VK_ESCAPE);
    EXPECT_TRUE(screen.Open());
    EXPECT_EQ(screen.cancels, 0);
}

TEST(BackKey, AtAProgramsTopLevelTheHomeScreenComesToTheFront)
{
    Home home;
    ProgramWindow program;
    ASSERT_NE(program.CreateBar(IDM_BAR_COMMANDS), nullptr);
    ASSERT_EQ(::GetForegroundWindow(), program.Window());
    Press(VK_ESCAPE);
    EXPECT_EQ(::GetForegroundWindow(), home.Window());
    EXPECT_TRUE(::IsWindow(program.Window())) << "the program keeps running behind the home screen";
    EXPECT_TRUE(program.hotkeys.empty());
    EXPECT_TRUE(program.keys.empty());
}

TEST(BackKey, ChoosesByWhatHasTheFocus)
{
    ProgramWindow program;
    Screen screen(program.Window(), false, Forward::Nothing);
    const HWND list = ::GetDlgItem(screen.Dialog(), IDC_BAR_LIST);
    screen.SetText(L"x");
    EXPECT_EQ(vellumate::ChooseBackAction(screen.Edit(), true), vellumate::BackAction::DeleteCharacter);
    EXPECT_EQ(vellumate::ChooseBackAction(screen.Edit(), false), vellumate::BackAction::DeleteCharacter);
    EXPECT_EQ(vellumate::ChooseBackAction(list, true), vellumate::BackAction::CancelDialog);
    EXPECT_EQ(vellumate::ChooseBackAction(list, false), vellumate::BackAction::None);
    ::SendMessageW(screen.Edit(), EM_SETREADONLY, TRUE, 0);
    EXPECT_EQ(vellumate::ChooseBackAction(screen.Edit(), true), vellumate::BackAction::CancelDialog);
    EXPECT_EQ(vellumate::ChooseBackAction(program.Window(), true), vellumate::BackAction::ShowHome);

    // A dialog that is a program's main screen (no owner) is its top level.
    Screen mainScreen(nullptr, false, Forward::Nothing);
    EXPECT_EQ(vellumate::ChooseBackAction(::GetDlgItem(mainScreen.Dialog(), IDC_BAR_LIST), true),
              vellumate::BackAction::ShowHome);
}

TEST(BackKey, AnOverrideDeliversPressAndReleaseAsHotkeys)
{
    Home home;
    ProgramWindow program;
    const HWND bar = program.CreateBar(IDM_BAR_COMMANDS);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(::SendMessageW(bar, SHCMBM_OVERRIDEKEY, VK_ESCAPE, RouteBack), 0);
    EXPECT_EQ(::SendMessageW(bar, SHCMBM_OVERRIDEKEY, VK_ESCAPE, RouteBack), SHMBOF_NODEFAULT | SHMBOF_NOTIFY);

    Press(VK_ESCAPE);
    Press(VK_ESCAPE);
    ASSERT_EQ(program.hotkeys.size(), 4u);
    EXPECT_EQ(program.hotkeys[0].second, MAKELPARAM(0, VK_ESCAPE));
    EXPECT_EQ(program.hotkeys[1].second, MAKELPARAM(MOD_KEYUP, VK_ESCAPE));
    EXPECT_EQ(program.hotkeys[0].first, program.hotkeys[1].first) << "press and release carry one press number";
    EXPECT_NE(program.hotkeys[2].first, program.hotkeys[0].first);
    EXPECT_NE(program.hotkeys[0].first, 0u);
    EXPECT_EQ(::GetForegroundWindow(), program.Window()) << "no default handling";
    EXPECT_TRUE(program.keys.empty());

    // Notified and handled as usual as well.
    EXPECT_EQ(::SendMessageW(bar, SHCMBM_OVERRIDEKEY, VK_ESCAPE, MAKELPARAM(SHMBOF_NODEFAULT, 0)),
              SHMBOF_NODEFAULT | SHMBOF_NOTIFY);
    Press(VK_ESCAPE);
    EXPECT_EQ(program.hotkeys.size(), 6u);
    EXPECT_EQ(::GetForegroundWindow(), home.Window());
}

TEST(BackKey, SentBackToTheFocusItActsOncePerPress)
{
    ProgramWindow program;
    ::SendMessageW(program.CreateBar(IDM_BAR_COMMANDS), SHCMBM_OVERRIDEKEY, VK_ESCAPE, RouteBack);
    Screen screen(program.Window(), true, Forward::Everything);
    screen.SetText(L"abc");
    Press(VK_ESCAPE);
    EXPECT_EQ(screen.hotkeys, 2);
    EXPECT_EQ(screen.Text(), L"ab") << "the press and its release delete one character";

    screen.SetText(L"");
    Press(VK_ESCAPE);
    EXPECT_EQ(screen.cancels, 1);
    // The release of the press that closed the screen does not reach the
    // program window, which takes Back over as well.
    EXPECT_TRUE(program.hotkeys.empty());
}

TEST(BackKey, ReleasesAloneAreEnoughForSendBack)
{
    ProgramWindow program;
    Screen screen(program.Window(), true, Forward::KeyUpsOnly);
    screen.SetText(L"abc");
    Press(VK_ESCAPE);
    EXPECT_EQ(screen.Text(), L"ab");
    // A hot key made up by a program (press number 0) always counts.
    SHSendBackToFocusWindow(WM_HOTKEY, 0, MAKELPARAM(0, VK_ESCAPE));
    EXPECT_EQ(screen.Text(), L"a");
    SHSendBackToFocusWindow(WM_HOTKEY, 0, MAKELPARAM(0, VK_F1));  // not Back: ignored
    EXPECT_EQ(screen.Text(), L"a");
}
