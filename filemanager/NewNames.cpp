#include "filemanager/NewNames.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/FolderList.h"
#include "filemanager/PreferenceBits.h"
#include "framework/Paths.h"

std::vector<String> ListedNames(const FolderList& list)
{
    std::vector<String> names;
    for (int i = list.HasParentRow() ? 1 : 0; i < list.ItemCount(); ++i)
        names.push_back(list.Item(i).name);
    return names;
}

bool FolderHasEntry(const wchar_t* folder, const wchar_t* name)
{
    return name && *name && EntryExists(JoinPath(folder, name));
}

bool NameTaken(const std::vector<String>& listed, const wchar_t* folder, const wchar_t* name)
{
    for (const String& item : listed)
        if (item.CompareNoCase(name) == 0)
            return true;
    return FolderHasEntry(folder, name);
}

bool IsAcceptableNewName(const wchar_t* name)
{
    const String text(name ? name : L"");
    return text.Length() <= MaxNewNameLength && ValidateFileName(text, nullptr, nullptr, nullptr);
}

String ProposeFolderName(const String& base, const std::function<bool(const String&)>& isTaken)
{
    if (!isTaken(base))
        return base;
    // A folder cannot hold more names than this; the loop ends long before.
    for (int n = 2; n < 0x7FFFFFFF; ++n) {
        String name;
        name.FormatText(L"%s%d", base.Chars(), n);
        if (!isTaken(name))
            return name;
    }
    return base;
}

EditableName MakeEditableName(const String& name, bool isFolder, DWORD preferences)
{
    EditableName editable{name, String()};
    if (isFolder || !(preferences & PreferenceHideExtensions))
        return editable;
    // As the list shows it: ".profile" has no extension to hide.
    const int dot = name.ReverseFind(L'.');
    if (dot > 0) {
        editable.shown = name.Left(dot);
        editable.hiddenExtension = name.Mid(dot);
    }
    return editable;
}

RenameVerdict JudgeRename(const String& oldName, const String& newName,
                          const std::function<bool(const String&)>& isTaken)
{
    if (!IsAcceptableNewName(newName))
        return RenameVerdict::BadName;
    if (newName == oldName)
        return RenameVerdict::Unchanged;
    // Another letter case names the item itself.
    if (newName.CompareNoCase(oldName) != 0 && isTaken(newName))
        return RenameVerdict::Taken;
    return RenameVerdict::Move;
}

bool MoveToNewName(const wchar_t* folder, const String& oldName, const String& newName, DWORD* error)
{
    const String from = ToFileSystemPath(JoinPath(folder, oldName));
    const String to = ToFileSystemPath(JoinPath(folder, newName));
    DWORD failure = 0;
    if (newName.CompareNoCase(oldName) != 0) {
        if (MoveFileW(from, to))
            return true;
        failure = GetLastError();
    } else {
        // A file system that ignores case takes the new spelling for the item
        // itself and may keep the old one: step aside through a name of its
        // own.
        for (int attempt = 0; attempt < 100 && failure == 0; ++attempt) {
            String aside;
            aside.FormatText(L"%s.~%lu-%d", oldName.Chars(), GetCurrentProcessId(), attempt);
            if (EntryExists(JoinPath(folder, aside)))
                continue;
            const String asidePath = ToFileSystemPath(JoinPath(folder, aside));
            if (!MoveFileW(from, asidePath)) {
                failure = GetLastError();
                break;
            }
            if (MoveFileW(asidePath, to))
                return true;
            failure = GetLastError();
            MoveFileW(asidePath, from);  // the item keeps its old name
        }
    }
    if (error)
        *error = failure ? failure : ERROR_ALREADY_EXISTS;
    return false;
}
