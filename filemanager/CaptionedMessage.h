// Message boxes with a caption of their own (an error caption, a question's
// subject) instead of the program title that ShowMessage puts there.
#pragma once

#include "framework/Messages.h"
#include "framework/String.h"

#include <windows.h>

// Shows `text` under `caption`; a null or destroyed owner is replaced by the
// active window. Returns the button chosen.
int ShowCaptionedText(HWND owner, const wchar_t* caption, const wchar_t* text, UINT style);

// The message (and second message, 0 for none) composed as ShowMessage does,
// under caption string `captionId`.
template <typename... Args>
int ShowCaptionedMessage(HWND owner, UINT captionId, UINT message, UINT secondMessage, UINT style, const Args&... args)
{
    String caption;
    caption.LoadResourceText(captionId);
    return ShowCaptionedText(owner, caption, ComposeMessage(message, secondMessage, 0, 0, 0, nullptr, args...),
                             MessageBoxStyle(style));
}
