#include "sysinfo/SystemFigures.h"

#include "sysinfo/VolumeOrder.h"

#include "platform/Handles.h"
#include "platform/HandsetHardware.h"
#include "platform/VolumeSpace.h"

namespace {

double Bytes(const ULARGE_INTEGER& value) noexcept
{
    return value.HighPart * 4294967296.0 + value.LowPart;
}

}  // namespace

MemoryFigures ReadMemoryFigures()
{
    MemoryFigures figures;
    STORE_INFORMATION store{};
    if (GetStoreInformation(&store)) {
        figures.storeSize = store.dwStoreSize;
        figures.storeFree = store.dwFreeSize;
    }
    MEMORYSTATUS memory{};
    memory.dwLength = sizeof memory;
    handset::GlobalMemoryStatus(&memory);
    figures.physicalTotal = static_cast<double>(memory.dwTotalPhys);
    figures.physicalAvailable = static_cast<double>(memory.dwAvailPhys);
    return figures;
}

VolumeFigures ReadVolumeFigures(const String& volume)
{
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    if (!handset::GetDiskFreeSpaceExW(VolumeFolder(volume), &available, &total, nullptr))
        return {};
    return {Bytes(total), Bytes(available)};
}

bool ReadPowerStatus(SYSTEM_POWER_STATUS_EX2& status)
{
    SYSTEM_POWER_STATUS_EX2 fresh{};
    if (GetSystemPowerStatusEx2(&fresh, sizeof fresh, TRUE) != sizeof fresh)
        return false;
    status = fresh;
    return true;
}

DeviceFacts ReadDeviceFacts()
{
    DeviceFacts facts;
    wchar_t maker[64] = L"";  // the 128 bytes the handset's programs pass
    if (handset::SystemParametersInfoW(SPI_GETOEMINFO, sizeof maker, maker, 0)) {
        maker[std::size(maker) - 1] = L'\0';
        facts.maker = maker;
    }

    vellumate::WindowDC screen(nullptr);
    const HDC dc = screen.Get();
    facts.resolution.FormatText(L"%d X %d", handset::GetDeviceCaps(dc, HORZRES), handset::GetDeviceCaps(dc, VERTRES));
    facts.colours = ColourCountText(handset::GetDeviceCaps(dc, BITSPIXEL));
    return facts;
}

String ColourCountText(int bitsPerPixel)
{
    const unsigned count = bitsPerPixel >= 0 && bitsPerPixel < 32 ? 1u << bitsPerPixel : 0u;
    String text;
    text.FormatText(L"%u", count);
    return text;
}
