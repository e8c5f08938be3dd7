#include "platform/VolumeSpace.h"

#include "platform/DevicePaths.h"
#include "platform/ProfileSource.h"

#include <optional>
#include <string>

namespace {

void Store(PULARGE_INTEGER target, ULONGLONG value) noexcept
{
    if (target)
        target->QuadPart = value;
}

}  // namespace

namespace handset {

BOOL GetDiskFreeSpaceExW(LPCWSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                         PULARGE_INTEGER lpTotalNumberOfBytes, PULARGE_INTEGER lpTotalNumberOfFreeBytes)
{
    try {
        const std::wstring_view directory = lpDirectoryName ? lpDirectoryName : L"\\";
        const std::optional<std::wstring> below = vellumate::PathBelowDeviceRoot(directory);
        if (!below)
            return ::GetDiskFreeSpaceExW(lpDirectoryName, lpFreeBytesAvailableToCaller, lpTotalNumberOfBytes,
                                         lpTotalNumberOfFreeBytes);

        const std::wstring folder = vellumate::ToDevicePath(directory);
        const DWORD attributes = ::GetFileAttributesW(folder.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return FALSE;  // the last error says why
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ::SetLastError(ERROR_DIRECTORY);
            return FALSE;
        }

        const auto profile = vellumate::CurrentDeviceProfile();
        ULONGLONG total = profile->storeSize;
        ULONGLONG free = profile->storeFree;
        if (const vellumate::CardProfile* card = vellumate::MountedCard(*profile, vellumate::TopFolderOf(*below))) {
            total = card->size;
            free = card->free;
        }
        Store(lpFreeBytesAvailableToCaller, free);
        Store(lpTotalNumberOfBytes, total);
        Store(lpTotalNumberOfFreeBytes, free);
        return TRUE;
    } catch (...) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
}

}  // namespace handset
