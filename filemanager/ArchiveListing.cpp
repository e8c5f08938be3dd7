#include "filemanager/ArchiveListing.h"

#include "filemanager/FolderSort.h"
#include "filemanager/archive/ArchiveMember.h"
#include "filemanager/archive/Win32ArchiveFiles.h"

#include <algorithm>

namespace {

String ToString(const std::wstring& text)
{
    return String(text.c_str(), static_cast<int>(text.size()));
}

// The first component of a folder path ("a" of "a\b").
String FirstComponent(const String& folder)
{
    const int slash = folder.Find(L'\\');
    return slash < 0 ? folder : folder.Left(slash);
}

// Whether `path` lies inside `folder` ("" the root), without regard to case;
// the first component below `folder` when it does.
bool Below(const String& path, const String& folder, String& child)
{
    if (folder.IsEmpty()) {
        if (path.IsEmpty())
            return false;
        child = FirstComponent(path);
        return true;
    }
    const int length = folder.Length();
    if (path.Length() <= length + 1 || path[length] != L'\\' || folder.CompareNoCase(path.Left(length)) != 0)
        return false;
    child = FirstComponent(path.Mid(length + 1));
    return true;
}

template <typename T>
int Compare(T a, T b) noexcept
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

std::uint64_t HandsetMemberTime(const ArchiveMember& member)
{
    const FILETIME time = MemberFileTime(member);
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

ArchiveListing::ArchiveListing(std::span<const ArchiveMember> members, MemberTime memberTime)
    : m_members(members), m_memberTime(memberTime)
{
    m_entries.reserve(members.size());
    bool atRoot = false;
    String topFolder;
    bool severalTops = false;
    int lastFirstLevel = -1;
    for (const ArchiveMember& member : members) {
        m_entries.push_back({ToString(FolderPart(member)), ToString(LeafName(member))});
        const Entry& entry = m_entries.back();
        if (entry.folder.IsEmpty()) {
            atRoot = true;
            continue;
        }
        const String top = FirstComponent(entry.folder);
        if (topFolder.IsEmpty())
            topFolder = top;
        else if (topFolder.CompareNoCase(top) != 0)
            severalTops = true;
        if (top.Length() == entry.folder.Length())
            lastFirstLevel = static_cast<int>(m_entries.size()) - 1;
    }
    // With members in several top folders and none at the root, the root is
    // the only place from which all of them can be reached.
    if (!atRoot && !severalTops && lastFirstLevel >= 0)
        m_top = m_entries[static_cast<size_t>(lastFirstLevel)].folder;
    m_current = m_top;
}

bool ArchiveListing::LiesIn(const Entry& entry, const String& folder) const
{
    return entry.folder.CompareNoCase(folder) == 0;
}

void ArchiveListing::ShowFolder(const String& folder)
{
    m_current = folder;
    m_rows.clear();
    std::vector<String> impliedFolders;
    std::vector<String> namedFolders;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& entry = m_entries[i];
        String child;
        if (LiesIn(entry, folder)) {
            const ArchiveMember& member = m_members[i];
            ArchiveRow row;
            row.member = static_cast<int>(i);
            row.leaf = entry.leaf;
            row.isFolder = IsFolder(member);
            row.encrypted = IsEncrypted(member);
            row.size = row.isFolder ? 0 : member.uncompressedSize;
            row.time = m_memberTime ? m_memberTime(member) : 0;
            if (row.isFolder)
                namedFolders.push_back(row.leaf);
            m_rows.push_back(std::move(row));
        } else if (Below(entry.folder, folder, child)) {
            impliedFolders.push_back(std::move(child));
        }
    }
    // Folders that only their members name, once each.
    const auto noCase = [](const String& a, const String& b) { return a.CompareNoCase(b) < 0; };
    std::sort(impliedFolders.begin(), impliedFolders.end(), noCase);
    std::sort(namedFolders.begin(), namedFolders.end(), noCase);
    for (size_t i = 0; i < impliedFolders.size(); ++i) {
        const String& name = impliedFolders[i];
        if (i > 0 && impliedFolders[i - 1].CompareNoCase(name) == 0)
            continue;
        if (std::binary_search(namedFolders.begin(), namedFolders.end(), name, noCase))
            continue;
        ArchiveRow row;
        row.leaf = name;
        row.isFolder = true;
        m_rows.push_back(std::move(row));
    }
    for (ArchiveRow& row : m_rows)
        row.sortKey = LocaleSortKey(row.leaf);
    Sort();
}

bool ArchiveListing::UpFolder(String& folder) const
{
    if (AtTop())
        return false;
    const int slash = m_current.ReverseFind(L'\\');
    folder = slash < 0 ? m_top : m_current.Left(slash);
    return true;
}

String ArchiveListing::RowPath(int index) const
{
    const ArchiveRow& row = Row(index);
    return m_current.IsEmpty() ? row.leaf : m_current + L"\\" + row.leaf;
}

void ArchiveListing::SetSortState(DWORD state)
{
    m_sortState = state;
    Sort();
}

void ArchiveListing::Sort()
{
    const SortKey key = SortKeyOf(m_sortState);
    const bool descending = IsDescending(m_sortState);
    const auto before = [&](const ArchiveRow& a, const ArchiveRow& b) {
        if (a.isFolder != b.isFolder)
            return a.isFolder;
        int order = 0;
        switch (key) {
        case SortKey::Size:
            // The sizes compare as the signed numbers the list has always used.
            order = Compare(static_cast<std::int32_t>(a.size), static_cast<std::int32_t>(b.size));
            break;
        case SortKey::Date:
            order = Compare(a.time, b.time);
            break;
        default:
            // The keys order as the locale's comparison does; a name
            // without one is compared directly.
            order =
                !a.sortKey.empty() && !b.sortKey.empty() ? a.sortKey.compare(b.sortKey) : CompareNames(a.leaf, b.leaf);
            break;
        }
        return descending ? order > 0 : order < 0;
    };
    std::stable_sort(m_rows.begin(), m_rows.end(), before);
}

std::vector<int> ArchiveListing::MembersOf(std::span<const int> rows) const
{
    std::vector<bool> chosen(m_members.size(), false);
    for (int index : rows) {
        if (index < 0 || index >= RowCount())
            continue;
        const ArchiveRow& row = Row(index);
        if (row.member >= 0)
            chosen[static_cast<size_t>(row.member)] = true;
        if (!row.isFolder)
            continue;
        const String path = RowPath(index);
        for (size_t i = 0; i < m_entries.size(); ++i) {
            String child;
            if (LiesIn(m_entries[i], path) || Below(m_entries[i].folder, path, child))
                chosen[i] = true;
        }
    }
    std::vector<int> members;
    for (size_t i = 0; i < chosen.size(); ++i)
        if (chosen[i])
            members.push_back(static_cast<int>(i));
    return members;
}

std::vector<int> ArchiveListing::AllMembers() const
{
    std::vector<int> members(m_members.size());
    for (size_t i = 0; i < members.size(); ++i)
        members[i] = static_cast<int>(i);
    return members;
}

void ArchiveListing::ApplyCheckCommand(CheckCommand command, std::vector<bool>& checks) const
{
    checks.resize(m_rows.size(), false);
    for (size_t i = 0; i < m_rows.size(); ++i) {
        switch (command) {
        case CheckCommand::All:
            checks[i] = true;
            break;
        case CheckCommand::None:
            checks[i] = false;
            break;
        case CheckCommand::Invert:
            checks[i] = !checks[i];
            break;
        case CheckCommand::Folders:
            checks[i] = m_rows[i].isFolder;
            break;
        case CheckCommand::Files:
            checks[i] = !m_rows[i].isFolder;
            break;
        }
    }
}
