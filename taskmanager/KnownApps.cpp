#include "taskmanager/KnownApps.h"

#include <cwchar>

namespace {

constexpr KnownApplication KnownApplications[] = {
    {L"Calendar", L"Calendar.lnk"},
    {L"MSClog", L"Call History.lnk"},
    {L"MSContacts", L"Contacts.lnk"},
    {L"MSScut", L"Speed Dial.lnk"},
    {L"Notes.MainWnd", L"Voice Notes.lnk"},
    {L"Tasks Application", L"Tasks.lnk"},
    {L"MSSolitaire", L"Games\\Solitaire.lnk"},
};

}  // namespace

const KnownApplication* FindKnownApplication(const wchar_t* windowClass) noexcept
{
    if (!windowClass)
        return nullptr;
    for (const KnownApplication& known : KnownApplications) {
        if (std::wcscmp(known.windowClass, windowClass) == 0)
            return &known;
    }
    return nullptr;
}

String IdentityPath(const wchar_t* windowClass, const String& executablePath, const String& shortcutFolder)
{
    const KnownApplication* known = FindKnownApplication(windowClass);
    if (!known)
        return executablePath;
    String path;
    path.FormatText(L"%s\\%s", shortcutFolder.Chars(), known->shortcut);
    return path;
}
