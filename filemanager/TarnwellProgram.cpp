#include "filemanager/TarnwellProgram.h"

#include "filemanager/MainWindow.h"
#include "filemanager/Settings.h"
#include "framework/Startup.h"

#include <memory>

int RunTarnwell(HINSTANCE instance, int showCommand)
{
    ProgramKey key;
    std::unique_ptr<MainWindow> main;

    ProgramStartup startup = TarnwellStartup(&MainWindow::Procedure);
    startup.afterRegistration = [&] {
        key = TarnwellProgramKey();
        main = std::make_unique<MainWindow>(LoadAppSettings(key));
        MainWindow::Attach(main.get());
        return true;
    };
    startup.createPanes = [&](HWND window) { return main && main->CreatePanes(window); };
    startup.shutdown = [&] {
        if (!main)
            return;
        // A failed write only means the settings are not remembered.
        const AppSettings settings = main->Settings();
        SaveAppSettings(key, settings, settings.openedFolder);
        main.reset();
    };
    return RunProgram(instance, showCommand, startup);
}
