// The resource numbers of Tarnwell's name and choice dialogs: rename, new
// folder, choose selection, quick folders and preferences (their templates,
// soft-key bars, commands and strings; each dialog's controls are in its own
// header). Read by the resource compiler too, so plain #defines only.
#pragma once

// The numbers several dialogs share are the program's own.
#include "filemanager/resource.h"

// ---- dialogs and their soft-key bars -------------------------------------------

#define IDD_CHOOSE_SELECTION 113
#define IDD_RENAME 120
#define IDD_NEW_FOLDER 121
#define IDD_PREFERENCES 122
#define IDD_QUICK_FOLDERS 138
#define IDM_CHOOSE_SELECTION_BAR 113
#define IDM_RENAME_BAR 120
#define IDM_NEW_FOLDER_BAR 121
#define IDM_QUICK_FOLDERS_BAR 139
#define IDM_PREFERENCES_BAR 149

// ---- the dialogs' commands -----------------------------------------------------------

#define ID_QUICK_FOLDERS_OK 40155
#define ID_QUICK_FOLDERS_CANCEL 40156
#define ID_CHOICE_OK 40158
#define ID_CHECK_ALL 40162
#define ID_CHECK_NONE 40163
#define ID_CHECK_INVERT 40164
#define ID_CHECK_FOLDERS 40165
#define ID_CHECK_FILES 40166
#define ID_CHOICE_CANCEL 40167
#define ID_PREFERENCE_DEFAULTS 43105

// ---- strings -----------------------------------------------------------------------

#define IDS_RENAME_FAILED 43110        // the move to the new name failed
#define IDS_CHOOSE_TITLE 43117         // dialog 113
#define IDS_NEW_FOLDER_TITLE 43118     // dialog 121
#define IDS_PREFERENCES_TITLE 43119    // dialog 122
#define IDS_RENAME_TITLE 43122         // dialog 120
#define IDS_NEW_FOLDER_IN 43135        // heading above the parent folder
#define IDS_NEW_FOLDER_NAME 43136      // heading above the name
#define IDS_PREFS_LIST 43137           // heading: the list
#define IDS_PREFS_FOLDERS 43138        // heading: starting and storage cards
#define IDS_PREFS_QUESTIONS 43139      // heading: questions
#define IDS_NEW_FOLDER_BASE 43143      // the name a new folder is offered
#define IDS_FILE_NAME_TAKEN 43145      // a file of the new name exists
#define IDS_BAD_NEW_NAME 43146         // the typed name is not a valid name
#define IDS_QUICK_FOLDERS_TITLE 43157  // dialog 138
#define IDS_FOLDER_NOT_CREATED 43182   // creating the folder failed
#define IDS_FOLDER_NAME_TAKEN 43183    // a folder of the new name exists
#define IDS_PREFS_FILES 43286          // heading: hidden and system files
