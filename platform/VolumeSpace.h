// Free and total space of the handset's volumes. The root "\" and every
// folder of it that is not on a card report the object store's figures
// ([store] of the device profile); a folder on an inserted card reports that
// card's figures ([card:NAME] size and free). A path outside the device is
// answered by Win32. The folder must exist, as on Win32.
#pragma once

#include <windows.h>

namespace handset {

// A null directory means the root.
BOOL GetDiskFreeSpaceExW(LPCWSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                         PULARGE_INTEGER lpTotalNumberOfBytes, PULARGE_INTEGER lpTotalNumberOfFreeBytes);

}  // namespace handset
