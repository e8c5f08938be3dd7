// File-change notifications across processes: this test process plays the
// home shell (its relay window), a helper program plays a registered program.
// These tests run alone (RUN_SERIAL): the shell's relay is found by window
// class, and a second test's relay would take the registrations.
#include "platform/ShellNotify.h"
#include "platform/ShellNotifyProtocol.h"
#include "platform/shell/NotifyRelay.h"

#include "framework/testsupport/ChildProcess.h"
#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

using namespace vellumate;

namespace {

class ShellNotifyTest : public ::testing::Test {
protected:
    ShellNotifyTest() : device_("[card:Storage Card]\nstate=inserted\n")
    {
        device_.MakeFolder(L"Storage Card");
        EXPECT_TRUE(relay_.Create(::GetModuleHandleW(nullptr)));
    }

    // Starts a helper registered for `arguments` ("MASK [WATCHDIR] [--once]").
    std::unique_ptr<ChildProcess> StartProgram(const std::wstring& arguments)
    {
        auto program =
            std::make_unique<ChildProcess>(CommandBesideThisProgram(L"services_notify_helper.exe", arguments));
        EXPECT_TRUE(*program) << "cannot start the helper";
        EXPECT_EQ(program->NextLine(), "registered");
        return program;
    }

    TempDevice device_;
    NotifyRelay relay_;
};

class OwnWindow {
public:
    OwnWindow()
        : window_(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr))
    {
    }
    ~OwnWindow() { ::DestroyWindow(window_); }
    HWND Get() const { return window_; }

    // The notification posted to the window, if one comes within a second.
    FILECHANGENOTIFY* Receive() const
    {
        const ULONGLONG deadline = ::GetTickCount64() + 1000;
        MSG message;
        while (!::PeekMessageW(&message, window_, WM_FILECHANGEINFO, WM_FILECHANGEINFO, PM_REMOVE)) {
            if (::GetTickCount64() > deadline)
                return nullptr;
            ::Sleep(10);
        }
        return reinterpret_cast<FILECHANGENOTIFY*>(message.lParam);
    }

private:
    HWND window_;
};

}  // namespace

TEST_F(ShellNotifyTest, AnotherProgramsWindowReceivesCardInsertionAndRemoval)
{
    const auto program = StartProgram(L"0x180");
    EXPECT_EQ(relay_.RegistrationCount(), 1u);

    EXPECT_EQ(SendDeviceEvent(SHCNE_DRIVEADD, L"\\Storage Card"), DeviceEventResult::Delivered);
    EXPECT_EQ(program->NextLine(), "event 256 \\Storage Card attributes=0x110 live=1");
    EXPECT_EQ(program->NextLine(), "freed live=0");

    // The tool parks a removed card's folder outside the root first.
    std::filesystem::rename(device_.Root() / L"Storage Card", device_.Root().parent_path() / L"parked");
    EXPECT_EQ(SendDeviceEvent(SHCNE_DRIVEREMOVED, L"\\Storage Card"), DeviceEventResult::Delivered);
    EXPECT_EQ(program->NextLine(), "event 128 \\Storage Card attributes=0 live=1");
    EXPECT_EQ(program->NextLine(), "freed live=0");
}

TEST_F(ShellNotifyTest, OnlyMatchingEventsAndFoldersAreDelivered)
{
    const auto removalsOnly = StartProgram(L"0x80");
    const auto rootWatcher = StartProgram(L"0x180 \\");
    const auto elsewhere = StartProgram(L"0x180 \"\\My Documents\"");
    EXPECT_EQ(relay_.RegistrationCount(), 3u);

    EXPECT_EQ(relay_.Deliver(SHCNE_DRIVEADD, L"\\Storage Card"), 1u);
    EXPECT_EQ(relay_.Deliver(SHCNE_DRIVEREMOVED, L"\\Storage Card"), 2u);
    EXPECT_EQ(relay_.Deliver(SHCNE_CREATE, L"\\Storage Card"), 0u);

    // The folder is still there at the removal: a plain folder's attributes.
    EXPECT_EQ(removalsOnly->NextLine(), "event 128 \\Storage Card attributes=0x10 live=1");
    EXPECT_EQ(rootWatcher->NextLine(), "event 256 \\Storage Card attributes=0x110 live=1");
    EXPECT_EQ(rootWatcher->NextLine(), "freed live=0");
    EXPECT_EQ(rootWatcher->NextLine(), "event 128 \\Storage Card attributes=0x10 live=1");
    EXPECT_EQ(elsewhere->PendingLines(), 0u);
}

TEST_F(ShellNotifyTest, DeregisteredAndVanishedProgramsAreDropped)
{
    const auto once = StartProgram(L"0x100 --once");
    const auto crashing = StartProgram(L"0x100");
    EXPECT_EQ(relay_.RegistrationCount(), 2u);

    EXPECT_EQ(relay_.Deliver(SHCNE_DRIVEADD, L"\\Storage Card"), 2u);
    EXPECT_EQ(once->NextLine(), "event 256 \\Storage Card attributes=0x110 live=1");
    EXPECT_EQ(once->NextLine(), "freed live=0");
    EXPECT_EQ(once->NextLine(), "deregistered 1");
    EXPECT_EQ(relay_.RegistrationCount(), 1u);

    crashing->Kill();
    EXPECT_EQ(relay_.Deliver(SHCNE_DRIVEADD, L"\\Storage Card"), 0u);
    EXPECT_EQ(relay_.RegistrationCount(), 0u);
}

TEST_F(ShellNotifyTest, AWindowOfTheShellsOwnProcessIsServedAlike)
{
    OwnWindow window;
    SHCHANGENOTIFYENTRY entry{SHCNE_DRIVEADD, nullptr, TRUE};
    ASSERT_TRUE(SHChangeNotifyRegister(window.Get(), &entry));
    ASSERT_TRUE(SHChangeNotifyRegister(window.Get(), &entry));  // again: still one registration
    EXPECT_EQ(relay_.RegistrationCount(), 1u);

    EXPECT_EQ(relay_.Deliver(SHCNE_DRIVEADD, L"\\Storage Card\\"), 1u);
    FILECHANGENOTIFY* notify = window.Receive();
    ASSERT_NE(notify, nullptr);
    EXPECT_EQ(notify->dwRefCount, 1u);
    EXPECT_EQ(notify->fci.cbSize, sizeof(FILECHANGEINFO));
    EXPECT_EQ(notify->fci.wEventId, SHCNE_DRIVEADD);
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(notify->fci.dwItem1), L"\\Storage Card\\");
    EXPECT_EQ(LiveFileChangeNotifications(), 1u);
    SHChangeNotifyFree(notify);
    EXPECT_EQ(LiveFileChangeNotifications(), 0u);
    SHChangeNotifyFree(nullptr);

    EXPECT_TRUE(SHChangeNotifyDeregister(window.Get()));
    EXPECT_FALSE(SHChangeNotifyDeregister(window.Get()));
    EXPECT_EQ(relay_.RegistrationCount(), 0u);
    EXPECT_EQ(relay_.Deliver(SHCNE_DRIVEADD, L"\\Storage Card"), 0u);
    EXPECT_EQ(window.Receive(), nullptr);
}

TEST(ShellNotifyWithoutShellTest, RegistrationFailsAndEventsHaveNoTaker)
{
    OwnWindow window;
    SHCHANGENOTIFYENTRY entry{SHCNE_DRIVEADD, nullptr, FALSE};
    ::SetLastError(0);
    EXPECT_FALSE(SHChangeNotifyRegister(window.Get(), &entry));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SERVICE_NOT_ACTIVE));
    EXPECT_FALSE(SHChangeNotifyRegister(window.Get(), nullptr));
    EXPECT_FALSE(SHChangeNotifyRegister(::GetDesktopWindow(), &entry));  // not this program's window
    EXPECT_EQ(SendDeviceEvent(SHCNE_DRIVEADD, L"\\Storage Card"), DeviceEventResult::NoShell);
}
