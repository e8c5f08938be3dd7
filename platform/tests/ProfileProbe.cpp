// Prints the hardware as a program sees it through the platform, one fact a
// line, for the test of the tool's device commands (device_commands.sh):
//
//   oem TEXT | store SIZE FREE | memory TOTAL AVAILABLE
//   main FLAG PERCENT VOLTAGE | backup FLAG PERCENT VOLTAGE | ac STATUS
//   card NAME TOTAL FREE      (per card of the enumeration)
#include "platform/FlashCard.h"
#include "platform/HandsetHardware.h"
#include "platform/Handles.h"
#include "platform/VolumeSpace.h"

#include "framework/testsupport/ConsoleLine.h"

#include <windows.h>

#include <string>

namespace {

void Say(const std::wstring& line)
{
    vellumate::WriteConsoleLine(line);
}

std::wstring Number(unsigned long long value)
{
    return std::to_wstring(value);
}

}  // namespace

int wmain()
{
    wchar_t oem[64];
    Say(L"oem " + std::wstring(handset::SystemParametersInfoW(SPI_GETOEMINFO, sizeof oem, oem, 0) ? oem : L"?"));

    STORE_INFORMATION store{};
    GetStoreInformation(&store);
    Say(L"store " + Number(store.dwStoreSize) + L" " + Number(store.dwFreeSize));

    MEMORYSTATUS memory{};
    handset::GlobalMemoryStatus(&memory);
    Say(L"memory " + Number(memory.dwTotalPhys) + L" " + Number(memory.dwAvailPhys));

    SYSTEM_POWER_STATUS_EX2 power{};
    GetSystemPowerStatusEx2(&power, sizeof power, TRUE);
    Say(L"ac " + Number(power.ACLineStatus));
    Say(L"main " + Number(power.BatteryFlag) + L" " + Number(power.BatteryLifePercent) + L" " +
        Number(power.BatteryVoltage));
    Say(L"backup " + Number(power.BackupBatteryFlag) + L" " + Number(power.BackupBatteryLifePercent) + L" " +
        Number(power.BackupBatteryVoltage));

    WIN32_FIND_DATAW card;
    vellumate::FindHandle find(FindFirstFlashCard(&card));
    for (bool more = static_cast<bool>(find); more; more = FindNextFlashCard(find.Get(), &card)) {
        ULARGE_INTEGER available{}, total{}, free{};
        handset::GetDiskFreeSpaceExW((L"\\" + std::wstring(card.cFileName)).c_str(), &available, &total, &free);
        Say(L"card " + std::wstring(card.cFileName) + L" " + Number(total.QuadPart) + L" " + Number(free.QuadPart));
    }
    return 0;
}
