#include "filemanager/SafeFileCopy.h"

#include "platform/Handles.h"

#include <memory>

namespace {

// A block of the copy: it stays in the processor's cache between the read
// and the write, and a cancel is seen within a fraction of a millisecond.
constexpr DWORD BlockSize = 256 << 10;

// The attribute bits a file can be given.
constexpr DWORD SettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::atomic<unsigned> temporaryCounter{0};

DWORD CALLBACK CancelWhenAsked(LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD, HANDLE, HANDLE,
                               LPVOID data) noexcept
{
    const auto* cancel = static_cast<const std::atomic<bool>*>(data);
    return cancel->load() ? PROGRESS_CANCEL : PROGRESS_CONTINUE;
}

DWORD CALLBACK CountCall(LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD, HANDLE, HANDLE,
                         LPVOID data) noexcept
{
    ++*static_cast<int*>(data);
    return PROGRESS_CONTINUE;
}

bool ProbeProgress()
{
    wchar_t folder[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH)
        return false;
    String base = String(folder) + TemporaryCopyName(L"").Mid(1);
    const String source = base + L".a";
    const String target = base + L".b";
    {
        vellumate::FileHandle file(
            CreateFileW(source, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file || !WriteFile(file.Get(), "x", 1, &written, nullptr))
            return false;
    }
    int calls = 0;
    CopyFileExW(source, target, &CountCall, &calls, nullptr, COPY_FILE_FAIL_IF_EXISTS);
    DeleteFileW(target);
    DeleteFileW(source);
    return calls > 0;
}

// The copy block by block, with the cancel flag looked at between blocks.
bool CopyByBlocks(const String& source, const String& target, DWORD attributes, const std::atomic<bool>& cancel)
{
    vellumate::FileHandle in(
        CreateFileW(source, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!in)
        return false;
    vellumate::FileHandle out(CreateFileW(target, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out)
        return false;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(in.Get(), &size) && size.QuadPart > 0) {
        const DWORD bufferSize = size.QuadPart < BlockSize ? static_cast<DWORD>(size.QuadPart) : BlockSize;
        std::unique_ptr<char[]> buffer(new (std::nothrow) char[bufferSize]);
        if (!buffer) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return false;
        }
        for (;;) {
            if (cancel.load()) {
                SetLastError(ERROR_REQUEST_ABORTED);
                return false;
            }
            DWORD read = 0;
            if (!ReadFile(in.Get(), buffer.get(), bufferSize, &read, nullptr))
                return false;
            if (read == 0)
                break;
            for (DWORD done = 0; done < read;) {
                DWORD written = 0;
                if (!WriteFile(out.Get(), buffer.get() + done, read - done, &written, nullptr))
                    return false;
                if (written == 0) {
                    SetLastError(ERROR_DISK_FULL);
                    return false;
                }
                done += written;
            }
        }
    }
    FILETIME created{}, accessed{}, written{};
    if (GetFileTime(in.Get(), &created, &accessed, &written))
        SetFileTime(out.Get(), nullptr, nullptr, &written);
    return true;
}

void RemoveTemporary(const String& path)
{
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path);
}

}  // namespace

String TemporaryCopyName(const String& folder)
{
    String name;
    name.FormatText(L"\\~vmcopy%lx-%x.tmp", GetCurrentProcessId(), temporaryCounter.fetch_add(1));
    return folder + name;
}

bool PlatformCopyReportsProgress()
{
    static const bool reports = ProbeProgress();
    return reports;
}

SafeCopyResult CopyFileSafely(const String& source, const String& destination, DWORD attributes,
                              const std::atomic<bool>& cancel)
{
    const int separator = destination.ReverseFind(L'\\');
    const String folder = separator >= 0 ? destination.Left(separator) : String();
    const DWORD newAttributes = attributes & SettableAttributes & ~FILE_ATTRIBUTE_READONLY;

    String temporary;
    bool copied = false;
    // A name left by a copy that died with its process is not reused.
    for (int attempt = 0; attempt < 8; ++attempt) {
        temporary = TemporaryCopyName(folder);
        if (PlatformCopyReportsProgress()) {
            copied = CopyFileExW(source, temporary, &CancelWhenAsked, const_cast<std::atomic<bool>*>(&cancel), nullptr,
                                 COPY_FILE_FAIL_IF_EXISTS) != FALSE;
            if (copied)
                SetFileAttributesW(temporary, newAttributes ? newAttributes : FILE_ATTRIBUTE_NORMAL);
        } else {
            copied = CopyByBlocks(source, temporary, newAttributes, cancel);
        }
        if (copied || (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS))
            break;
    }

    SafeCopyResult result;
    if (copied && MoveFileExW(temporary, destination, MOVEFILE_REPLACE_EXISTING)) {
        result.outcome = CopyOutcome::Done;
        return result;
    }
    result.error = GetLastError();
    // A name that was taken before the copy belongs to someone else.
    if (copied || (result.error != ERROR_FILE_EXISTS && result.error != ERROR_ALREADY_EXISTS))
        RemoveTemporary(temporary);
    const bool cancelled = !copied && (result.error == ERROR_REQUEST_ABORTED || cancel.load());
    result.outcome = cancelled ? CopyOutcome::Cancelled : CopyOutcome::Failed;
    return result;
}
