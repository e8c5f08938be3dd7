#include "platform/FlashCard.h"

#include "platform/DevicePaths.h"
#include "platform/Handles.h"
#include "platform/ProfileSource.h"

#include <string_view>

namespace {

using vellumate::DeviceProfile;

bool IsCardEntry(const WIN32_FIND_DATAW& entry, const DeviceProfile& profile) noexcept
{
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    const std::wstring_view name = entry.cFileName;
    if (name == L"." || name == L"..")
        return false;
    const vellumate::CardProfile* card = profile.FindCard(name);
    return card && card->inserted;
}

void FillCard(const WIN32_FIND_DATAW& entry, LPWIN32_FIND_DATAW result) noexcept
{
    *result = entry;
    result->dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY;
    result->nFileSizeHigh = 0;
    result->nFileSizeLow = 0;
    result->cAlternateFileName[0] = L'\0';
}

// Moves on from `entry` (included) to the next card of the root listing.
bool SeekCard(HANDLE find, WIN32_FIND_DATAW& entry, const DeviceProfile& profile) noexcept
{
    while (!IsCardEntry(entry, profile))
        if (!::FindNextFileW(find, &entry))
            return false;
    return true;
}

}  // namespace

HANDLE FindFirstFlashCard(LPWIN32_FIND_DATAW lpFindFlashData)
{
    if (!lpFindFlashData) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    try {
        const auto profile = vellumate::CurrentDeviceProfile();
        WIN32_FIND_DATAW entry;
        vellumate::FindHandle find(::FindFirstFileW((vellumate::DeviceRoot() + L"*").c_str(), &entry));
        if (!find) {
            if (::GetLastError() == ERROR_FILE_NOT_FOUND)
                ::SetLastError(ERROR_NO_MORE_FILES);
            return INVALID_HANDLE_VALUE;
        }
        if (!SeekCard(find.Get(), entry, *profile))
            return INVALID_HANDLE_VALUE;  // the last error says why
        FillCard(entry, lpFindFlashData);
        return find.Release();
    } catch (...) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return INVALID_HANDLE_VALUE;
    }
}

BOOL FindNextFlashCard(HANDLE hFlashCard, LPWIN32_FIND_DATAW lpFindFlashData)
{
    if (!lpFindFlashData || hFlashCard == INVALID_HANDLE_VALUE || !hFlashCard) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const auto profile = vellumate::CurrentDeviceProfile();
    WIN32_FIND_DATAW entry;
    if (!::FindNextFileW(hFlashCard, &entry) || !SeekCard(hFlashCard, entry, *profile))
        return FALSE;
    FillCard(entry, lpFindFlashData);
    return TRUE;
}
