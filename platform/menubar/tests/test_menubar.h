// Resource numbers of the menu bar tests.
#pragma once

#define IDM_BAR_COMMANDS 100  // two command buttons
#define IDM_BAR_POPUP 101     // a command and a popup with marks, greyed items and a submenu
#define IDM_BAR_EXTENDED 102  // a MENUEX bar whose popup button has an id
#define IDM_BAR_LONG 103      // a popup taller than the screen
#define IDM_BAR_MISSING 199   // no such resource

#define IDD_BAR_DIALOG 300  // a captioned dialog with an edit control
#define IDC_BAR_EDIT 301
#define IDC_BAR_LIST 302

#define ID_DONE 1001
#define ID_CANCEL 1002
#define ID_OPEN 1010
#define ID_SORT_NAME 1011
#define ID_SORT_SIZE 1012
#define ID_DELETE 1013
#define ID_ABOUT 1014
#define ID_VIEW_LIST 1015
#define ID_VIEW_ICONS 1016
#define ID_MENU_BUTTON 1020
#define ID_LONG_FIRST 1100
