// Program start-up as a person meets it: real processes started twice.
#include "framework/Globals.h"
#include "framework/ResourceModule.h"
#include "framework/SingleInstance.h"
#include "framework/Startup.h"
#include "framework/testsupport/ModalDriver.h"
#include "framework/testsupport/TempFolder.h"

#include "UiTestSupport.h"
#include "test_dialogs.h"

#include <gtest/gtest.h>

namespace {

constexpr wchar_t Helper[] = L"framework_startup_helper.exe";
constexpr DWORD HelperClosedExitCode = 7;

// A class name (and mutex name) no other test uses.
String UniqueClass()
{
    return L"StartupTest-" + String(vellumate::UniqueTestName().c_str());
}

// A copy of the helper program, started with `arguments`.
class HelperProcess : public ChildProcess {
public:
    explicit HelperProcess(const String& arguments)
        : ChildProcess(vellumate::CommandBesideThisProgram(Helper, arguments.Chars()), Output::Inherited)
    {
    }
};

// A window of this process that can take the foreground away from a helper.
class ForegroundWindow {
public:
    ForegroundWindow()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"StartupTestForeground";
        RegisterClassW(&windowClass);
        m_window = CreateWindowExW(0, L"StartupTestForeground", L"Test", WS_POPUP | WS_VISIBLE, 0, 0, 176, 220, nullptr,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~ForegroundWindow() { DestroyWindow(m_window); }
    HWND Get() const noexcept { return m_window; }

private:
    HWND m_window;
};

// The visible main window of a helper, once it shows.
HWND WaitForWindow(const ChildProcess& process, const wchar_t* className)
{
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindProcessWindow(process.Id(), className)) != nullptr; }, 20000);
    return window;
}

// Whether `window` becomes the foreground window. Wine moves the foreground through its server, so the
// change may show a moment after the process that asked for it has ended.
bool BecomesForeground(HWND window)
{
    return WaitUntil([&] { return GetForegroundWindow() == window; }, 5000);
}

TEST(SingleInstance, ASecondCopyBringsTheFirstForwardAndExits)
{
    String className = UniqueClass();
    HelperProcess first(L"window " + className + L" wait");
    ASSERT_TRUE(first.Started());
    HWND window = WaitForWindow(first, className);
    ASSERT_NE(window, nullptr);
    // The title string, cut to the title length.
    EXPECT_EQ(WindowTextOf(window), String(L"A window title longe"));

    ForegroundWindow other;
    SetForegroundWindow(other.Get());
    PumpFor(100);
    ASSERT_EQ(GetForegroundWindow(), other.Get());

    // Looked up by class and the cut title, with quick attempts.
    HelperProcess second(L"window " + className + L" quick title");
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(), 0u);
    EXPECT_TRUE(BecomesForeground(window));
    EXPECT_EQ(CountWindows(className), 1);

    // The first copy's exit code is its quit message's.
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(), HelperClosedExitCode);
}

TEST(SingleInstance, AMutexWithoutAWindowExhaustsTheAttempts)
{
    String className = UniqueClass();
    vellumate::KernelHandle mutex(CreateMutexW(nullptr, FALSE, className));
    ASSERT_TRUE(mutex);

    ULONGLONG start = GetTickCount64();
    HelperProcess waiting(L"window " + className + L" wait");
    ASSERT_TRUE(waiting.Started());
    EXPECT_EQ(waiting.WaitForExit(), 0u);
    ULONGLONG elapsed = GetTickCount64() - start;
    // Five attempts, each waiting 500 ms before its second look.
    EXPECT_GE(elapsed, SingleInstanceAttempts * SingleInstanceWait - 100);

    HelperProcess quick(L"window " + className + L" quick");
    ASSERT_TRUE(quick.Started());
    EXPECT_EQ(quick.WaitForExit(), 0u);
    EXPECT_EQ(CountWindows(className), 0);
}

TEST(ProgramStartupTable, AMissingTitleEndsTheProgramBeforeAnythingIsMade)
{
    // This executable has no string 104.
    HINSTANCE self = GetModuleHandleW(nullptr);
    ProgramStartup startup;
    startup.className = L"File Manager";
    startup.titleId = 104;
    startup.lookupByTitle = true;
    startup.windowProcedure = DefWindowProcW;
    bool prepared = false;
    startup.prepare = [&] { return prepared = true; };

    EXPECT_EQ(RunProgram(self, SW_SHOWNORMAL, startup), 0);
    EXPECT_FALSE(prepared);
    WNDCLASSW registered{};
    EXPECT_FALSE(GetClassInfoW(self, L"File Manager", &registered));
    vellumate::KernelHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, L"File Manager"));
    EXPECT_FALSE(mutex);
    // The framework was initialised before the title was looked for.
    EXPECT_EQ(ProgramTitle(), String(L"T\u00EBst Pr\u00F6gram"));
}

TEST(ProgramStartupTable, WithoutItsLanguageFileAProgramSaysSoAndEnds)
{
    ProgramStartup startup;
    startup.className = L"RIZEMgr";
    startup.titleId = 40021;
    startup.localizedResources = true;
    startup.windowProcedure = DefWindowProcW;
    ModalDriver driver(IDOK);
    EXPECT_EQ(RunProgram(GetModuleHandleW(nullptr), SW_SHOWNORMAL, startup), 0);
    ASSERT_TRUE(driver.Wait());
    EXPECT_EQ(driver.Dialog().text,
              String(L"The language file of this program is missing. Install the program again."));
    EXPECT_EQ(driver.Dialog().caption, String(L"framework_startup_tests.exe"));
    SetResourceModule(nullptr);
}

TEST(DialogProgram, ASecondCopyBringsTheMainDialogForwardAndExitsWithOne)
{
    String mutexName = UniqueClass();
    HelperProcess first(L"dialog " + mutexName);
    ASSERT_TRUE(first.Started());
    HWND dialog = WaitForWindow(first, L"#32770");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowTextOf(dialog), String(L"Dialog Title"));

    ForegroundWindow other;
    SetForegroundWindow(other.Get());
    PumpFor(100);
    ASSERT_EQ(GetForegroundWindow(), other.Get());

    HelperProcess second(L"dialog " + mutexName);
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(), 1u);
    EXPECT_TRUE(BecomesForeground(dialog));

    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(first.WaitForExit(), 1u);
    // The mutex went with the first copy.
    vellumate::KernelHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, mutexName));
    EXPECT_FALSE(mutex);
}

TEST(DialogProgram, AFailedMainDialogExitsWithZeroAndClosesTheMutex)
{
    String mutexName = UniqueClass();
    DialogProgramStartup startup;
    startup.mutexName = mutexName;
    startup.titleId = IDS_TEST_DIALOG_TITLE;
    bool mutexHeld = false;
    startup.runMainDialog = [&] {
        vellumate::KernelHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, mutexName));
        mutexHeld = static_cast<bool>(mutex);
        return INT_PTR{-1};
    };
    EXPECT_EQ(RunDialogProgram(GetModuleHandleW(nullptr), startup), 0);
    EXPECT_TRUE(mutexHeld);
    vellumate::KernelHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, mutexName));
    EXPECT_FALSE(mutex);

    startup.runMainDialog = [] { return INT_PTR{6}; };
    EXPECT_EQ(RunDialogProgram(GetModuleHandleW(nullptr), startup), 1);
}

}  // namespace
