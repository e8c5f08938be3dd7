// tobex.exe: the handset's beam receiver. Its command line names the folder
// it keeps its own state in; it keeps none.
#include "platform/obex/receiver/ReceiverWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t*, int)
{
    vellumate::ReceiverWindow window;
    if (!window.Create(instance))
        return 1;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
