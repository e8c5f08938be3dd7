#include "platform/ProcessImage.h"

#include "platform/DevicePaths.h"
#include "platform/Handles.h"

namespace vellumate {

std::wstring HandsetPathOf(std::wstring_view win32Path)
{
    const std::optional<std::wstring> below = PathBelowDeviceRoot(win32Path);
    if (!below)
        return std::wstring(win32Path);
    return L"\\" + *below;
}

std::optional<std::wstring> ProcessImageHandsetPath(DWORD processId)
{
    KernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return std::nullopt;
    std::wstring path(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD length = static_cast<DWORD>(path.size());
        if (::QueryFullProcessImageNameW(process.Get(), 0, path.data(), &length)) {
            path.resize(length);
            // The long form of a path beyond MAX_PATH is not a handset path.
            if (path.rfind(L"\\\\?\\", 0) == 0)
                path.erase(0, 4);
            return HandsetPathOf(path);
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return std::nullopt;
        path.resize(path.size() * 4);
    }
    return std::nullopt;
}

}  // namespace vellumate
