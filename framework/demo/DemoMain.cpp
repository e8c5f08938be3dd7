// fwdemo: the application framework at work, for a person to try in a
// handset session: a main window with a soft-key bar, a full-screen sample
// dialog with a popup menu and Back routed to it, a message box and the
// about box.
#include "DemoWindow.h"

#include "framework/Startup.h"

#include <memory>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t*, int showCommand)
{
    std::unique_ptr<DemoWindow> main;
    ProgramStartup startup;
    startup.className = L"VellumateDemo";
    startup.fixedTitle = L"Framework Demo";
    startup.windowProcedure = DemoWindow::Procedure();
    startup.afterRegistration = [&] {
        main = std::make_unique<DemoWindow>();
        return true;
    };
    startup.windowObject = [&]() -> void* { return main->CreationParameter(); };
    return RunProgram(instance, showCommand, startup);
}
