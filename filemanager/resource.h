// Tarnwell's resource numbers: the commands of its menus and keys, its
// strings, menu bars, bitmaps and controls. The executable carries the icons
// and bitmaps, the localized resource file (tarnwell.0409.dll) everything
// else. Read by the resource compiler too, so plain #defines only.
#pragma once

// ---- commands ---------------------------------------------------------------

#define ID_SWITCH_PANES 40002
#define ID_ABOUT 40003
#define ID_EXIT 40004
#define ID_OPEN 40014
#define ID_RENAME 40016
#define ID_COPY_TO 40017
#define ID_MOVE_TO 40018
#define ID_DELETE 40019
#define ID_PROPERTIES 40020
#define ID_UP_ONE_LEVEL 40021
#define ID_REFRESH 40024
#define ID_SELECT_ALL 40025
#define ID_INVERT_SELECTION 40026
#define ID_FIND_FILES 40028
#define ID_CREATE_SHORTCUT 40029
#define ID_ASSOCIATE 40030
#define ID_SEND_MAIL 40031
#define ID_BEAM 40032
#define ID_RECEIVE_BEAM 40033
#define ID_PREFERENCES 40034
#define ID_SORT_BY_NAME 40035
#define ID_SORT_BY_SIZE 40036
#define ID_SORT_BY_DATE 40037
#define ID_SORT_BY_TYPE 40038
#define ID_CHOOSE_SELECTION 40081
#define ID_SORT_ASCENDING 40082
#define ID_SORT_DESCENDING 40083
#define ID_NEW_FOLDER 40096
#define ID_SELECT_FIRST 40099
#define ID_SELECT_LAST 40100
#define ID_CLEAR_SELECTION 40133
#define ID_QUICK_FOLDERS 40152
#define ID_DUPLICATE 43237
#define ID_OPEN_WITH 43238
#define ID_DEVICE_INFO 43254
#define ID_BROWSE_ZIP 43266
#define ID_EXTRACT_ZIP 43267

// ---- menu bars, bitmaps and controls -----------------------------------------

#define IDM_TREE_BAR 105     // the tree pane's soft keys
#define IDM_LIST_BAR 117     // the list pane's soft keys
#define IDB_TREE_IMAGES 108  // 80 x 16: root, folder, open folder, main store, storage card
#define IDC_FOLDER_TREE 114  // the tree pane
#define IDC_FOLDER_LIST 116  // the list pane

// OK and Cancel on the soft keys of the dialogs.
#define ID_DIALOG_OK 40059
#define ID_DIALOG_CANCEL 40061

// ---- strings ----------------------------------------------------------------

#define IDS_WINDOW_TITLE 104         // the main window's title, at most 20 characters
#define IDS_ROOT_NODE 43131          // the tree's root node
#define IDS_TREE_COUNTS 43151        // the footer in the tree pane: %s folders, %s files
#define IDS_RECEIVE_BEAM_ITEM 43161  // the beam receiver's menu item
#define IDS_FOLDER_GONE 43163        // %s: the folder's path
#define IDS_ZIP_NOT_OPENED 43285     // browsing an archive failed
// Shared by the dialogs of the file operations, finding and naming.
#define IDS_OPERATION_ERROR 43112    // the caption of their error messages
#define IDS_NO_TREE_NODE 43152       // %s: a folder the tree has no node for
#define IDS_DISK_FULL 43171          // follows a failure when the disk is full
