// The resource numbers of finding files: the find dialog, the results dialog,
// their soft-key bars, commands and strings. Read by the resource compiler
// too, so plain #defines only.
#pragma once

// The numbers several dialogs share are the program's own.
#include "filemanager/resource.h"

// The strings shared with the file operations (captions, DeletePath's
// messages) are theirs.
#include "filemanager/FileOperationResources.h"

// ---- dialogs and menu bars ---------------------------------------------------

#define IDD_FIND_FILES 109
#define IDM_FIND_BAR 111  // the find dialog's soft keys
#define IDD_FIND_RESULTS 118
#define IDM_RESULTS_SEARCHING 119  // while the search runs
#define IDM_RESULTS_BAR 126        // once it is over

// ---- commands ------------------------------------------------------------------

#define ID_FIND_CHOOSE_FOLDER 43236
#define ID_FIND_SEARCH 40067
#define ID_FIND_CLOSE 40069
#define ID_RESULTS_BACK 40090
#define ID_RESULTS_OPEN 40091
#define ID_RESULTS_DELETE 40092
#define ID_RESULTS_CLOSE_ALL 40093
#define ID_RESULTS_STOP 40095
#define ID_RESULTS_PROPERTIES 40116
#define ID_RESULTS_AGAIN 40124

// ---- strings ---------------------------------------------------------------------

#define IDS_FIND_CAPTION 43115
#define IDS_RESULTS_CAPTION 43116
#define IDS_DELETE_READ_ONLY 43169   // %s: the name; comes before the question
#define IDS_RESULT_COUNT 43170       // %d: the number of results
#define IDS_DELETE_RESULT 43175      // %s: the name
#define IDS_BAD_SEARCH_FOLDER 43287  // follows the folder in quotation marks
