// tmail.exe: the handset's mail program.
#include "platform/mail/MailWindow.h"
#include "platform/PageWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t* commandLine, int)
{
    vellumate::MailWindow window(vellumate::AttachmentOf(commandLine ? commandLine : L""));
    if (!window.Create(instance))
        return 1;
    return vellumate::RunPageLoop();
}
