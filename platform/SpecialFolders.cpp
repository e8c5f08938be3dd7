#include "platform/SpecialFolders.h"

#include "platform/DevicePaths.h"

#include <algorithm>
#include <array>
#include <string>

namespace vellumate {
namespace {

struct SpecialFolder {
    int csidl;
    std::wstring_view path;
};

constexpr std::array SpecialFolders{
    SpecialFolder{CSIDL_PROGRAMS, L"\\Windows\\Start Menu\\Programs"},
    SpecialFolder{CSIDL_PERSONAL, L"\\My Documents"},
    SpecialFolder{CSIDL_FAVORITES, L"\\Windows\\Favorites"},
    SpecialFolder{CSIDL_STARTUP, L"\\Windows\\StartUp"},
    SpecialFolder{CSIDL_RECENT, L"\\Windows\\Recent"},
    SpecialFolder{CSIDL_STARTMENU, L"\\Windows\\Start Menu"},
    SpecialFolder{CSIDL_MYMUSIC, L"\\My Documents\\My Music"},
    SpecialFolder{CSIDL_MYVIDEO, L"\\My Documents\\My Videos"},
    SpecialFolder{CSIDL_DESKTOPDIRECTORY, L"\\Windows\\Desktop"},
    SpecialFolder{CSIDL_FONTS, L"\\Windows\\Fonts"},
    SpecialFolder{CSIDL_APPDATA, L"\\Application Data"},
    SpecialFolder{CSIDL_WINDOWS, L"\\Windows"},
    SpecialFolder{CSIDL_PROGRAM_FILES, L"\\Program Files"},
    SpecialFolder{CSIDL_MYPICTURES, L"\\My Documents\\My Pictures"},
};

// The caller's buffer holds MAX_PATH characters.
static_assert(std::all_of(SpecialFolders.begin(), SpecialFolders.end(),
                          [](const SpecialFolder& folder) { return folder.path.size() < MAX_PATH; }));

// Creates a folder of the device and the folders above it that are missing.
bool CreateDeviceFolder(std::wstring_view handsetPath)
{
    const std::wstring folder = ToDevicePath(handsetPath);
    // Each separator after the root ends one level to create.
    const std::size_t rootLength = DeviceRoot().size();
    for (std::size_t end = folder.find(L'\\', rootLength);; end = folder.find(L'\\', end + 1)) {
        const std::wstring level = folder.substr(0, end);
        if (!IsFolder(level) && !::CreateDirectoryW(level.c_str(), nullptr)) {
            const DWORD error = ::GetLastError();
            if (!IsFolder(level)) {  // made meanwhile by someone else is fine; a file in the way is not
                ::SetLastError(error);
                return false;
            }
        }
        if (end == std::wstring::npos)
            return true;
    }
}

}  // namespace

std::optional<std::wstring_view> SpecialFolderPath(int csidl) noexcept
{
    const auto found = std::find_if(SpecialFolders.begin(), SpecialFolders.end(),
                                    [csidl](const SpecialFolder& folder) { return folder.csidl == csidl; });
    if (found == SpecialFolders.end())
        return std::nullopt;
    return found->path;
}

}  // namespace vellumate

namespace handset {

BOOL SHGetSpecialFolderPath(HWND, LPWSTR lpszPath, int nFolder, BOOL fCreate)
{
    const std::optional<std::wstring_view> path = vellumate::SpecialFolderPath(nFolder & ~CSIDL_FLAG_MASK);
    if (!lpszPath || !path) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    try {
        if ((fCreate || (nFolder & CSIDL_FLAG_CREATE)) && !vellumate::CreateDeviceFolder(*path))
            return FALSE;  // the last error says why
    } catch (...) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    std::copy(path->begin(), path->end(), lpszPath);
    lpszPath[path->size()] = L'\0';
    return TRUE;
}

}  // namespace handset
