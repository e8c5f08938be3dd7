#include "platform/HandsetHardware.h"

#include "platform/Handles.h"

#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace vellumate;

namespace {

constexpr char Profile[] = "[device]\n"
                           "oem=Test Maker T-1\n"
                           "processor=10003\n"
                           "os_major=5\n"
                           "os_minor=1\n"
                           "os_build=1700\n"
                           "[display]\nwidth=240\nheight=320\nbits=18\n"
                           "[memory]\ntotal=67108864\navailable=16777216\n"
                           "[store]\nsize=41943040\nfree=10485760\n"
                           "[power]\n"
                           "ac=1\nmain_flag=9\nmain_percent=60\nmain_voltage=3900\nmain_temperature=312\n"
                           "backup_flag=128\nbackup_percent=255\nbackup_voltage=0\n";

SYSTEM_POWER_STATUS_EX2 PowerStatus()
{
    SYSTEM_POWER_STATUS_EX2 status;
    std::memset(&status, 0xCD, sizeof status);
    EXPECT_EQ(GetSystemPowerStatusEx2(&status, sizeof status, TRUE), sizeof status);
    return status;
}

std::wstring OemText()
{
    wchar_t text[64] = L"";  // 128 bytes, as the programs pass it
    EXPECT_TRUE(handset::SystemParametersInfoW(SPI_GETOEMINFO, sizeof text, text, 0));
    return text;
}

}  // namespace

TEST(HandsetHardwareTest, AnswersWithTheProfilesFigures)
{
    TempDevice device(Profile);

    STORE_INFORMATION store{};
    ASSERT_TRUE(GetStoreInformation(&store));
    EXPECT_EQ(store.dwStoreSize, 41943040u);
    EXPECT_EQ(store.dwFreeSize, 10485760u);

    MEMORYSTATUS memory{};
    memory.dwLength = sizeof memory;
    handset::GlobalMemoryStatus(&memory);
    EXPECT_EQ(memory.dwTotalPhys, 67108864u);
    EXPECT_EQ(memory.dwAvailPhys, 16777216u);
    EXPECT_EQ(memory.dwMemoryLoad, 75u);
    EXPECT_GT(memory.dwTotalVirtual, 0u);  // not modelled: Win32's figure

    const SYSTEM_POWER_STATUS_EX2 power = PowerStatus();
    EXPECT_EQ(power.ACLineStatus, AC_LINE_ONLINE);
    EXPECT_EQ(power.BatteryFlag, BATTERY_FLAG_HIGH | BATTERY_FLAG_CHARGING);
    EXPECT_EQ(power.BatteryLifePercent, 60);
    EXPECT_EQ(power.BatteryVoltage, 3900u);
    EXPECT_EQ(power.BatteryTemperature, 312u);
    EXPECT_EQ(power.BackupBatteryFlag, BATTERY_FLAG_NO_BATTERY);
    EXPECT_EQ(power.BackupBatteryLifePercent, BATTERY_PERCENTAGE_UNKNOWN);
    EXPECT_EQ(power.BackupBatteryVoltage, 0u);
    EXPECT_EQ(power.BatteryLifeTime, BATTERY_LIFE_UNKNOWN);
    EXPECT_EQ(power.Reserved1, 0);
    EXPECT_EQ(power.BatteryCurrent, 0u);

    SYSTEM_INFO system{};
    handset::GetSystemInfo(&system);
    EXPECT_EQ(system.dwProcessorType, 10003u);
    EXPECT_EQ(system.wProcessorArchitecture, PROCESSOR_ARCHITECTURE_SHX);
    EXPECT_GT(system.dwPageSize, 0u);

    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(handset::GetVersionExW(&version));
    EXPECT_EQ(version.dwMajorVersion, 5u);
    EXPECT_EQ(version.dwMinorVersion, 1u);
    EXPECT_EQ(version.dwBuildNumber, 1700u);
    EXPECT_EQ(version.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_CE));
    EXPECT_STREQ(version.szCSDVersion, L"");

    EXPECT_EQ(OemText(), L"Test Maker T-1");
}

TEST(HandsetHardwareTest, ChangesOfTheProfileAreSeenByTheNextQuery)
{
    TempDevice device(Profile);
    EXPECT_EQ(PowerStatus().BatteryLifePercent, 60);
    EXPECT_EQ(OemText(), L"Test Maker T-1");

    // Same length as before: the size alone does not give the change away.
    std::string changed = Profile;
    changed.replace(changed.find("main_percent=60"), 15, "main_percent=05");
    changed.replace(changed.find("main_flag=9"), 11, "main_flag=2");
    changed.replace(changed.find("T-1"), 3, "T-2");
    device.WriteProfile(changed);

    const SYSTEM_POWER_STATUS_EX2 power = PowerStatus();
    EXPECT_EQ(power.BatteryLifePercent, 5);
    EXPECT_EQ(power.BatteryFlag, BATTERY_FLAG_LOW);
    EXPECT_EQ(OemText(), L"Test Maker T-2");

    device.WriteProfile("[store]\nsize=1000\nfree=10\n");
    STORE_INFORMATION store{};
    ASSERT_TRUE(GetStoreInformation(&store));
    EXPECT_EQ(store.dwStoreSize, 1000u);
    EXPECT_EQ(PowerStatus().BatteryLifePercent, DeviceProfile().main.percent);  // back to the default
}

TEST(HandsetHardwareTest, MissingOrCorruptProfileGivesDefaults)
{
    const DeviceProfile defaults;
    const auto expectDefaultPower = [&](const char* situation) {
        const SYSTEM_POWER_STATUS_EX2 power = PowerStatus();
        EXPECT_EQ(power.BatteryFlag, defaults.main.flag) << situation;
        EXPECT_EQ(power.BatteryLifePercent, defaults.main.percent) << situation;
        EXPECT_EQ(OemText(), defaults.oem) << situation;
    };

    TempDevice device(std::string("\x01\x02garbage\0\xFF", 12));
    expectDefaultPower("binary file");

    ::DeleteFileW(device.ProfilePath().c_str());
    expectDefaultPower("missing file");

    ::CreateDirectoryW(device.ProfilePath().c_str(), nullptr);
    expectDefaultPower("a folder in the file's place");
    ::RemoveDirectoryW(device.ProfilePath().c_str());

    ::SetEnvironmentVariableW(ProfileVariable, nullptr);
    expectDefaultPower("no variable");
    ::SetEnvironmentVariableW(ProfileVariable, device.ProfilePath().c_str());

    // One bad value spoils only itself.
    device.WriteProfile("[power]\nmain_percent=abc\nbackup_percent=50\n");
    const SYSTEM_POWER_STATUS_EX2 power = PowerStatus();
    EXPECT_EQ(power.BatteryLifePercent, defaults.main.percent);
    EXPECT_EQ(power.BackupBatteryLifePercent, 50);
}

TEST(HandsetHardwareTest, RecordsAndBuffersAreCheckedAsOnTheHandset)
{
    TempDevice device(Profile);

    // A shorter record gets what fits, nothing beyond it.
    unsigned char bytes[8];
    std::memset(bytes, 0xCD, sizeof bytes);
    EXPECT_EQ(GetSystemPowerStatusEx2(reinterpret_cast<PSYSTEM_POWER_STATUS_EX2>(bytes), 4, FALSE), 4u);
    EXPECT_EQ(bytes[0], AC_LINE_ONLINE);
    EXPECT_EQ(bytes[2], 60);
    EXPECT_EQ(bytes[4], 0xCD);
    EXPECT_EQ(GetSystemPowerStatusEx2(reinterpret_cast<PSYSTEM_POWER_STATUS_EX2>(bytes), 0, FALSE), 0u);
    EXPECT_EQ(GetSystemPowerStatusEx2(nullptr, sizeof(SYSTEM_POWER_STATUS_EX2), FALSE), 0u);
    EXPECT_FALSE(GetStoreInformation(nullptr));

    // "Test Maker T-1" needs 30 bytes with its terminator.
    wchar_t small[15];
    std::memset(small, 0xAB, sizeof small);
    ::SetLastError(0);
    EXPECT_FALSE(handset::SystemParametersInfoW(SPI_GETOEMINFO, 28, small, 0));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(small[0], static_cast<wchar_t>(0xABAB));
    EXPECT_TRUE(handset::SystemParametersInfoW(SPI_GETOEMINFO, 30, small, 0));
    EXPECT_STREQ(small, L"Test Maker T-1");

    wchar_t platform[32];
    EXPECT_TRUE(handset::SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof platform, platform, 0));
    EXPECT_STREQ(platform, L"SmartPhone");

    RECT workArea{};  // not the handset's business: Win32 answers
    EXPECT_TRUE(handset::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0));

    OSVERSIONINFOW wrongSize{};
    wrongSize.dwOSVersionInfoSize = 12;
    EXPECT_FALSE(handset::GetVersionExW(&wrongSize));
    EXPECT_EQ(wrongSize.dwMajorVersion, 0u);
    OSVERSIONINFOEXW extended{};
    extended.dwOSVersionInfoSize = sizeof extended;
    EXPECT_TRUE(handset::GetVersionExW(reinterpret_cast<LPOSVERSIONINFOW>(&extended)));
    EXPECT_EQ(extended.dwMajorVersion, 5u);
}

TEST(HandsetHardwareTest, ScreenContextsReportTheHandsetsDisplay)
{
    TempDevice device(Profile);
    WindowDC screen(nullptr);
    ASSERT_TRUE(screen);
    EXPECT_EQ(handset::GetDeviceCaps(screen.Get(), HORZRES), 240);
    EXPECT_EQ(handset::GetDeviceCaps(screen.Get(), VERTRES), 320);
    EXPECT_EQ(handset::GetDeviceCaps(screen.Get(), BITSPIXEL), 18);
    EXPECT_EQ(handset::GetDeviceCaps(screen.Get(), PLANES), ::GetDeviceCaps(screen.Get(), PLANES));

    // A bitmap's context is no screen: its own size and depth stay.
    MemoryDCHandle memory(::CreateCompatibleDC(screen.Get()));
    ASSERT_TRUE(memory);
    EXPECT_EQ(handset::GetDeviceCaps(memory.Get(), HORZRES), ::GetDeviceCaps(memory.Get(), HORZRES));
    EXPECT_EQ(handset::GetDeviceCaps(memory.Get(), BITSPIXEL), ::GetDeviceCaps(memory.Get(), BITSPIXEL));
    EXPECT_NE(handset::GetDeviceCaps(memory.Get(), BITSPIXEL), 18);
}
