#include "filemanager/TarnwellProgram.h"

#include "filemanager/Associations.h"
#include "filemanager/MainWindow.h"
#include "filemanager/Settings.h"
#include "filemanager/TemporaryFolders.h"
#include "filemanager/resource.h"

#include <memory>

ProgramStartup TarnwellStartup()
{
    ProgramStartup startup;
    startup.className = MainWindowClass;
    startup.titleId = IDS_WINDOW_TITLE;
    startup.lookupByTitle = true;
    startup.lookupWait = 0;
    startup.focusFoundWindow = true;
    startup.localizedResources = true;
    startup.classStyle = CS_HREDRAW | CS_VREDRAW;
    startup.windowProcedure = MainWindow::Procedure();
    return startup;
}

int RunTarnwell(HINSTANCE instance, int showCommand)
{
    ProgramKey key;
    std::unique_ptr<MainWindow> main;

    ProgramStartup startup = TarnwellStartup();
    // What an earlier run extracted to open and left behind goes, once this
    // is the only copy: a second start would delete what the running one's
    // archive browser has extracted and opened.
    startup.prepare = [] {
        DeleteTemporaryFolders();
        return true;
    };
    // Archives open with this program, wherever it was installed.
    startup.beforeFramework = [] { ClaimZipFiles(); };
    startup.afterRegistration = [&] {
        key = TarnwellProgramKey();
        main = std::make_unique<MainWindow>(LoadAppSettings(key));
        return true;
    };
    startup.windowObject = [&]() -> void* { return main ? main->CreationParameter() : nullptr; };
    startup.createPanes = [&](HWND) { return main && main->CreatePanes(); };
    startup.shutdown = [&] {
        if (!main)
            return;
        // A failed write only means the settings are not remembered.
        const AppSettings settings = main->Settings();
        SaveAppSettings(key, settings, settings.openedFolder);
        main.reset();
        DeleteTemporaryFolders();
    };
    return RunProgram(instance, showCommand, startup);
}
