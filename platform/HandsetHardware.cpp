#include "platform/HandsetHardware.h"

#include "platform/ProfileSource.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

WORD ArchitectureOf(DWORD processorType) noexcept
{
    switch (processorType) {
    case PROCESSOR_INTEL_386:
    case PROCESSOR_INTEL_486:
    case PROCESSOR_INTEL_PENTIUM:
        return PROCESSOR_ARCHITECTURE_INTEL;
    case PROCESSOR_MIPS_R4000:
        return PROCESSOR_ARCHITECTURE_MIPS;
    case PROCESSOR_HITACHI_SH3:
    case PROCESSOR_HITACHI_SH3E:
    case PROCESSOR_HITACHI_SH4:
    case PROCESSOR_SHx_SH3:
    case PROCESSOR_SHx_SH4:
        return PROCESSOR_ARCHITECTURE_SHX;
    case PROCESSOR_ARM720:
    case PROCESSOR_ARM820:
    case PROCESSOR_ARM920:
    case PROCESSOR_STRONGARM:
    case PROCESSOR_ARM_7TDMI:
        return PROCESSOR_ARCHITECTURE_ARM;
    default:
        return PROCESSOR_ARCHITECTURE_UNKNOWN;
    }
}

// Copies a text with its terminator into a caller's buffer of `bytes` bytes.
BOOL CopyText(std::wstring_view text, PVOID buffer, UINT bytes) noexcept
{
    if (!buffer) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::size_t needed = (text.size() + 1) * sizeof(wchar_t);
    if (bytes < needed) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    auto* out = static_cast<wchar_t*>(buffer);
    std::copy(text.begin(), text.end(), out);
    out[text.size()] = L'\0';
    return TRUE;
}

// A device context that draws on the screen, not on a bitmap or a printer.
bool IsScreenContext(HDC dc) noexcept
{
    return dc && ::GetObjectType(dc) == OBJ_DC && ::GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY;
}

}  // namespace

BOOL GetStoreInformation(LPSTORE_INFORMATION lpsi)
{
    if (!lpsi) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const auto profile = vellumate::CurrentDeviceProfile();
    lpsi->dwStoreSize = profile->storeSize;
    lpsi->dwFreeSize = profile->storeFree;
    return TRUE;
}

DWORD GetSystemPowerStatusEx2(PSYSTEM_POWER_STATUS_EX2 pSystemPowerStatusEx2, DWORD dwLen, BOOL)
{
    if (!pSystemPowerStatusEx2 || dwLen == 0) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const auto profile = vellumate::CurrentDeviceProfile();
    SYSTEM_POWER_STATUS_EX2 status{};
    status.ACLineStatus = profile->acLine;
    status.BatteryFlag = profile->main.flag;
    status.BatteryLifePercent = profile->main.percent;
    status.BatteryLifeTime = BATTERY_LIFE_UNKNOWN;
    status.BatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
    status.BackupBatteryFlag = profile->backup.flag;
    status.BackupBatteryLifePercent = profile->backup.percent;
    status.BackupBatteryLifeTime = BATTERY_LIFE_UNKNOWN;
    status.BackupBatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
    status.BatteryVoltage = profile->main.voltage;
    status.BatteryTemperature = profile->main.temperature;
    status.BackupBatteryVoltage = profile->backup.voltage;
    status.BatteryChemistry = BATTERY_CHEMISTRY_UNKNOWN;

    const DWORD filled = std::min<DWORD>(dwLen, sizeof status);
    std::memcpy(pSystemPowerStatusEx2, &status, filled);
    return filled;
}

namespace handset {

void GlobalMemoryStatus(LPMEMORYSTATUS lpBuffer)
{
    if (!lpBuffer)
        return;
    ::GlobalMemoryStatus(lpBuffer);
    const auto profile = vellumate::CurrentDeviceProfile();
    lpBuffer->dwTotalPhys = static_cast<SIZE_T>(profile->memoryTotal);
    lpBuffer->dwAvailPhys = static_cast<SIZE_T>(profile->memoryAvailable);
    lpBuffer->dwMemoryLoad =
        profile->memoryTotal == 0
            ? 0
            : static_cast<DWORD>((profile->memoryTotal - profile->memoryAvailable) * 100 / profile->memoryTotal);
}

void GetSystemInfo(LPSYSTEM_INFO lpSystemInfo)
{
    if (!lpSystemInfo)
        return;
    ::GetSystemInfo(lpSystemInfo);
    const auto profile = vellumate::CurrentDeviceProfile();
    lpSystemInfo->dwProcessorType = profile->processorType;
    lpSystemInfo->wProcessorArchitecture = ArchitectureOf(profile->processorType);
}

BOOL GetVersionExW(LPOSVERSIONINFOW lpVersionInformation)
{
    if (!lpVersionInformation) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!::GetVersionExW(lpVersionInformation))
        return FALSE;  // a wrong size field: Win32 says so
    const auto profile = vellumate::CurrentDeviceProfile();
    lpVersionInformation->dwMajorVersion = profile->osMajor;
    lpVersionInformation->dwMinorVersion = profile->osMinor;
    lpVersionInformation->dwBuildNumber = profile->osBuild;
    lpVersionInformation->dwPlatformId = profile->osPlatform;
    lpVersionInformation->szCSDVersion[0] = L'\0';
    if (lpVersionInformation->dwOSVersionInfoSize >= sizeof(OSVERSIONINFOEXW)) {
        auto* extended = reinterpret_cast<LPOSVERSIONINFOEXW>(lpVersionInformation);
        extended->wServicePackMajor = 0;
        extended->wServicePackMinor = 0;
    }
    return TRUE;
}

BOOL SystemParametersInfoW(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni)
{
    switch (uiAction) {
    case SPI_GETOEMINFO:
        return CopyText(vellumate::CurrentDeviceProfile()->oem, pvParam, uiParam);
    case SPI_GETPLATFORMTYPE:
        return CopyText(L"SmartPhone", pvParam, uiParam);
    default:
        return ::SystemParametersInfoW(uiAction, uiParam, pvParam, fWinIni);
    }
}

int GetDeviceCaps(HDC hdc, int index)
{
    if ((index != HORZRES && index != VERTRES && index != BITSPIXEL) || !IsScreenContext(hdc))
        return ::GetDeviceCaps(hdc, index);
    const auto profile = vellumate::CurrentDeviceProfile();
    switch (index) {
    case HORZRES:
        return profile->displayWidth;
    case VERTRES:
        return profile->displayHeight;
    default:
        return profile->displayBits;
    }
}

}  // namespace handset
