#include "cleaner/VoiceNotes.h"

#include "platform/DevicePaths.h"
#include "platform/Handles.h"
#include "platform/SpecialFolders.h"

#include <vector>

std::wstring VoiceNotesFolder()
{
    wchar_t personal[MAX_PATH] = {};
    if (!handset::SHGetSpecialFolderPath(nullptr, personal, CSIDL_PERSONAL, FALSE))
        return L"\\My Documents\\Notes\\";
    return std::wstring(personal) + L"\\Notes\\";
}

void ForEachVoiceNote(const std::function<void(const std::wstring& name, DWORD size)>& found)
{
    const std::wstring pattern = vellumate::ToDevicePath(VoiceNotesFolder() + L"*.wav");
    WIN32_FIND_DATAW data{};
    vellumate::FindHandle find(FindFirstFileW(pattern.c_str(), &data));
    if (!find)
        return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            found(data.cFileName, data.nFileSizeLow);
    } while (FindNextFileW(find.Get(), &data));
}

bool DeleteVoiceNotes(unsigned& deleted)
{
    deleted = 0;
    // The names first: deleting while the search runs may skip files.
    std::vector<std::wstring> names;
    ForEachVoiceNote([&](const std::wstring& name, DWORD) { names.push_back(name); });
    const std::wstring folder = VoiceNotesFolder();
    for (const std::wstring& name : names) {
        if (!DeleteFileW(vellumate::ToDevicePath(folder + name).c_str()))
            return false;
        ++deleted;
    }
    return true;
}
