// The file operations' error messages: a message box with the error icon and
// the operations' own caption (string 43112) instead of the program title.
#pragma once

#include "filemanager/NameDialogsResources.h"
#include "framework/Messages.h"
#include "framework/String.h"

#include <windows.h>

// Shows `text` captioned with string `caption` (the program title when that
// string is missing). A null or destroyed owner is replaced by the active
// window. Returns the button chosen.
int ShowCaptionedText(HWND owner, UINT caption, const wchar_t* text, UINT style);

// The message (and the second one, when not 0) formatted with args, as an
// error with caption 43112.
template <typename... Args>
int ShowOperationError(HWND owner, UINT message, UINT secondMessage, const Args&... args)
{
    return ShowCaptionedText(owner, IDS_ERROR_CAPTION,
                             ComposeMessage(message, secondMessage, 0, 0, 0, nullptr, args...), MB_OK | MB_ICONERROR);
}
