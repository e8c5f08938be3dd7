#include "filemanager/CaptionedMessage.h"

#include "framework/Globals.h"

#include "platform/MessageBox.h"

int ShowCaptionedText(HWND owner, const wchar_t* caption, const wchar_t* text, UINT style)
{
    if (!owner || !IsWindow(owner))
        owner = GetActiveWindow();
    // A caption that is missing from the resources is no reason for a blank one.
    const wchar_t* shown = caption && *caption ? caption : ProgramTitle().Chars();
    return vellumate::HandsetMessageBox(owner, text, shown, style);
}
