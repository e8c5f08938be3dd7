#include "filemanager/OperationMessages.h"

#include "filemanager/CaptionedMessage.h"
#include "filemanager/FileOperationResources.h"

int ShowOperationError(HWND owner, UINT message, UINT secondMessage, const String& argument)
{
    return ShowCaptionedMessage(owner, IDS_OPERATION_ERROR, message, secondMessage, MB_OK | MB_ICONERROR, argument);
}
