// Resource numbers of Pellory's backup files: the save and restore dialogs,
// their menu bars, controls and commands, the folder images and the
// messages. Read by the resource compiler too, so plain #defines only.
#pragma once

// ---- dialogs and menu bars ------------------------------------------------------

#define IDD_SAVE_BACKUP 127
#define IDM_SAVE_BACKUP_BAR 129
#define IDD_RESTORE_BACKUP 144
#define IDM_RESTORE_BACKUP_BAR 145

// ---- controls -------------------------------------------------------------------

#define IDC_BACKUP_FOLDERS 1027
#define IDC_BACKUP_NAME 1030
#define IDC_BACKUP_FOLDERS_LABEL 1120
#define IDC_BACKUP_NAME_LABEL 1121

// ---- commands -------------------------------------------------------------------

#define ID_SAVE_BACKUP 40118
#define ID_RESTORE_BACKUP 40119
#define ID_SEARCH_BACKUPS 40218
#define ID_DELETE_BACKUP 40009  // the main window's delete, in the restore dialog's menu
#define ID_CLOSE_BACKUPS 40077  // the restore dialog's Cancel
#define ID_CANCEL_BACKUP 40120  // the save dialog's Cancel

// ---- images (in the executable) -------------------------------------------------

#define IDB_BACKUP_STORE_IMAGE 32000  // a folder of the maker's own storage ("RIZE" in its name)
#define IDB_BACKUP_CARD_IMAGE 32001   // any other storage card

// ---- strings --------------------------------------------------------------------

#define IDS_BACKUP_EXISTS 40220        // question: replace the file?
#define IDS_BACKUP_FROM_SMALLER 40221  // question: a file of a smaller SIM
#define IDS_BACKUP_FROM_LARGER 40222   // question: a file of a larger SIM, packed
#define IDS_NOT_A_BACKUP 40223
#define IDS_RESTORE_QUESTION 40237
#define IDS_BACKUP_BAD_NAME 40240
#define IDS_BACKUP_NOT_WRITTEN 40241
#define IDS_BUILT_IN_STORAGE 40247  // "%s (%s)": the folder and this
#define IDS_PACKED_ALL 40261
#define IDS_PACKED_SOME 40262
#define IDS_SAVE_BACKUP_TITLE 40290
#define IDS_RESTORE_BACKUP_TITLE 40291
#define IDS_NO_BACKUPS 40292
#define IDS_BACKUP_NOT_DELETED 40293
