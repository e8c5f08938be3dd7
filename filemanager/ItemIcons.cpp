#include "filemanager/ItemIcons.h"

#include "filemanager/DeviceFiles.h"

#include <shellapi.h>

vellumate::IconHandle LargeShellIcon(const String& handsetPath)
{
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(ToFileSystemPath(handsetPath), 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON))
        return vellumate::IconHandle();
    return vellumate::IconHandle(info.hIcon);
}
