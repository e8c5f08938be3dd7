// SHInitDialog: a dialog becomes a screen of the handset.
#include "platform/ShellDialogs.h"

#include "platform/Handset.h"

using namespace vellumate;

BOOL SHInitDialog(PSHINITDLGINFO pshidi)
{
    if (!pshidi || !(pshidi->dwMask & SHIDIM_FLAGS) || !pshidi->hDlg || !::IsWindow(pshidi->hDlg))
        return FALSE;
    const DWORD flags = pshidi->dwFlags;
    if (!(flags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_FULLSCREENNOMENUBAR)))
        return TRUE;  // the other flags ask for nothing a handset screen shows

    // A screen has no caption and no frame: the title strip shows its title.
    const HWND dialog = pshidi->hDlg;
    constexpr LONG_PTR FrameStyles = WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME | WS_SYSMENU;
    constexpr LONG_PTR FrameExStyles = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;
    ::SetWindowLongPtrW(dialog, GWL_STYLE, ::GetWindowLongPtrW(dialog, GWL_STYLE) & ~FrameStyles);
    ::SetWindowLongPtrW(dialog, GWL_EXSTYLE, ::GetWindowLongPtrW(dialog, GWL_EXSTYLE) & ~FrameExStyles);

    // The work area, between the title strip and the soft-key bar; without a
    // bar the screen reaches down to the bottom.
    const int height = (flags & SHIDIF_FULLSCREENNOMENUBAR) ? ScreenHeight - WorkAreaTop : WorkAreaHeight;
    int left = 0;
    int top = WorkAreaTop;
    // A child dialog is placed in its parent's client coordinates.
    if (::GetWindowLongPtrW(dialog, GWL_STYLE) & WS_CHILD) {
        POINT origin{0, WorkAreaTop};
        ::ScreenToClient(::GetParent(dialog), &origin);
        left = origin.x;
        top = origin.y;
    }
    return ::SetWindowPos(dialog, nullptr, left, top, ScreenWidth, height,
                          SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED) != FALSE;
}
