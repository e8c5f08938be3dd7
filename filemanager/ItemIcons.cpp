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

String TypeProbeName(const String& fileName)
{
    const int dot = fileName.ReverseFind(L'.');
    const int slash = fileName.ReverseFind(L'\\');
    return dot > slash ? L"x" + fileName.Mid(dot) : String(L"x.sys");
}

vellumate::IconHandle LargeTypeIcon(const String& fileName)
{
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(TypeProbeName(fileName), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                        SHGFI_ICON | SHGFI_LARGEICON | SHGFI_USEFILEATTRIBUTES))
        return vellumate::IconHandle();
    return vellumate::IconHandle(info.hIcon);
}
