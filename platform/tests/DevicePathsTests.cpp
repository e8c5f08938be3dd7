#include "platform/DevicePaths.h"

#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace vellumate;

namespace {

// Runs with VELLUMATE_ROOT unset, as a program on the handset does, and the
// current directory on `folder`; both are restored afterwards.
class WithoutRootVariable {
public:
    explicit WithoutRootVariable(const std::wstring& folder)
    {
        ::GetCurrentDirectoryW(MAX_PATH, m_oldDirectory);
        m_hadRoot = ::GetEnvironmentVariableW(RootVariable, m_oldRoot, MAX_PATH) != 0;
        ::SetEnvironmentVariableW(RootVariable, nullptr);
        ::SetCurrentDirectoryW(folder.c_str());
    }
    ~WithoutRootVariable()
    {
        ::SetCurrentDirectoryW(m_oldDirectory);
        ::SetEnvironmentVariableW(RootVariable, m_hadRoot ? m_oldRoot : nullptr);
    }

private:
    wchar_t m_oldDirectory[MAX_PATH] = L"";
    wchar_t m_oldRoot[MAX_PATH] = L"";
    bool m_hadRoot = false;
};

}  // namespace

TEST(DevicePathsTest, OnTheHandsetTheRootIsTheCurrentDrivesWrittenOut)
{
    TempDevice device;
    WithoutRootVariable handset(device.Root().wstring());
    const std::wstring drive = device.Root().wstring().substr(0, 2);  // "C:"

    // Written out with its drive, because shell queries refuse "\x".
    EXPECT_EQ(DeviceRoot(), drive + L"\\");
    EXPECT_EQ(ToDevicePath(L"\\My Documents\\a.txt"), drive + L"\\My Documents\\a.txt");
    EXPECT_EQ(PathBelowDeviceRoot(L"\\My Documents"), std::optional<std::wstring>(L"My Documents"));
}

TEST(DevicePathsTest, HandsetPathsMapBelowTheRootAndOthersStayAsTheyAre)
{
    TempDevice device;
    const std::wstring root = device.Root().wstring() + L"\\";
    EXPECT_EQ(DeviceRoot(), root);
    EXPECT_EQ(ToDevicePath(L"\\Storage Card\\x"), root + L"Storage Card\\x");
    EXPECT_EQ(ToDevicePath(L"C:\\elsewhere"), L"C:\\elsewhere");
    EXPECT_EQ(ToDevicePath(L"\\\\server\\share"), L"\\\\server\\share");
    EXPECT_EQ(ToDevicePath(L"relative"), L"relative");

    EXPECT_EQ(PathBelowDeviceRoot(L"\\"), std::optional<std::wstring>(L""));
    EXPECT_EQ(PathBelowDeviceRoot(root + L"Storage Card\\"), std::optional<std::wstring>(L"Storage Card"));
    // A sibling whose name starts like the root is not inside it.
    EXPECT_EQ(PathBelowDeviceRoot(device.Root().wstring() + L"ed\\x"), std::nullopt);
}
