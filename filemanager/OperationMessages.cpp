#include "filemanager/OperationMessages.h"

#include "filemanager/FileOperationResources.h"
#include "framework/Messages.h"

int ShowOperationError(HWND owner, UINT message, UINT secondMessage, const String& argument)
{
    const String text = ComposeMessage(message, secondMessage, 0, 0, 0, nullptr, argument);
    String caption;
    caption.LoadResourceText(IDS_OPERATION_ERROR);
    if (!owner || !IsWindow(owner))
        owner = GetActiveWindow();
    return MessageBoxW(owner, text, caption, MB_OK | MB_ICONERROR);
}
