#include "filemanager/ProgramScan.h"

#include "filemanager/DeviceFiles.h"

#include "platform/Handles.h"

#include <windows.h>

#include <vector>

namespace {

bool IsDots(const wchar_t* name) noexcept
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// The pattern that lists a folder's entries matching `mask` ("*.exe", "*").
String PatternOf(const String& folder, const wchar_t* mask)
{
    return ToLongFileSystemPath(JoinPath(folder, mask));
}

}  // namespace

String FoundProgram::Path() const
{
    return JoinPath(folder, name);
}

int ScanPrograms(const wchar_t* folder, bool skipHidden, ProgramSink& sink, const std::atomic<bool>& cancel)
{
    int found = 0;
    // Folders still to scan, the next one last.
    std::vector<String> pending{NormalizeFolderPath(folder ? folder : L"")};
    while (!pending.empty() && !cancel.load()) {
        const String current = pending.back();
        pending.pop_back();

        WIN32_FIND_DATAW entry{};
        vellumate::FindHandle programs(FindFirstFileW(PatternOf(current, L"*.exe"), &entry));
        if (programs) {
            do {
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    continue;
                if (skipHidden && (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN))
                    continue;
                sink.OnProgram({entry.cFileName, current});
                ++found;
            } while (!cancel.load() && FindNextFileW(programs.Get(), &entry));
        }

        std::vector<String> subfolders;
        vellumate::FindHandle all(FindFirstFileW(PatternOf(current, L"*"), &entry));
        if (all) {
            do {
                const DWORD attributes = entry.dwFileAttributes;
                if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                    !IsDots(entry.cFileName))
                    subfolders.push_back(JoinPath(current, entry.cFileName));
            } while (!cancel.load() && FindNextFileW(all.Get(), &entry));
        }
        pending.insert(pending.end(), subfolders.rbegin(), subfolders.rend());
    }
    return found;
}
