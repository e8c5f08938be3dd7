// The resource numbers of zip archives: the archive browser, the extract
// dialog, the password dialog, their menu bars, commands, controls and
// strings. The progress dialog and the replace question are the file
// operations' dialogs 130 and 134, and the browser is made from the find
// results' template 118. Read by the resource compiler too, so plain
// #defines only.
#pragma once

// The numbers several dialogs share are the program's own; the dialogs
// borrowed from the file operations keep their numbers there.
#include "filemanager/FileOperationResources.h"
#include "filemanager/resource.h"

// ---- dialogs and menu bars ---------------------------------------------------

#define IDD_ARCHIVE_BROWSER 118    // the find results' template
#define IDM_ARCHIVE_CHECK_BAR 140  // the browser in check mode
#define IDM_EXTRACT_BAR 156
#define IDD_EXTRACT 157
#define IDM_ARCHIVE_BROWSER_BAR 166
#define IDD_PASSWORD 168
#define IDM_ARCHIVE_QUESTION_BAR 139  // the replace and password questions (the quick folders' bar)

// ---- commands ------------------------------------------------------------------

#define ID_ARCHIVE_EXTRACT 40172    // the extract dialog
#define ID_ARCHIVE_ANSWER_OK 40155  // the replace and password questions
#define ID_ARCHIVE_ANSWER_CANCEL 40156
#define ID_ARCHIVE_CHECK_DONE 40158    // check mode: the checked rows become the selection
#define ID_ARCHIVE_CHECK_CANCEL 40167  // check mode: the selection as it was
#define ID_ARCHIVE_TEST 43246
#define ID_EXTRACT_START 43247
#define ID_EXTRACT_CANCEL 43249
#define ID_EXTRACT_CHOOSE_FOLDER 43236
#define ID_ARCHIVE_CLOSE 43273

// ---- controls ------------------------------------------------------------------

// The browser (on the find results' template).
#define IDC_ARCHIVE_LIST 1002
#define IDC_ARCHIVE_COUNT 1047
#define IDC_ARCHIVE_FOLDER 1111

// The password dialog.
#define IDC_PASSWORD_EDIT 1004
#define IDC_PASSWORD_ICON 1073
#define IDC_PASSWORD_NAME 1075

// The extract dialog.
#define IDC_EXTRACT_DESTINATION 1001
#define IDC_EXTRACT_TO_HEADING 1010
#define IDC_EXTRACT_WHICH_HEADING 1011
#define IDC_EXTRACT_OVERWRITE 1112
#define IDC_EXTRACT_INTO_FOLDER 1148
#define IDC_EXTRACT_WHICH 1149

// ---- strings ---------------------------------------------------------------------

#define IDS_ARCHIVE_REPLACE_FIRST 43145  // the replace question's text, before 43148
#define IDS_ARCHIVE_REPLACE_SECOND 43148
#define IDS_NO_ROOM 43172               // not enough room to extract (also the copy's)
#define IDS_ARCHIVE_TEST_GOOD 43210     // %s: the archive's title
#define IDS_ARCHIVE_EXTRACT_INTO 43269  // %s: the archive's name without its extension
#define IDS_EXTRACT_SELECTED 43270
#define IDS_EXTRACT_ALL 43271
#define IDS_EXTRACT_ARCHIVE_FOLDER 43272
#define IDS_EXTRACT_TO 43274     // heading above the destination
#define IDS_EXTRACT_WHICH 43275  // heading above the choice of members
#define IDS_PASSWORD_WRONG 43289
#define IDS_ARCHIVE_EXTRACT_FAILED 43290  // %s: the member's leaf name
#define IDS_PASSWORD_EMPTY 43291
#define IDS_ARCHIVE_TEST_FAILED 43292  // %s: the member's leaf name
#define IDS_ARCHIVE_PASSWORD_CAPTION 43293
#define IDS_ARCHIVE_ANSWER_OK 43294  // the left soft key of the replace and password questions
#define IDS_ARCHIVE_ROW_COUNT 43295  // %s: the number of rows
#define IDS_ARCHIVE_EMPTY 43296      // %s: the archive's name
