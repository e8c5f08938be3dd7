// vmview.exe: the handset's document viewer.
#include "platform/viewer/ViewerWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t* commandLine, int)
{
    vellumate::ViewerWindow window(vellumate::ViewedFileOf(commandLine ? commandLine : L""));
    if (!window.Create(instance))
        return 1;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
