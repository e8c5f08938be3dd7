// The handset's hardware as its system reports it: object store, power,
// memory, processor, system version, maker text and screen. Every answer
// comes from the device profile (DeviceProfile.h), read fresh on each call,
// so a change made with `./vellumate device` is seen by the next call.
//
// GetStoreInformation and GetSystemPowerStatusEx2 do not exist on the
// desktop and are declared here under their own names. The others do exist
// there (imported from system DLLs) and cannot be redefined; the handset's
// versions live in namespace `handset` with the same signatures, answer what
// the profile models and forward everything else to Win32.
#pragma once

#include <windows.h>

// ---- object store -----------------------------------------------------------

typedef struct STORE_INFORMATION {
    DWORD dwStoreSize;  // bytes of the object store
    DWORD dwFreeSize;   // bytes not in use
} STORE_INFORMATION, *LPSTORE_INFORMATION;

BOOL GetStoreInformation(LPSTORE_INFORMATION lpsi);

// ---- power ------------------------------------------------------------------
// AC_LINE_*, BATTERY_FLAG_* (1 high, 2 low, 4 critical, 8 charging, 128 no
// battery, 255 unknown), BATTERY_PERCENTAGE_UNKNOWN and BATTERY_LIFE_UNKNOWN
// come from <windows.h> with the handset's values.

#ifndef BATTERY_CHEMISTRY_ALKALINE
#define BATTERY_CHEMISTRY_ALKALINE 0x01
#define BATTERY_CHEMISTRY_NICD 0x02
#define BATTERY_CHEMISTRY_NIMH 0x03
#define BATTERY_CHEMISTRY_LION 0x04
#define BATTERY_CHEMISTRY_LIPOLY 0x05
#define BATTERY_CHEMISTRY_UNKNOWN 0xFF
#endif

// The extended power status record. Only DWORD and BYTE fields, so its size
// is 56 bytes on the 32-bit handset and on this 64-bit target alike; pass
// sizeof(SYSTEM_POWER_STATUS_EX2) as the length all the same.
typedef struct SYSTEM_POWER_STATUS_EX2 {
    BYTE ACLineStatus;
    BYTE BatteryFlag;
    BYTE BatteryLifePercent;
    BYTE Reserved1;
    DWORD BatteryLifeTime;
    DWORD BatteryFullLifeTime;
    BYTE Reserved2;
    BYTE BackupBatteryFlag;
    BYTE BackupBatteryLifePercent;
    BYTE Reserved3;
    DWORD BackupBatteryLifeTime;
    DWORD BackupBatteryFullLifeTime;
    DWORD BatteryVoltage;  // millivolts
    DWORD BatteryCurrent;  // milliamperes
    DWORD BatteryAverageCurrent;
    DWORD BatteryAverageInterval;  // milliseconds
    DWORD BatterymAHourConsumed;
    DWORD BatteryTemperature;    // tenths of a degree Celsius
    DWORD BackupBatteryVoltage;  // millivolts
    BYTE BatteryChemistry;
} SYSTEM_POWER_STATUS_EX2, *PSYSTEM_POWER_STATUS_EX2, *LPSYSTEM_POWER_STATUS_EX2;

static_assert(sizeof(SYSTEM_POWER_STATUS_EX2) == 56, "the record the programs rely on");

// Fills up to dwLen bytes of the record and returns how many it filled; 0
// (with the last error set) for a null record or a zero length. fUpdate asks
// for fresh values; they always are.
DWORD GetSystemPowerStatusEx2(PSYSTEM_POWER_STATUS_EX2 pSystemPowerStatusEx2, DWORD dwLen, BOOL fUpdate);

// ---- system parameters --------------------------------------------------------

#ifndef SPI_GETPLATFORMTYPE
#define SPI_GETPLATFORMTYPE 257  // "SmartPhone"
#endif
#ifndef SPI_GETOEMINFO
#define SPI_GETOEMINFO 258  // the maker text
#endif
#ifndef VER_PLATFORM_WIN32_CE
#define VER_PLATFORM_WIN32_CE 3
#endif

namespace handset {

// Physical memory and memory load from the profile; the rest from Win32.
void GlobalMemoryStatus(LPMEMORYSTATUS lpBuffer);

// The processor type (and the architecture that goes with it) from the
// profile; the rest from Win32.
void GetSystemInfo(LPSYSTEM_INFO lpSystemInfo);

// Version numbers, platform id and an empty service-pack text from the
// profile. The record's size field must be set as on Win32.
BOOL GetVersionExW(LPOSVERSIONINFOW lpVersionInformation);

// SPI_GETOEMINFO and SPI_GETPLATFORMTYPE copy their text into pvParam, whose
// size in bytes is uiParam; a buffer too small for the text with its
// terminator fails with ERROR_INSUFFICIENT_BUFFER. Other requests go to Win32.
BOOL SystemParametersInfoW(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni);

// HORZRES, VERTRES and BITSPIXEL of a screen device context from the
// profile's display; everything else, and every other context (memory
// contexts, printers), from Win32.
int GetDeviceCaps(HDC hdc, int index);

}  // namespace handset
