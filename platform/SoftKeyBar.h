// The handset's soft-key menu bar: a 20-pixel bar at the bottom of the screen
// whose two buttons are the left and right soft keys (F1 and F2 on a PC
// keyboard). Program code creates and drives it exactly as on the handset.
//
// A menu bar resource is a MENU resource whose number is the menu bar number.
// Its first top-level item is the left soft key, its second the right soft
// key; a MENUITEM sends its command (WM_COMMAND to the bar's parent), a POPUP
// opens upward as a popup menu driven by the direction pad and Enter:
//
//     1000 MENU
//     BEGIN
//         MENUITEM "Flash", 40112
//         POPUP "Menu"
//         BEGIN
//             MENUITEM "Memory (RAM)", 40114
//             MENUITEM SEPARATOR
//             MENUITEM "About", 40118
//         END
//     END
//
// Before a popup opens the parent receives WM_INITMENUPOPUP with the popup's
// HMENU, so programs grey, check and radio-mark items with the usual menu
// functions.
#pragma once

#include <windows.h>

#include <commctrl.h>

typedef struct SHMENUBARINFO {
    DWORD cbSize;
    HWND hwndParent;
    DWORD dwFlags;       // SHCMBF_* bits
    UINT nToolBarId;     // the menu bar resource number
    HINSTANCE hInstRes;  // the module holding the resource
    int nBmpId;          // unused: the bar draws text buttons
    int cBmpImages;
    HWND hwndMB;  // out: the menu bar window
    COLORREF clrBk;
} SHMENUBARINFO, *PSHMENUBARINFO;

#define SHCMBF_EMPTYBAR 0x0001  // no resource: a bar without buttons
#define SHCMBF_HIDDEN 0x0002    // created hidden
#define SHCMBF_HIDESIPBUTTON 0x0004
#define SHCMBF_COLORBK 0x0008

// A menu bar window also answers TB_SETBUTTONINFO (WM_USER+64) with TBIF_STATE
// (TBSTATE_HIDDEN, TBSTATE_ENABLED) and TBIF_TEXT, addressed by the button's
// command. A POPUP button has the id a MENUEX resource gives it (0 in a MENU).
#define SHCMBM_SETSUBMENU (WM_USER + 400)   // wParam: command of the popup button, lParam: HMENU
#define SHCMBM_GETSUBMENU (WM_USER + 401)   // wParam: 0, lParam: command of the popup button -> HMENU
#define SHCMBM_GETMENU (WM_USER + 402)      // -> the HMENU whose popups the bar opens
#define SHCMBM_OVERRIDEKEY (WM_USER + 403)  // wParam: virtual key, lParam: MAKELPARAM(mask, value)

// SHCMBM_OVERRIDEKEY mask and value bits: with SHMBOF_NODEFAULT the key gets no
// default handling; with SHMBOF_NOTIFY it is delivered to the bar's parent as
// WM_HOTKEY (wParam the key's id, lParam MAKELPARAM(modifiers, virtual key),
// modifiers carrying MOD_KEYUP 0x1000 on release).
#define SHMBOF_NODEFAULT 0x00000001
#define SHMBOF_NOTIFY 0x00000002

#ifndef MOD_KEYUP
#define MOD_KEYUP 0x1000
#endif

// Creates the bar from the resource; fills hwndMB. FALSE (hwndMB null) when
// the resource is missing or the parent is not a window.
BOOL SHCreateMenuBar(SHMENUBARINFO* pmbi);

// The menu bar of a top-level window, or null.
HWND SHFindMenuBar(HWND hwnd);
