#include "filemanager/ItemProperties.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/FolderFilter.h"

#include "platform/Handles.h"

#include <vector>

namespace {

// What SetFileAttributes takes besides the editable bits; the others
// (folder, compressed, ROM, ...) are the file system's to report.
constexpr DWORD KeptSettableAttributes =
    FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

}  // namespace

AttributeChange WriteEditableAttributes(const wchar_t* handsetPath, DWORD current, DWORD wanted)
{
    if ((current & EditableAttributes) == (wanted & EditableAttributes))
        return AttributeChange::None;
    DWORD attributes = (current & KeptSettableAttributes) | (wanted & EditableAttributes);
    if (attributes == 0)
        attributes = FILE_ATTRIBUTE_NORMAL;
    return SetFileAttributesW(ToLongFileSystemPath(handsetPath), attributes) ? AttributeChange::Written
                                                                             : AttributeChange::Failed;
}

bool ReportsAfterFile(long long files) noexcept
{
    return files <= 56 || files % 57 == 0;
}

bool TotalFolder(const String& folder, const std::atomic<bool>& stop,
                 const std::function<void(const FolderTotals&)>& report)
{
    FolderTotals totals;
    // A list of folders still to read instead of recursion: a deep tree
    // cannot run the worker out of stack.
    std::vector<String> pending{NormalizeFolderPath(folder)};
    while (!pending.empty()) {
        const String current = std::move(pending.back());
        pending.pop_back();
        WIN32_FIND_DATAW entry;
        vellumate::FindHandle find(FindFirstFileW(FindPatternOf(current), &entry));
        if (!find)
            continue;
        do {
            if (stop.load())
                return false;
            if (IsDotEntry(entry.cFileName))
                continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                ++totals.folders;
                pending.push_back(JoinPath(current, entry.cFileName));
                report(totals);
                continue;
            }
            ++totals.files;
            totals.bytes += (std::uint64_t{entry.nFileSizeHigh} << 32) | entry.nFileSizeLow;
            if (ReportsAfterFile(totals.files))
                report(totals);
        } while (FindNextFileW(find.Get(), &entry));
    }
    report(totals);
    return !stop.load();
}
