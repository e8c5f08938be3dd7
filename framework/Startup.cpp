#include "framework/Startup.h"

#include "framework/Globals.h"
#include "framework/ResourceModule.h"
#include "framework/SingleInstance.h"
#include "framework/String.h"

#include "platform/Handles.h"
#include "platform/Handset.h"
#include "platform/MessageBox.h"

#include <optional>
#include <utility>

namespace {

// The resource module for the program's lifetime: the localized resource file
// when the program keeps its resources there, else the program itself.
class ProgramResources {
public:
    ProgramResources(HINSTANCE instance, bool localized)
    {
        if (localized) {
            m_file = LoadLocalizedResourceFile();
            m_module = m_file.Get();
        } else {
            m_module = instance;
        }
        if (m_module)
            SetResourceModule(m_module);
    }

    // Null when the localized resource file is missing.
    HINSTANCE Module() const noexcept { return m_module; }

private:
    ModuleHandle m_file;
    HINSTANCE m_module = nullptr;
};

// Without its resource file a program has no words of its own to say so.
void ReportMissingResources()
{
    String name = ModuleFileName(nullptr);
    name = name.Mid(name.ReverseFind(L'\\') + 1);
    vellumate::HandsetMessageBox(nullptr, L"The language file of this program is missing. Install the program again.",
                                 name, MB_OK | MB_ICONSTOP);
}

// String `id` of the resource module cut to the window-title length; nothing
// when the string is missing.
std::optional<String> LoadWindowTitle(UINT id)
{
    String title;
    if (!title.LoadResourceText(id))
        return std::nullopt;
    return title.Length() > MaxWindowTitleLength ? title.Left(MaxWindowTitleLength) : title;
}

bool Run(const std::function<bool()>& step)
{
    return !step || step();
}

int RunMessageLoop()
{
    MSG message{};
    for (;;) {
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(message.wParam);
        if (got == -1)
            return 0;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int RunProgramSteps(HINSTANCE instance, int showCommand, const ProgramStartup& startup)
{
    if (startup.beforeFramework)
        startup.beforeFramework();
    ProgramResources resources(instance, startup.localizedResources);
    if (!resources.Module()) {
        ReportMissingResources();
        return 0;
    }
    if (!startup.singleInstanceFirst)
        InitFramework(instance, resources.Module(), IDS_PROGRAM_TITLE);

    String title;
    if (startup.fixedTitle) {
        title = startup.fixedTitle;
    } else {
        std::optional<String> loaded = LoadWindowTitle(startup.titleId);
        if (!loaded)
            return 0;
        title = *loaded;
    }

    InstanceLookup lookup;
    lookup.windowTitle = startup.lookupByTitle ? title.Chars() : nullptr;
    lookup.retryWait = startup.lookupWait;
    lookup.focusWindow = startup.focusFoundWindow;
    bool anotherInstance = false;
    if (FAILED(EnsureSingleInstance(startup.className, lookup, anotherInstance)) || anotherInstance)
        return 0;

    if (startup.singleInstanceFirst)
        InitFramework(instance, resources.Module(), IDS_PROGRAM_TITLE);
    if (!Run(startup.prepare))
        return 0;

    WNDCLASSW windowClass{};
    windowClass.style = startup.classStyle;
    windowClass.lpfnWndProc = startup.windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = startup.iconId ? LoadIconW(resources.Module(), MAKEINTRESOURCEW(startup.iconId)) : nullptr;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = startup.className;
    if (!startup.windowProcedure || !RegisterClassW(&windowClass))
        return 0;
    if (!Run(startup.afterRegistration))
        return 0;

    void* windowObject = startup.windowObject ? startup.windowObject() : nullptr;
    HWND window =
        CreateWindowExW(0, startup.className, title, MainWindowStyle, 0, vellumate::WorkAreaTop, vellumate::ScreenWidth,
                        vellumate::WorkAreaHeight, nullptr, nullptr, instance, windowObject);
    if (!window)
        return 0;
    if (startup.createPanes && !startup.createPanes(window)) {
        DestroyWindow(window);
        return 0;
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    if (startup.afterShow)
        startup.afterShow(window);

    int exitCode = RunMessageLoop();
    if (startup.shutdown)
        startup.shutdown();
    return exitCode;
}

}  // namespace

int RunProgram(HINSTANCE instance, int showCommand, const ProgramStartup& startup)
{
    // Start-up is the outermost frame: nothing may leave it but an exit code.
    try {
        return RunProgramSteps(instance, showCommand, startup);
    } catch (...) {
        return 0;
    }
}

int RunDialogProgram(HINSTANCE instance, const DialogProgramStartup& startup)
{
    try {
        ProgramResources resources(instance, startup.localizedResources);
        if (!resources.Module()) {
            ReportMissingResources();
            return 0;
        }
        vellumate::KernelHandle mutex(CreateMutexW(nullptr, FALSE, startup.mutexName));
        if (!mutex)
            return 1;
        if (GetLastError() == ERROR_ALREADY_EXISTS) {
            mutex.Reset();
            // One look only: the running copy's main dialog is up, or soon will be.
            if (std::optional<String> title = LoadWindowTitle(startup.titleId)) {
                if (HWND window = FindWindowW(WC_DIALOG, *title))
                    BringWindowForward(window);
            }
            return 1;
        }
        InitFramework(instance, resources.Module(), IDS_PROGRAM_TITLE);
        INT_PTR result = startup.runMainDialog ? startup.runMainDialog() : -1;
        return result < 0 ? 0 : 1;
    } catch (...) {
        return 0;
    }
}
