#include "framework/SystemTexts.h"

#include "platform/FlashCard.h"
#include "platform/Handles.h"
#include "platform/VolumeSpace.h"

namespace {

struct ProcessorRow {
    DWORD type;
    const wchar_t* name;
};

constexpr ProcessorRow Processors[] = {
    {386, L"386"},  {486, L"486"},         {586, L"PENTIUM"}, {1824, L"ARM 720"},
    {2577, L"ARM"}, {4000, L"MIPS R4000"}, {10003, L"SH3"},   {10005, L"SH4"},
};

constexpr BYTE BatteryFlags[] = {1, 2, 4, 8, 128, 255};
constexpr int ChargingIndex = 3;
constexpr int UnknownIndex = 5;

bool StartsWithNoCase(const String& text, const String& prefix) noexcept
{
    if (prefix.Length() > text.Length())
        return false;
    return CompareStringOrdinal(text.Chars(), prefix.Length(), prefix.Chars(), prefix.Length(), TRUE) == CSTR_EQUAL;
}

}  // namespace

String ProcessorName(DWORD processorType, const String& unknown)
{
    for (const ProcessorRow& row : Processors) {
        if (row.type == processorType)
            return row.name;
    }
    return unknown;
}

String SystemName(DWORD platformId, DWORD minorVersion, const String& unknown)
{
    switch (platformId) {
    case 0:
        return L"Win32s";
    case 1:
        return minorVersion != 0 ? L"Windows 98" : L"Windows 95";
    case 2:
        return L"Windows NT";
    case 3:
        return L"Windows CE";
    default:
        return unknown;
    }
}

String VersionNumberText(DWORD major, DWORD minor)
{
    if (minor < 10)
        minor *= 10;
    String text;
    text.FormatText(L"%u.%.2u", static_cast<unsigned>(major), static_cast<unsigned>(minor));
    return text;
}

BatteryStateNames SplitBatteryStates(const String& names)
{
    BatteryStateNames split;
    int start = 0;
    for (int index = 0; index < MediumBatteryState; ++index) {
        String& name = split[index];
        if (start > names.Length())
            break;
        int end = names.Find(L'|', start);
        if (end < 0)
            end = names.Length();
        name = names.Mid(start, end - start);
        name.Trim();
        start = end + 1;
    }
    return split;
}

const String& BatteryStateName(BYTE flag, const BatteryStateNames& names)
{
    for (int index = 0; index < 6; ++index) {
        if (BatteryFlags[index] == flag)
            return names[index];
    }
    if (flag == 0 && !names[MediumBatteryState].IsEmpty())
        return names[MediumBatteryState];
    if (flag & BatteryFlags[ChargingIndex])
        return names[ChargingIndex];
    for (int index = 0; index < 3; ++index) {
        if (flag & BatteryFlags[index])
            return names[index];
    }
    return names[UnknownIndex];
}

String BatteryText(BYTE flag, BYTE percent, const BatteryStateNames& names)
{
    String text = BatteryStateName(flag, names);
    if (flag != 128 && flag != 255 && percent <= 100) {
        String share;
        share.FormatText(L" (%.2d%%)", static_cast<int>(percent));
        text += share;
    }
    return text;
}

bool IsShownVolume(const String& name, std::uint64_t total) noexcept
{
    return total != 0 && name.CompareNoCase(L"Release") != 0;
}

String MainVolumeName(const String& personalFolder)
{
    String path = personalFolder;
    path.TrimRight(L'\\');
    const int last = path.ReverseFind(L'\\');
    if (last < 0)
        return String();
    String above = path.Left(last);
    return above.Mid(above.ReverseFind(L'\\') + 1);
}

std::vector<VolumeSizes> MeasureVolumes()
{
    std::vector<VolumeSizes> volumes;
    WIN32_FIND_DATAW found{};
    vellumate::FindHandle cards(FindFirstFlashCard(&found));
    if (!cards)
        return volumes;
    do {
        VolumeSizes volume;
        volume.name = found.cFileName;
        if (volume.name.IsEmpty() || volume.name.CompareNoCase(L"Release") == 0)
            continue;
        ULARGE_INTEGER available{}, total{};
        const String folder = L"\\" + volume.name;
        if (!handset::GetDiskFreeSpaceExW(folder, &available, &total, nullptr))
            continue;
        volume.total = total.QuadPart;
        volume.free = available.QuadPart;
        if (IsShownVolume(volume.name, volume.total))
            volumes.push_back(volume);
    } while (FindNextFlashCard(cards.Get(), &found));
    return volumes;
}

std::optional<std::size_t> LastMatchingVolume(const std::vector<VolumeSizes>& volumes, const String& mainVolume)
{
    std::optional<std::size_t> matching;
    for (std::size_t index = 0; index < volumes.size(); ++index) {
        if (StartsWithNoCase(volumes[index].name, mainVolume))
            matching = index;
    }
    return matching;
}

VolumeGroups ChooseVolumeGroups(const std::vector<VolumeSizes>& volumes, const String& mainVolume)
{
    VolumeGroups groups;
    const std::size_t count = volumes.size();
    if (count == 0)
        return groups;
    if (count == 1) {
        groups.first = 0;
        groups.secondUnknown = true;
        return groups;
    }
    // A match at the first volume counts as none.
    if (LastMatchingVolume(volumes, mainVolume).value_or(0) != 0) {
        groups.first = count - 1;
        groups.second = 0;
    } else {
        groups.first = 0;
        groups.second = count - 1;
    }
    return groups;
}

VolumeGroups ChooseMatchingVolumeFirst(const std::vector<VolumeSizes>& volumes, const String& mainVolume)
{
    if (volumes.size() < 2)
        return ChooseVolumeGroups(volumes, mainVolume);
    VolumeGroups groups;
    if (const std::optional<std::size_t> matching = LastMatchingVolume(volumes, mainVolume)) {
        groups.first = *matching;
        groups.second = 0;
    } else {
        groups.first = 0;
        groups.second = volumes.size() - 1;
    }
    return groups;
}
