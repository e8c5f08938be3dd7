// Corvane's resource numbers: commands, menu bars, dialogs, controls and
// strings. The executable carries the icon; the localized resource file
// (corvane.0409.dll) everything else. Read by the resource compiler too, so
// plain #defines only.
#pragma once

// ---- menu bars and dialogs ---------------------------------------------------------

#define IDM_MAIN_BAR 100
#define IDM_SCAN_BAR 101
#define IDM_CLEAN_ALL_BAR 102
#define IDM_INTRO_BAR 103

#define IDD_SCAN 1
#define IDD_CLEAN_ALL 2
#define IDD_INTRO 3

// ---- controls ------------------------------------------------------------------------

#define IDC_SCAN_COUNT 1000
#define IDC_SCAN_SIZE 1001
#define IDC_CLEAN_MAIL 1002
#define IDC_CLEAN_TEXTS 1005
#define IDC_CLEAN_NOTES 1007
#define IDC_CLEAN_CALLS 1008
#define IDC_CLEAN_SPEED_DIAL 1009
#define IDC_INTRO_TEXT 1010
#define IDC_INTRO_DONT_SHOW 1011

// ---- commands --------------------------------------------------------------------------

#define ID_REFRESH 31001
#define ID_DELETE_ALL_MAIL 31002
#define ID_DELETE_ALL_TEXTS 31003
#define ID_DELETE_CALL_LOG 31005
#define ID_DELETE_SPEED_DIAL 31006
#define ID_DELETE_VOICE_NOTES 31009
#define ID_CLEAN_ALL 31010
#define ID_ABOUT 31011
#define ID_TICK_ALL 31012
#define ID_CLEAR_ALL 31013
#define ID_SCAN_DELETE 31014  // the scan dialog's Delete; also "confirmed and done"
#define ID_ACTION_FAILED 31015
#define ID_ACTION_CANCELLED 31016
#define ID_DELETE_READ_MAIL 31017
#define ID_DELETE_INBOX 31018
#define ID_DELETE_OUTBOX 31019
#define ID_DELETE_SENT 31020
#define ID_DELETE_DELETED 31021
#define ID_DELETE_DRAFTS 31022
#define ID_DELETE_READ_TEXTS 31023

// ---- strings ----------------------------------------------------------------------------

#define IDS_FREED_WORD 40002          // stands for "#" in IDS_SCAN_HINT_DELETE
#define IDS_PANEL_HEADING 40003       // %s: the volume's name
#define IDS_PANEL_TOTAL 40004
#define IDS_PANEL_USED 40005
#define IDS_PANEL_FREE 40006
#define IDS_STATUS_READY 40007
#define IDS_STATUS_SCAN_CANCELLED 40008  // %s: the category
#define IDS_STATUS_REFRESHED 40009
#define IDS_SCAN_NOTE 40012
#define IDS_SCAN_SIZE_LABEL 40013
#define IDS_SCAN_HINT_DELETE 40014    // "#" is IDS_FREED_WORD in bold
#define IDS_SCAN_HINT_CANCEL 40015    // "#" is IDS_CANCEL_WORD in bold
#define IDS_STATUS_NOTHING_CLEANED 40017
#define IDS_INTRO_TITLE 40019
#define IDS_CLEAN_ALL_TITLE 40020
#define IDS_WINDOW_TITLE 40021
#define IDS_INTRO_TEXT 40145
#define IDS_CANCEL_WORD 51301

// Categories: N the name, N + 1 the count's label, N + 2 the description.
#define IDS_CATEGORY_DRAFTS 40139
#define IDS_CATEGORY_READ_TEXTS 40142
#define IDS_CATEGORY_ALL_MAIL 41000
#define IDS_CATEGORY_ALL_TEXTS 41003
#define IDS_CATEGORY_CALL_LOG 41009
#define IDS_CATEGORY_SPEED_DIAL 41012
#define IDS_CATEGORY_VOICE_NOTES 41021
#define IDS_CATEGORY_READ_MAIL 41024
#define IDS_CATEGORY_INBOX 41027
#define IDS_CATEGORY_OUTBOX 41030
#define IDS_CATEGORY_SENT 41033
#define IDS_CATEGORY_DELETED 41036

// Results.
#define IDS_MAIL_DELETED 42000        // %u
#define IDS_TEXTS_DELETED 42001       // %u
#define IDS_CALLS_DELETED 42003       // %u
#define IDS_SPEED_DIALS_DELETED 42004 // %u
#define IDS_NOTES_DELETED 42007       // %u
#define IDS_CLEAN_ALL_DONE 42008
#define IDS_NO_VOLUME 43000
#define IDS_NO_FOLDERS 43001
#define IDS_MESSAGES_NOT_DELETED 43002
#define IDS_CALLS_NOT_DELETED 43004
#define IDS_SPEED_DIALS_NOT_DELETED 43005
#define IDS_NOTE_NOT_DELETED 43007
