#include "filemanager/MemberProperties.h"

#include "filemanager/archive/ArchiveMember.h"

#include <cmath>
#include <set>

namespace {

String ToString(const std::wstring& text)
{
    return String(text.c_str(), static_cast<int>(text.size()));
}

struct NoCase {
    bool operator()(const String& a, const String& b) const noexcept { return a.CompareNoCase(b) < 0; }
};

// Adds `path` and every folder above it that lies below `top` ("" the root).
void AddFoldersBelow(String path, const String& top, std::set<String, NoCase>& folders)
{
    while (path.Length() > top.Length() && (top.IsEmpty() || path.CompareNoCase(top) != 0)) {
        if (!top.IsEmpty() && (path[top.Length()] != L'\\' || path.Left(top.Length()).CompareNoCase(top) != 0))
            return;
        folders.insert(path);
        const int slash = path.ReverseFind(L'\\');
        if (slash < 0)
            return;
        path = path.Left(slash);
    }
}

}  // namespace

MemberSummary SummarizeRow(const ArchiveListing& listing, std::span<const ArchiveMember> members, int row)
{
    MemberSummary summary;
    if (row < 0 || row >= listing.RowCount())
        return summary;
    const ArchiveRow& shown = listing.Row(row);
    summary.leaf = shown.leaf;
    summary.folder = listing.CurrentFolder();
    summary.isFolder = shown.isFolder;
    summary.time = shown.time;
    if (!shown.isFolder) {
        if (shown.member >= 0 && static_cast<std::size_t>(shown.member) < members.size()) {
            summary.uncompressed = members[static_cast<std::size_t>(shown.member)].uncompressedSize;
            summary.compressed = members[static_cast<std::size_t>(shown.member)].compressedSize;
        }
        return summary;
    }
    const String path = listing.RowPath(row);
    std::set<String, NoCase> folders;
    const int rows[] = {row};
    for (int index : listing.MembersOf(rows)) {
        if (index == shown.member || index < 0 || static_cast<std::size_t>(index) >= members.size())
            continue;
        const ArchiveMember& member = members[static_cast<std::size_t>(index)];
        AddFoldersBelow(ToString(FolderPart(member)), path, folders);
        if (IsFolder(member)) {
            const String folderPart = ToString(FolderPart(member));
            const String leaf = ToString(LeafName(member));
            AddFoldersBelow(folderPart.IsEmpty() ? leaf : folderPart + L"\\" + leaf, path, folders);
            continue;
        }
        ++summary.files;
        summary.uncompressed += member.uncompressedSize;
        summary.compressed += member.compressedSize;
    }
    summary.folders = static_cast<long long>(folders.size());
    return summary;
}

String CompressionText(std::uint64_t compressed, std::uint64_t uncompressed)
{
    if (uncompressed == 0)
        return L"0 %";
    const double saved = (1.0 - static_cast<double>(compressed) / static_cast<double>(uncompressed)) * 100.0;
    // Judged on the value as printed: 49.999 prints 50.00 and reads "50 %",
    // not the 49 that cutting the decimals off would give.
    const double hundredths = std::round(saved * 100.0);
    String text;
    if (std::fmod(hundredths, 100.0) == 0.0)
        text.FormatText(L"%d %%", static_cast<int>(hundredths / 100.0));
    else
        text.FormatText(L"%.2f %%", saved);
    return text;
}
