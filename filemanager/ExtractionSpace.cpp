#include "filemanager/ExtractionSpace.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/TemporaryFolders.h"

#include "platform/HandsetHardware.h"
#include "platform/VolumeSpace.h"

namespace {

constexpr std::uint64_t OneGibibyte = 0x40000000;
constexpr std::uint64_t Margin = 500000;

String TopComponent(const String& target)
{
    const String folder = NormalizeFolderPath(target);
    const int slash = folder.Find(L'\\', 1);
    return slash < 0 ? folder.Mid(1) : folder.Mid(1, slash - 1);
}

}  // namespace

SpaceFigure SpaceFigureFor(const String& target, const String& cardFolder, const String& personalTopFolder)
{
    const String top = TopComponent(target);
    if (!top.IsEmpty() && ((!cardFolder.IsEmpty() && top.CompareNoCase(cardFolder) == 0) ||
                           (!personalTopFolder.IsEmpty() && top.CompareNoCase(personalTopFolder) == 0)))
        return SpaceFigure::Volume;
    return SpaceFigure::ObjectStore;
}

bool HasRoomFor(SpaceFigure figure, std::uint64_t freeBytes, std::uint64_t need) noexcept
{
    if (figure == SpaceFigure::Volume && freeBytes >= OneGibibyte)
        return true;
    return freeBytes > need && freeBytes - need > Margin;
}

bool EnoughSpaceFor(const String& target, std::uint64_t need)
{
    const SpaceFigure figure = SpaceFigureFor(target, FirstStorageCard(), PersonalTopFolder());
    std::uint64_t freeBytes = 0;
    if (figure == SpaceFigure::Volume) {
        ULARGE_INTEGER available{};
        const String volume = L"\\" + TopComponent(target);
        if (!handset::GetDiskFreeSpaceExW(ToFileSystemPath(volume), &available, nullptr, nullptr))
            return true;
        freeBytes = available.QuadPart;
    } else {
        STORE_INFORMATION store{};
        if (!GetStoreInformation(&store))
            return true;
        freeBytes = store.dwFreeSize;
    }
    return HasRoomFor(figure, freeBytes, need);
}
