#include "filemanager/CopyEngine.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/DuplicateNames.h"
#include "filemanager/FileOperationResources.h"
#include "filemanager/FolderTree.h"
#include "filemanager/NewNames.h"
#include "filemanager/SafeFileCopy.h"

#include "platform/Handles.h"
#include "platform/VolumeSpace.h"

namespace {

struct Entry {
    String name;
    bool isFolder = false;
    DWORD attributes = 0;
    uint64_t size = 0;
};

bool IsDotEntry(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// The entries of a folder, read in one go: the copy changes the folders it
// walks (a move deletes as it goes), which an open enumeration must not see.
// False when the folder cannot be read at all.
bool ReadEntries(const String& folder, std::vector<Entry>& entries)
{
    WIN32_FIND_DATAW found;
    vellumate::FindHandle find(FindFirstFileW(FindPatternOf(folder), &found));
    if (!find)
        return GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_NO_MORE_FILES;
    do {
        if (IsDotEntry(found.cFileName))
            continue;
        Entry entry;
        entry.name = found.cFileName;
        entry.isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.attributes = found.dwFileAttributes;
        entry.size = (uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
        entries.push_back(std::move(entry));
    } while (FindNextFileW(find.Get(), &found));
    return true;
}

// The attributes and size of a path; false when it does not exist.
bool ReadAttributes(const String& handsetPath, WIN32_FILE_ATTRIBUTE_DATA& data)
{
    return GetFileAttributesExW(ToLongFileSystemPath(handsetPath), GetFileExInfoStandard, &data) != FALSE;
}

bool IsFolderEmpty(const String& folder)
{
    std::vector<Entry> entries;
    return ReadEntries(folder, entries) && entries.empty();
}

}  // namespace

std::vector<String> CopyJob::CopiedNames() const
{
    std::vector<String> names;
    for (const String& name : resultNames)
        if (!name.IsEmpty())
            names.push_back(name);
    return names;
}

UINT CopyEngine::FailureMessage() const noexcept
{
    return m_job.mode == CopyMode::Move ? IDS_MOVE_FAILED : IDS_COPY_FAILED;
}

int CopyEngine::CountFiles(const String& folder) const
{
    std::vector<Entry> entries;
    ReadEntries(folder, entries);
    int count = 0;
    for (const Entry& entry : entries) {
        if (Cancelled())
            break;
        count += entry.isFolder ? CountFiles(JoinPath(folder, entry.name)) : 1;
    }
    return count;
}

bool CopyEngine::Fits(uint64_t bytes)
{
    if (!m_freeKnown) {
        m_freeKnown = true;
        ULARGE_INTEGER free{};
        if (handset::GetDiskFreeSpaceExW(ToFileSystemPath(m_job.destinationFolder), &free, nullptr, nullptr))
            m_freeBytes = free.QuadPart;
    }
    return !m_freeBytes || bytes <= *m_freeBytes;
}

void CopyEngine::Run()
{
    const size_t itemCount = m_job.items.size();
    m_job.itemFileCounts.assign(itemCount, 0);
    m_job.resultNames.assign(itemCount, String());
    m_job.fileCount = 0;
    for (size_t i = 0; i < itemCount && !Cancelled(); ++i) {
        const CopyItem& item = m_job.items[i];
        const int files = item.isFolder ? CountFiles(JoinPath(m_job.sourceFolder, item.name)) : 1;
        m_job.itemFileCounts[i] = files;
        m_job.fileCount += files;
    }
    m_progress.SetRange(m_job.fileCount + static_cast<int>(itemCount));

    for (size_t i = 0; i < itemCount && !Cancelled(); ++i)
        if (CopyItemAt(i, static_cast<int>(itemCount)) == Step::Stop)
            break;
}

CopyEngine::Step CopyEngine::CopyItemAt(size_t index, int itemCount)
{
    const CopyItem& item = m_job.items[index];
    const String source = JoinPath(m_job.sourceFolder, item.name);
    String destination = JoinPath(m_job.destinationFolder, item.name);
    String resultName = item.name;
    // The destination existed before: a failed move must not delete it.
    m_destinationExisted = false;

    if (source.CompareNoCase(destination) != 0) {
        if (m_job.answer != OverwriteAnswer::ReplaceAll)
            m_job.answer = OverwriteAnswer::NotAsked;
        const bool exists = EntryExists(destination);
        if (m_job.mode == CopyMode::Move && exists)
            m_destinationExisted = true;
        if (m_job.answer != OverwriteAnswer::ReplaceAll && m_job.askBeforeReplacing && exists)
            m_job.answer = m_progress.AskOverwrite({destination, source, itemCount == 1});
        if (m_job.answer == OverwriteAnswer::Cancel)
            return Step::Stop;
        if (m_job.answer == OverwriteAnswer::Skip) {
            if (static_cast<int>(index) == itemCount - 1)
                return Step::Stop;
            m_progress.ShowPaths(source, destination);
            m_progress.Advance(m_job.itemFileCounts[index] + 1);
            return Step::Go;
        }
    } else {
        resultName =
            DuplicateName(item.name, m_job.copyOfPrefix, m_job.numberedCopyOfPrefix, [this](const String& name) {
                // Never an existing item, listed or not: a duplicate replaces nothing.
                return NameTaken(m_job.listedNames, m_job.destinationFolder, name);
            });
        if (resultName.Length() > MaxCopyNameLength) {
            m_progress.ReportError(FailureMessage(), 0, resultName);
            return Step::Stop;
        }
        destination = JoinPath(m_job.destinationFolder, resultName);
    }

    if (item.isFolder) {
        // A folder never goes into itself: its copy would be found again
        // while it is being made, deeper and deeper.
        if (IsSameOrInside(destination, source)) {
            m_progress.ReportError(IDS_COPY_INTO_ITSELF, 0, String());
            return Step::Stop;
        }
        m_progress.Advance(1);
        const Step step = CopyFolder(source, destination);
        if (EntryExists(destination))
            m_job.resultNames[index] = resultName;
        return step;
    }

    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!ReadAttributes(source, data)) {
        // Gone since it was listed.
        m_progress.ReportError(FailureMessage(), 0, item.name);
        return Step::Stop;
    }
    m_progress.ShowPaths(source, destination);
    const uint64_t size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    if (CopyFile(source, destination, item.name, data.dwFileAttributes, size) == Step::Stop)
        return Step::Stop;
    m_job.resultNames[index] = resultName;
    if (m_job.mode == CopyMode::Move && !DeleteSource(source)) {
        if (!m_destinationExisted) {
            // Not two copies of one file: the new one goes again.
            const String target = ToLongFileSystemPath(destination);
            SetFileAttributesW(target, FILE_ATTRIBUTE_HIDDEN);
            if (DeleteFileW(target))
                m_job.resultNames[index] = String();
        }
        m_progress.ReportError(IDS_MOVE_FAILED, 0, item.name);
    }
    m_progress.Advance(2);
    return Step::Go;
}

CopyEngine::Step CopyEngine::CopyFolder(const String& source, const String& destination)
{
    std::vector<Entry> entries;
    if (!ReadEntries(source, entries) || !EntryExists(source)) {
        m_progress.ReportError(FailureMessage(), 0, LastComponent(source));
        return Step::Stop;
    }
    const String target = ToLongFileSystemPath(destination);
    const bool full = !Fits(1) && GetFileAttributesW(target) == INVALID_FILE_ATTRIBUTES;
    if (full || !CreateDirectoryW(target, nullptr)) {
        if (full || GetLastError() == ERROR_DISK_FULL) {
            m_progress.ReportError(IDS_DISK_FULL, 0, String());
            m_job.cancel.store(true);
            return Step::Stop;
        }
        // Any other reason (the folder is there already) is no reason to stop.
    } else {
        m_job.folderCreated = true;
    }
    m_progress.ShowPaths(source, destination);

    for (const Entry& entry : entries) {
        if (Cancelled())
            return Step::Stop;
        const String from = JoinPath(source, entry.name);
        const String to = JoinPath(destination, entry.name);
        if (entry.isFolder) {
            if (CopyFolder(from, to) == Step::Stop)
                return Step::Stop;
            continue;
        }
        m_progress.Advance(1);
        m_progress.ShowPaths(from, to);
        const bool existedBefore = m_destinationExisted && EntryExists(to);
        if (CopyFile(from, to, entry.name, entry.attributes, entry.size) == Step::Stop)
            return Step::Stop;
        if (m_job.mode == CopyMode::Move && !DeleteSource(from)) {
            if (!existedBefore) {
                const String copy = ToLongFileSystemPath(to);
                SetFileAttributesW(copy, FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(copy);
            }
            m_progress.ReportError(IDS_MOVE_FAILED, 0, entry.name);
            return Step::Stop;
        }
    }

    if (m_job.mode == CopyMode::Move && IsFolderEmpty(source) && !RemoveDirectoryW(ToLongFileSystemPath(source))) {
        m_progress.ReportError(IDS_FOLDER_DELETE_FAILED, 0, source);
        return Step::Stop;
    }
    return Step::Go;
}

CopyEngine::Step CopyEngine::CopyFile(const String& source, const String& destination, const String& name,
                                      DWORD sourceAttributes, uint64_t sourceSize)
{
    if (Cancelled())
        return Step::Stop;
    const String from = ToLongFileSystemPath(source);
    const String to = ToLongFileSystemPath(destination);

    WIN32_FILE_ATTRIBUTE_DATA existing;
    const bool exists = GetFileAttributesExW(to, GetFileExInfoStandard, &existing) != FALSE;
    const uint64_t replaced = exists ? (uint64_t{existing.nFileSizeHigh} << 32) | existing.nFileSizeLow : 0;
    if (!Fits(sourceSize > replaced ? sourceSize - replaced : 0)) {
        m_progress.ReportError(FailureMessage(), IDS_DISK_FULL, name);
        return Step::Stop;
    }

    const bool readOnly = exists && (existing.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly)
        SetFileAttributesW(to, existing.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
    const SafeCopyResult result = CopyFileSafely(from, to, sourceAttributes, m_job.cancel);
    if (result.outcome != CopyOutcome::Done) {
        if (readOnly)
            SetFileAttributesW(to, existing.dwFileAttributes);
        if (result.outcome == CopyOutcome::Failed)
            m_progress.ReportError(FailureMessage(), result.error == ERROR_DISK_FULL ? IDS_DISK_FULL : 0, name);
        return Step::Stop;
    }
    if (sourceAttributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesW(to, sourceAttributes & ~FILE_ATTRIBUTE_DIRECTORY);
    if (m_freeBytes) {
        const uint64_t used = sourceSize > replaced ? sourceSize - replaced : 0;
        *m_freeBytes -= used < *m_freeBytes ? used : *m_freeBytes;
    }
    return Step::Go;
}

bool CopyEngine::DeleteSource(const String& source)
{
    const String path = ToLongFileSystemPath(source);
    const DWORD attributes = GetFileAttributesW(path);
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly)
        SetFileAttributesW(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    if (DeleteFileW(path))
        return true;
    if (readOnly)
        SetFileAttributesW(path, attributes);
    return false;
}
