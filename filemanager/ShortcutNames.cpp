#include "filemanager/ShortcutNames.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/NewNames.h"

#include "platform/shellexec/ShellShortcuts.h"

#include <string>

String ShortcutFileName(const String& baseName, int attempt)
{
    String name;
    if (attempt < 2)
        name.FormatText(L"%s.lnk", baseName.Chars());
    else
        name.FormatText(L"%s(%d).lnk", baseName.Chars(), attempt);
    return name;
}

String ShortcutBaseName(const String& fileName)
{
    const int dot = fileName.ReverseFind(L'.');
    return dot < 0 ? fileName : fileName.Left(dot);
}

MadeShortcut MakeShortcut(const String& folder, const String& target)
{
    const String base = ShortcutBaseName(LastComponent(target));
    std::wstring quoted = L"\"" + std::wstring(target.Chars()) + L"\"";
    for (int attempt = 1;; ++attempt) {
        const String name = ShortcutFileName(base, attempt);
        if (name.Length() > MaxNewNameLength)
            return {ShortcutOutcome::NameTooLong, String()};
        std::wstring path(JoinPath(folder, name).Chars());
        if (handset::SHCreateShortcut(path.data(), quoted.data()))
            return {ShortcutOutcome::Created, name};
        // Only a taken name is worth another number: any other refusal would
        // come again for every number.
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return {ShortcutOutcome::Failed, String()};
    }
}
