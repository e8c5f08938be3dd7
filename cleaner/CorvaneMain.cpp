// Corvane, the storage cleaner.
#include "cleaner/MainWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t*, int showCommand)
{
    std::unique_ptr<MainWindow> main;
    return RunProgram(instance, showCommand, MainWindow::Startup(main));
}
