#include "taskmanager/TaskEnumeration.h"

#include "taskmanager/ClosingPasses.h"
#include "taskmanager/KnownApps.h"
#include "taskmanager/ListingRules.h"

#include "platform/ProcessImage.h"

namespace {

struct Enumeration {
    HWND ownDialog;
    std::vector<HWND> windows;
};

String ExecutableOf(HWND window)
{
    DWORD processId = 0;
    if (GetWindowThreadProcessId(window, &processId) == 0)
        return String();
    const std::optional<std::wstring> path = vellumate::ProcessImageHandsetPath(processId);
    return path ? String(path->c_str(), static_cast<int>(path->size())) : String();
}

String ReadText(HWND window, bool className)
{
    String text;
    wchar_t* buffer = text.Reserve(MaxClosingText + 1);
    const int length = className ? GetClassNameW(window, buffer, MaxClosingText + 1)
                                 : GetWindowTextW(window, buffer, MaxClosingText + 1);
    text.Commit(length > 0 ? length : 0);
    return text;
}

}  // namespace

String WindowTitleOf(HWND window)
{
    return ReadText(window, false);
}

String WindowClassOf(HWND window)
{
    return ReadText(window, true);
}

std::vector<TaskRow> ListApplications(HWND ownDialog, const HiddenList& hidden, const String& shortcutFolder)
{
    // The handles first: nothing slow happens while the platform enumerates.
    Enumeration enumeration{ownDialog, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            reinterpret_cast<Enumeration*>(context)->windows.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&enumeration));

    std::vector<TaskRow> rows;
    for (HWND window : enumeration.windows) {
        WindowFacts facts;
        facts.visible = IsWindowVisible(window) != FALSE;
        facts.owned = GetWindow(window, GW_OWNER) != nullptr;
        facts.ownDialog = window == ownDialog;
        if (!facts.visible || facts.owned || facts.ownDialog)
            continue;
        facts.title = WindowTitleOf(window);
        facts.className = WindowClassOf(window);
        if (!IsApplicationWindow(facts) || !IsWindow(window))
            continue;
        String identity = IdentityPath(facts.className, ExecutableOf(window), shortcutFolder);
        if (hidden.Contains(identity))
            continue;
        rows.push_back({window, facts.title, facts.className, identity});
    }
    return rows;
}
