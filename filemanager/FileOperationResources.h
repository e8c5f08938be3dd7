// The resource numbers of copying, moving, duplicating and deleting: the
// folder chooser, the progress dialog, the overwrite and delete questions,
// their menu bars, controls and strings. Read by the resource compiler too,
// so plain #defines only.
#pragma once

// The numbers several dialogs share are the program's own.
#include "filemanager/resource.h"

// ---- dialogs and menu bars ------------------------------------------------------

#define IDD_CHOOSE_FOLDER 106
#define IDM_CHOOSE_FOLDER_BAR 107
#define IDD_COPY_PROGRESS 130
#define IDM_COPY_PROGRESS_BAR 132
#define IDD_OVERWRITE 131
#define IDM_OVERWRITE_BAR 133
#define IDD_DELETE_QUESTION 134
#define IDM_DELETE_QUESTION_BAR 135

// ---- commands of their menu bars ----------------------------------------------------

#define ID_COPY_CANCEL 40125
#define ID_DELETE_OK 40134
#define ID_DELETE_CANCEL 40137

// ---- controls ----------------------------------------------------------------------

#define IDC_CHOOSER_TREE 1000
#define IDC_CHOOSER_PATH 1098

#define IDC_PROGRESS_BAR 1057
#define IDC_PROGRESS_HEADING 1060
#define IDC_PROGRESS_SOURCE 1061
#define IDC_PROGRESS_DESTINATION 1062
#define IDC_PROGRESS_TARGET_LABEL 1154  // "To:", hidden while an archive is tested

#define IDC_OVERWRITE_OLD_ICON 1064
#define IDC_OVERWRITE_NEW_ICON 1065
#define IDC_OVERWRITE_OLD_NAME 1066
#define IDC_OVERWRITE_OLD_DETAILS 1067
#define IDC_OVERWRITE_NEW_NAME 1068
#define IDC_OVERWRITE_NEW_DETAILS 1069
#define IDC_OVERWRITE_OLD_HEADING 1070
#define IDC_OVERWRITE_NEW_HEADING 1071
#define IDC_OVERWRITE_REPLACE 1080
#define IDC_OVERWRITE_REPLACE_ALL 1081
#define IDC_OVERWRITE_SKIP 1082

#define IDC_DELETE_THIS 1042
#define IDC_DELETE_ALL 1043
#define IDC_DELETE_SKIP 1074
#define IDC_DELETE_NAME 1075
#define IDC_DELETE_ICON 1076
#define IDC_QUESTION_TEXT 1010  // the question above the name

// ---- strings -------------------------------------------------------------------------

#define IDS_COPY_TO_CAPTION 43093
#define IDS_MOVE_TO_CAPTION 43094
#define IDS_COPYING 43097            // the progress dialog's heading for a copy
#define IDS_MOVING 43098             // and for a move
#define IDS_DELETE_CAPTION 43102     // the delete question
#define IDS_OVERWRITE_CAPTION 43114  // the overwrite question
#define IDS_PROGRESS_CAPTION 43120
#define IDS_COPY_OF 43128               // the first duplicate's prefix
#define IDS_COPY_ONTO_ITSELF 43129      // the destination is the folder itself
#define IDS_COPY_INTO_ITSELF 43130      // the destination lies inside the folder
#define IDS_OVERWRITE_OLD 43133         // heading of the existing item
#define IDS_OVERWRITE_NEW 43134         // heading of the item that replaces it
#define IDS_COPY_FAILED 43147           // %s: the name
#define IDS_DELETE_FAILED 43149         // %s: the path
#define IDS_FOLDER_DELETE_FAILED 43150  // %s: the folder's path
#define IDS_NO_WORKER 43172             // the copy could not start
#define IDS_MOVE_FAILED 43174           // %s: the name
#define IDS_REPLACE 43185
#define IDS_REPLACE_ALL 43186
#define IDS_SKIP 43187
#define IDS_COPY_NUMBER_OF 43188         // %d: the number (2, 3, ...) of a later duplicate's prefix
#define IDS_CHOOSE_SEARCH_FOLDER 43239   // the chooser's caption when it picks a folder to search
#define IDS_CHOOSE_EXTRACT_FOLDER 43268  // and a folder to extract into
#define IDS_ALREADY_THERE 43288          // a move into the folder that holds the items
