// vmholdout.exe: the handset's application that ignores close requests.
#include "platform/holdout/HoldoutWindow.h"
#include "platform/PageWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t* commandLine, int)
{
    vellumate::HoldoutWindow window(vellumate::ParseHoldoutOptions(commandLine ? commandLine : L""));
    if (!window.Create(instance))
        return 1;
    return vellumate::RunPageLoop();
}
