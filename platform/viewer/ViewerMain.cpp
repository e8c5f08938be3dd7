// vmview.exe: the handset's document viewer.
#include "platform/viewer/ViewerWindow.h"
#include "platform/PageWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t* commandLine, int)
{
    vellumate::ViewerWindow window(vellumate::ViewedFileOf(commandLine ? commandLine : L""));
    if (!window.Create(instance))
        return 1;
    return vellumate::RunPageLoop();
}
