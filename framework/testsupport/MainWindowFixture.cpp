#include "framework/testsupport/MainWindowFixture.h"

#include "framework/ResourceModule.h"
#include "framework/String.h"

#include "platform/Handset.h"

bool BindProgramResources(const ProgramStartup& row)
{
    if (!row.localizedResources)
        return true;
    static const ModuleHandle resources = LoadLocalizedResourceFile();
    SetResourceModule(resources.Get());
    return resources.Get() != nullptr;
}

HWND CreateProgramWindow(const ProgramStartup& row, void* creationParameter)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.style = row.classStyle;
    windowClass.lpfnWndProc = row.windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon =
        row.iconId ? LoadIconW(ResourceModule() ? ResourceModule() : instance, MAKEINTRESOURCEW(row.iconId)) : nullptr;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = row.className;
    if (!row.windowProcedure || (!RegisterClassW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS))
        return nullptr;

    String title;
    if (row.fixedTitle)
        title = row.fixedTitle;
    else if (title.LoadResourceText(row.titleId) && title.Length() > MaxWindowTitleLength)
        title = title.Left(MaxWindowTitleLength);
    return CreateWindowExW(0, row.className, title, MainWindowStyle, 0, vellumate::WorkAreaTop, vellumate::ScreenWidth,
                           vellumate::WorkAreaHeight, nullptr, nullptr, instance, creationParameter);
}
