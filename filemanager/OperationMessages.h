// The error boxes of the file operations: a resource string formatted with
// its arguments, followed by a second string when one is given, with the
// error icon and the operations' own caption (string 43112).
#pragma once

#include "filemanager/CaptionedMessage.h"
#include "filemanager/resource.h"

#include <windows.h>

// A null or destroyed owner: the active window. Returns the button chosen.
template <typename... Args>
int ShowOperationError(HWND owner, UINT message, UINT secondMessage, const Args&... args)
{
    return ShowCaptionedMessage(owner, IDS_OPERATION_ERROR, message, secondMessage, MB_OK | MB_ICONERROR, args...);
}
