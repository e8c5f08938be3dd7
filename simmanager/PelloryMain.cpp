// Pellory, the SIM phonebook manager.
#include "simmanager/MainWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t*, int showCommand)
{
    std::unique_ptr<MainWindow> main;
    return RunProgram(instance, showCommand, MainWindow::Startup(main));
}
