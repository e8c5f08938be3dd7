#include "platform/shell/Launch.h"

#include "framework/testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace vellumate;

namespace {

TEST(LaunchCommand, PutsHandsetPathsOnTheDeviceDrive)
{
    const LaunchCommand command = BuildLaunchCommand({L"\\Program Files\\Vellumate\\tarnwell.exe", L""}, L"D:");
    EXPECT_EQ(command.applicationPath, L"D:\\Program Files\\Vellumate\\tarnwell.exe");
    EXPECT_EQ(command.commandLine, L"\"D:\\Program Files\\Vellumate\\tarnwell.exe\"");
    EXPECT_EQ(command.currentDirectory, L"D:\\");

    const LaunchCommand withArguments = BuildLaunchCommand({L"\\Windows\\tmail.exe", L"-to \"a b\""}, L"D:");
    EXPECT_EQ(withArguments.commandLine, L"\"D:\\Windows\\tmail.exe\" -to \"a b\"");
}

TEST(LaunchCommand, LeavesPathsWithADriveOrShareAlone)
{
    EXPECT_EQ(BuildLaunchCommand({L"C:\\windows\\notepad.exe", L""}, L"D:").applicationPath,
              L"C:\\windows\\notepad.exe");
    EXPECT_EQ(BuildLaunchCommand({L"\\\\host\\share\\a.exe", L""}, L"D:").applicationPath, L"\\\\host\\share\\a.exe");
}

TEST(LaunchCommand, LooksForABareNameInTheDeviceWindowsFolderFirst)
{
    TempFolder device;  // stands in for the device drive
    device.Write(L"Windows\\tobex.exe", "MZ");

    const LaunchCommand found = BuildLaunchCommand({L"tobex.exe", L"-receive"}, device.Path());
    EXPECT_EQ(found.applicationPath, device.Path() + L"\\Windows\\tobex.exe");
    EXPECT_EQ(found.commandLine, L"\"" + device.Path() + L"\\Windows\\tobex.exe\" -receive");

    const LaunchCommand searched = BuildLaunchCommand({L"notepad.exe", L""}, device.Path());
    EXPECT_EQ(searched.applicationPath, L"") << "left to the search path";
    EXPECT_EQ(searched.commandLine, L"\"notepad.exe\"");
}

TEST(StartProgram, ReportsAProgramThatIsNotThere)
{
    TempFolder device;
    const DWORD error = StartProgram(BuildLaunchCommand({L"\\Program Files\\none.exe", L""}, device.Path()));
    EXPECT_TRUE(error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) << error;
}

TEST(StartProgram, RunsTheProgramInTheDeviceRoot)
{
    TempFolder device;
    wchar_t system[MAX_PATH + 1];
    ASSERT_GT(::GetSystemDirectoryW(system, MAX_PATH + 1), 0u);

    LaunchCommand command;
    command.applicationPath = std::wstring(system) + L"\\cmd.exe";
    command.commandLine = L"cmd.exe /c cd > where.txt";
    command.currentDirectory = device.Path() + L"\\";
    ASSERT_EQ(StartProgram(command), static_cast<DWORD>(ERROR_SUCCESS));

    const std::filesystem::path output = device.Path() + L"\\where.txt";
    std::string where;
    for (int waited = 0; waited < 200 && where.empty(); ++waited) {
        ::Sleep(50);
        std::ifstream in(output);
        std::getline(in, where);
    }
    while (!where.empty() && (where.back() == '\r' || where.back() == '\\'))
        where.pop_back();
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::path(where), device.Path())) << where;
}

}  // namespace
