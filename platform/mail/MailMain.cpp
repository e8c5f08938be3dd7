// tmail.exe: the handset's mail program.
#include "platform/mail/MailWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t* commandLine, int)
{
    vellumate::MailWindow window(vellumate::AttachmentOf(commandLine ? commandLine : L""));
    if (!window.Create(instance))
        return 1;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
