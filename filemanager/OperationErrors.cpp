#include "filemanager/OperationErrors.h"

#include "framework/Globals.h"

int ShowCaptionedText(HWND owner, UINT caption, const wchar_t* text, UINT style)
{
    if (!owner || !IsWindow(owner))
        owner = GetActiveWindow();
    String title;
    if (!title.LoadResourceText(caption) || title.IsEmpty())
        title = ProgramTitle();
    return MessageBoxW(owner, text ? text : L"", title, style);
}
