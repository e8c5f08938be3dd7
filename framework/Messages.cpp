#include "framework/Messages.h"

#include "framework/Globals.h"

#include "platform/MessageBox.h"

namespace {

// Each loaded string is cut to this many characters.
constexpr int MaxLoadedLength = 256;
// The error record's text is read into a buffer of this many characters.
constexpr int ErrorTextBuffer = 256;

String LoadCut(UINT id)
{
    String text;
    text.LoadResourceText(id);
    return text.Length() > MaxLoadedLength ? text.Left(MaxLoadedLength) : text;
}

}  // namespace

namespace message_detail {

String LoadMessageStrings(UINT message, UINT secondMessage)
{
    String text = LoadCut(message);
    if (text.IsEmpty())
        text = LoadCut(IDS_GENERIC_ERROR);
    if (secondMessage != 0) {
        String second = LoadCut(secondMessage);
        if (!second.IsEmpty()) {
            text += L'\n';
            text += second;
        }
    }
    return text;
}

void AppendDetails(String& text, DWORD code1, DWORD code2, DWORD code3, ErrorInfo* error)
{
    if (code1 != 0) {
        String codes;
        codes.FormatText(L"\n%lu:%lu:%lu", code1, code2, code3);
        text += codes;
    }
    wchar_t errorText[ErrorTextBuffer];
    if (error && error->GetErrorText(errorText, ErrorTextBuffer)) {
        text += L'\n';
        text += errorText;
    }
}

}  // namespace message_detail

UINT MessageBoxStyle(UINT style) noexcept
{
    if (style == 0)
        return MB_ICONEXCLAMATION | MB_OK;
    if ((style & MB_TYPEMASK) == MB_ABORTRETRYIGNORE)
        return (style & ~MB_TYPEMASK) | MB_RETRYCANCEL;
    return style;
}

int ShowMessageText(HWND owner, const wchar_t* text, UINT style)
{
    if (!owner || !IsWindow(owner))
        owner = GetActiveWindow();
    return vellumate::HandsetMessageBox(owner, text, ProgramTitle(), style);
}
