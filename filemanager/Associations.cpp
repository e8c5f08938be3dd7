#include "filemanager/Associations.h"

#include "framework/RegistryKey.h"
#include "framework/Settings.h"

#include "platform/ProcessImage.h"

#include <string>

namespace {

String ClassOf(const String& extension, HKEY classesRoot)
{
    String className;
    ReadText(extension + L"\\Default", className, MaxKeyNameLength, L"", classesRoot);
    return className;
}

}  // namespace

String ExtensionOfName(const wchar_t* name)
{
    const String text(name ? name : L"");
    const int dot = text.ReverseFind(L'.');
    return dot < 0 ? String() : text.Mid(dot);
}

bool IsAssociated(const wchar_t* extension, HKEY classesRoot)
{
    if (!extension || !*extension)
        return false;
    RegistryKey key;
    if (!key.Open(classesRoot, extension, KEY_READ))
        return false;
    const String className = ClassOf(extension, classesRoot);
    return !className.IsEmpty() && key.Open(classesRoot, className, KEY_READ);
}

bool WriteAssociation(const wchar_t* extension, const wchar_t* programPath, int iconIndex, HKEY classesRoot)
{
    // "" or "." would put the class's keys at the root of all classes.
    if (!extension || extension[0] != L'.' || !extension[1] || !programPath || !*programPath)
        return false;
    const String ext(extension);
    bool created = false;
    {
        RegistryKey key;
        if (!key.Create(classesRoot, ext, KEY_ALL_ACCESS, &created))
            return false;
    }
    const String bare = ext.Mid(1);
    String className = created ? String() : ClassOf(ext, classesRoot);
    // An existing key without a class (or with one stored as anything but
    // text) is given one as a new key is: with the empty class the icon and
    // command would land at the root of all classes.
    if (className.IsEmpty()) {
        String contentType;
        if (created || !ReadText(ext + L"\\Content Type", contentType, 0, L"", classesRoot))
            WriteText(ext + L"\\Content Type", bare + L" FILE", classesRoot);
        WriteText(ext + L"\\Default", bare + L"file", classesRoot);
        className = ClassOf(ext, classesRoot);
        if (className.IsEmpty())
            return false;
    }
    String icon;
    icon.FormatText(L"%s,%d", programPath, iconIndex);
    if (!WriteText(className + L"\\DefaultIcon\\", icon, classesRoot))
        return false;
    return WriteText(className + L"\\shell\\open\\command\\", String(L"\"") + programPath + L"\" %1", classesRoot);
}

bool ClaimZipFiles()
{
    std::wstring module(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
        if (length == 0)
            return false;
        if (length < module.size()) {
            module.resize(length);
            break;
        }
        module.resize(module.size() * 2);
    }
    // The handset's registry names programs as the handset does.
    const std::wstring program = vellumate::HandsetPathOf(module);
    return WriteAssociation(L".zip", program.c_str(), ZipIconIndex);
}
