// tobex.exe: the handset's beam receiver. Its command line names the folder
// it keeps its own state in; it keeps none.
#include "platform/obex/receiver/ReceiverWindow.h"
#include "platform/PageWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t*, int)
{
    vellumate::ReceiverWindow window;
    if (!window.Create(instance))
        return 1;
    return vellumate::RunPageLoop();
}
