#include "filemanager/archive/ArchiveMember.h"

namespace {

// A folder entry's name without its trailing "\".
std::wstring_view BareName(const ArchiveMember& member)
{
    std::wstring_view name = member.name;
    if (IsFolder(member) && !name.empty() && name.back() == L'\\')
        name.remove_suffix(1);
    return name;
}

// 1601-01-01 to 1970-01-01 in 100-nanosecond units.
constexpr std::uint64_t FileTimeOf1970 = 116444736000000000ull;

}  // namespace

bool IsFolder(const ArchiveMember& member) noexcept
{
    return (member.externalAttributes & MemberAttributeFolder) != 0 ||
           (!member.name.empty() && member.name.back() == L'\\');
}

bool IsEncrypted(const ArchiveMember& member) noexcept
{
    return (member.flags & MemberFlagEncrypted) != 0;
}

std::wstring FolderPart(const ArchiveMember& member)
{
    const std::wstring_view name = BareName(member);
    const auto last = name.rfind(L'\\');
    return last == std::wstring_view::npos ? std::wstring() : std::wstring(name.substr(0, last));
}

std::wstring LeafName(const ArchiveMember& member)
{
    const std::wstring_view name = BareName(member);
    const auto last = name.rfind(L'\\');
    return std::wstring(last == std::wstring_view::npos ? name : name.substr(last + 1));
}

std::tm DosTimeToTm(std::uint16_t time, std::uint16_t date) noexcept
{
    std::tm t{};
    t.tm_sec = 2 * (time & 0x1F);
    t.tm_min = (time >> 5) & 0x3F;
    t.tm_hour = time >> 11;
    t.tm_mday = date & 0x1F;
    t.tm_mon = ((date >> 5) & 0x0F) - 1;
    t.tm_year = 80 + (date >> 9);
    return t;
}

std::uint64_t MemberFileTime(const ArchiveMember& member, LocalTimeToSeconds toSeconds)
{
    std::tm local = DosTimeToTm(member.time, member.date);
    const std::int64_t seconds = toSeconds(local);
    // DOS times start in 1980; a converter's odd answer cannot go before 1601.
    const std::int64_t units = seconds * 10000000 + static_cast<std::int64_t>(FileTimeOf1970);
    return units < 0 ? 0 : static_cast<std::uint64_t>(units);
}
