// fwdemo: the application framework at work, for a person to try in a
// handset session: a main window with a soft-key bar, a full-screen sample
// dialog with a popup menu and Back routed to it, a message box and the
// about box.
#include "DemoWindow.h"

#include "framework/Startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t*, int showCommand)
{
    ProgramStartup startup;
    startup.className = L"VellumateDemo";
    startup.fixedTitle = L"Framework Demo";
    startup.windowProcedure = DemoWindowProcedure;
    return RunProgram(instance, showCommand, startup);
}
