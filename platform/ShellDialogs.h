// Full-screen dialogs and the Back key, as the handset's shell provides them.
#pragma once

#include <windows.h>

typedef struct SHINITDLGINFO {
    DWORD dwMask;  // SHIDIM_FLAGS
    HWND hDlg;
    DWORD dwFlags;  // SHIDIF_* bits
} SHINITDLGINFO, *PSHINITDLGINFO;

#define SHIDIM_FLAGS 0x0001

#define SHIDIF_DONEBUTTON 0x0001
#define SHIDIF_SIZEDLG 0x0002
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004
#define SHIDIF_SIPDOWN 0x0008
#define SHIDIF_FULLSCREENNOMENUBAR 0x0010

// Sizes the dialog to the work area (176 x 180 below the title strip) when
// asked for SHIDIF_SIZEDLGFULLSCREEN. FALSE when hDlg is not a window or the
// mask is wrong.
BOOL SHInitDialog(PSHINITDLGINFO pshidi);

// Hands a Back key (the WM_HOTKEY a menu bar delivered) to the window with the
// keyboard focus: an edit control deletes the character before the caret;
// otherwise the default Back handling applies, which at a program's top level
// returns to the home screen.
void SHSendBackToFocusWindow(UINT uMsg, WPARAM wp, LPARAM lp);
