// Lunsett's resource numbers: dialogs, menu bars, controls, commands and
// strings. The executable carries the icon; the localized resource file
// (lunsett.0409.dll) everything else. Read by the resource compiler too, so
// plain #defines only.
#pragma once

#include "framework/FrameworkResources.h"

// ---- dialogs and menu bars --------------------------------------------------------

#define IDD_TASK_LIST 101
#define IDD_SYSTEM_PANEL 102
#define IDM_TASK_LIST_BAR 103
#define IDM_SYSTEM_PANEL_BAR 104

// ---- the task list's controls ------------------------------------------------------

#define IDC_TASK_LIST 1000
#define IDC_COUNT_STRIP 1001
#define IDC_MEMORY_STRIP 1002

// ---- the system panel's controls ---------------------------------------------------

#define IDC_VOLUME1_TOTAL 1003
#define IDC_VOLUME1_FREE 1004
#define IDC_VOLUME2_TOTAL 1005
#define IDC_VOLUME2_FREE 1006
#define IDC_MAKER 1007
#define IDC_PROCESSOR 1008
#define IDC_SYSTEM_NAME 1009
#define IDC_SYSTEM_VERSION 1010
#define IDC_PROGRAM_FREE 1011
#define IDC_PROGRAM_USED 1012
#define IDC_PROGRAM_TOTAL 1013
#define IDC_STORE_FREE 1014
#define IDC_STORE_USED 1015
#define IDC_STORE_TOTAL 1016
#define IDC_MEMORY_TOTAL 1017
#define IDC_MAIN_BATTERY 1020
#define IDC_BACKUP_BATTERY 1021
#define IDC_VOLUME1_USED 1022
#define IDC_VOLUME2_USED 1023
#define IDC_HEADING_DEVICE 1024
#define IDC_HEADING_MEMORY 1025
#define IDC_HEADING_POWER 1026
#define IDC_HEADING_STORAGE 1027
#define IDC_MAIN_VOLUME 1028

// ---- commands ------------------------------------------------------------------------

#define ID_SWITCH_TO 40001
#define ID_ABOUT 40002
#define ID_REFRESH 40003
#define ID_CLOSE_TASK 40004
#define ID_SYSTEM_PANEL 40005
#define ID_CLOSE_ALL 40006
#define ID_EXIT 40008
#define ID_CLOSE_OTHERS 40009

// ---- strings ----------------------------------------------------------------------------

#define IDS_CLOSE_ALL_CAPTION 41002
#define IDS_FREE_MEMORY 41003  // %s: the free program memory ("1,000 KB")
#define IDS_TASK_COUNT 41004   // %d: the number of rows
#define IDS_TASK_LIST_TITLE 41005
#define IDS_CLOSE_ALL_QUESTION 41006
#define IDS_TERMINATE_QUESTION 41007  // %s: the application's title
#define IDS_TERMINATE_CAPTION 41009
#define IDS_BATTERY_STATES 41010  // six names separated by "|"
#define IDS_SYSTEM_PANEL_TITLE 41011
#define IDS_UNKNOWN 41012
#define IDS_BUILD 41013           // %d: the build number
#define IDS_MAIN_VOLUME 41014     // %s: the main volume's name
#define IDS_BATTERY_MEDIUM 41015  // a charge between low and high (flag 0)
