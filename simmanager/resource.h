// Pellory's resource numbers: the commands of its menus and keys, its menu
// bars, dialogs, controls and strings. The executable carries the icon, the
// localized resource file (pellory.0409.dll) everything else. Read by the
// resource compiler too, so plain #defines only.
#pragma once

// ---- the main window's commands -----------------------------------------------

#define ID_SETTINGS 103
#define ID_DELETE_MARKED 40009
#define ID_DIAL 40010
#define ID_ABOUT 40014
#define ID_COPY_TO_CONTACTS 40015
#define ID_COPY_FROM_CONTACTS 40016
#define ID_BACKUP 40017
#define ID_RESTORE 40018
#define ID_PHONE_INFO 40019
#define ID_MARK_ALL 40023
#define ID_ADD_PREFIX 40024
#define ID_REPLACE_TEXT 40025
#define ID_REMOVE_PREFIX 40026
#define ID_EDIT_ENTRY 40028
#define ID_DUPLICATE_MARKED 40029
#define ID_SHOW_ALL 40038
#define ID_SHOW_DUPLICATES 40039
#define ID_SHOW_REDUNDANT 40040
#define ID_MARK_ENTRIES 40048
#define ID_NEW_ENTRY 40113

// ---- the dialogs' commands ----------------------------------------------------

#define ID_ADD_RULE 40004
#define ID_EDIT_RULE 40008
#define ID_DELETE_RULE 40009
#define ID_INSERT_P 40050
#define ID_INSERT_W 40060
#define ID_MARK_EVERY_ROW 40072
#define ID_CLEAR_EVERY_MARK 40073
#define ID_EDITOR_CANCEL 40077  // the entry editor, the mark dialog and the rule dialogs
#define ID_DIALOG_DONE 40115    // OK of the entry editor, the mark dialog, the sort and rule dialogs
#define ID_DIALOG_CANCEL 40120  // the sort, prefix and replace dialogs
#define ID_DIALOG_OK 40122      // the prefix and replace dialogs
#define ID_INSERT_OPEN_PAREN 40148
#define ID_INSERT_CLOSE_PAREN 40150
#define ID_INSERT_EIGHT_X 40152
#define ID_INSERT_X 40153
#define ID_INSERT_HYPHEN 40155
#define ID_INSERT_BLANK 40177
#define ID_INSERT_SLASH 40178
#define ID_INSERT_UNDERSCORE 40179
#define ID_MOVE_RULE_UP 40180
#define ID_MOVE_RULE_DOWN 40181
#define ID_INSERT_MOBILE 40185
#define ID_INSERT_WORK 40186
#define ID_INSERT_HOME 40187

// ---- menu bars and dialogs ----------------------------------------------------

#define IDD_ENTRY_EDITOR 107
#define IDM_ENTRY_EDITOR_BAR 116
#define IDM_MAIN_BAR 117
#define IDD_MARK_ENTRIES 118
#define IDM_MARK_ENTRIES_BAR 120
#define IDD_REPLACE_TEXT 121
#define IDM_NUMBER_CHANGE_BAR 122  // the prefix and replace dialogs
#define IDD_PREFIX 123
#define IDD_SORT_DISPLAY 125
#define IDD_RULE_LIST 126
#define IDM_RULE_LIST_BAR 130
#define IDD_SETTINGS_CHOOSER 131
#define IDM_SETTINGS_CHOOSER_BAR 132
#define IDM_RULE_EDITOR_BAR 137
#define IDD_RULE_EDITOR 139
#define IDM_SORT_DISPLAY_BAR 140
#define IDD_CONTACTS 136       // copy from Contacts
#define IDM_CONTACTS_BAR 143

// ---- controls -----------------------------------------------------------------

#define IDC_ENTRY_NAME 1001
#define IDC_ENTRY_NUMBER 1002
#define IDC_REPLACE_FIND 1012
#define IDC_REPLACE_WITH 1013
#define IDC_PREFIX_ZERO 1015
#define IDC_PREFIX_FIRST 1016
#define IDC_PREFIX_SECOND 1018
#define IDC_RULE_LIST 1026
#define IDC_RULE_TEXT 1031
#define IDC_SORT_LIST 1036
#define IDC_DISPLAY_LIST 1037
#define IDC_SETTINGS_LIST 1060
#define IDC_RULE_HELP 1066

// Labels without numbers of their own in the program.
#define IDC_ENTRY_NAME_LABEL 1101
#define IDC_ENTRY_NUMBER_LABEL 1102
#define IDC_REPLACE_FIND_LABEL 1103
#define IDC_REPLACE_WITH_LABEL 1104
#define IDC_PREFIX_LABEL 1105
#define IDC_SORT_LABEL 1106
#define IDC_DISPLAY_LABEL 1107

// ---- strings --------------------------------------------------------------------

#define IDS_TOO_FEW_EMPTY_SLOTS 40149  // %d: the empty slots
#define IDS_ADD_PREFIX_ZERO 40154
#define IDS_REMOVE_PREFIX_ZERO 40156
#define IDS_ADD_PREFIX_TITLE 40157
#define IDS_REMOVE_PREFIX_TITLE 40158
#define IDS_NO_FOCUSED_ENTRY 40160
#define IDS_OWN_NUMBER_LABEL 40161
#define IDS_SETTINGS_SORT 40164
#define IDS_SETTINGS_RULES 40165
#define IDS_BY_NAME 40168
#define IDS_BY_NUMBER 40169
#define IDS_BY_POSITION 40170
#define IDS_TOO_MANY_RULES 40171
#define IDS_SOME_DUPLICATES_FAILED 40172
#define IDS_DUPLICATES_FAILED 40173
#define IDS_SOME_NOT_REPLACED 40174
#define IDS_NONE_REPLACED 40175
#define IDS_NEW_ENTRY_TITLE 40176
#define IDS_EDIT_RULE_TITLE 40182
#define IDS_NEW_RULE_TITLE 40183
#define IDS_RADIO_OFF 40198
#define IDS_DELETE_QUESTION 40201
#define IDS_EDIT_ENTRY_TITLE 40202
#define IDS_NO_SIM 40203
#define IDS_ENTRY_EMPTY 40213
#define IDS_SIM_FULL 40219
#define IDS_KEY_LETTERS_0 40224  // to 40233 for the 9 key
#define IDS_NAME_TOO_LONG 40234
#define IDS_NUMBER_TOO_LONG 40235
#define IDS_PLUS_NOT_FIRST 40236
#define IDS_WRITE_FAILED 40238
#define IDS_REPLACE_NEEDS_TEXTS 40239
#define IDS_ADD_PREFIX_FAILED 40242     // %d: the row
#define IDS_REMOVE_PREFIX_FAILED 40243  // %d: the row
#define IDS_DELETE_FAILED 40250
#define IDS_NO_NAME 40251
#define IDS_CARD_REMOVED 40252
#define IDS_NO_NUMBER 40268
#define IDS_RULE_HELP 40269
#define IDS_SEARCH_EMPTY 40270  // %s: the typed keys
#define IDS_SEARCH 40271        // %s: the typed keys
#define IDS_DUPLICATES 40272
#define IDS_NO_DUPLICATES 40273
#define IDS_REDUNDANT 40274
#define IDS_NO_REDUNDANT 40275
#define IDS_OUT_OF_MEMORY 40276
#define IDS_TITLE_FONT 40278

// Copying between the SIM and Contacts.
#define IDS_NAME_NOT_SPLIT IDS_NO_FOCUSED_ENTRY  // a SIM name too long to split into contact names
#define IDS_NUMBER_KIND_LABELS 40253             // to 40260: the labels of number kinds 1 to 8
#define IDS_CONTACTS_COM_FAILED 46042
#define IDS_CONTACTS_APP_FAILED 46060
#define IDS_CONTACTS_LOGON_FAILED 46061
#define IDS_CONTACTS_FOLDER_FAILED 46062
#define IDS_CONTACTS_COLUMNS_FAILED 46063
#define IDS_CONTACTS_ITEM_FAILED 46064
#define IDS_CONTACTS_ADD_FAILED 46065
#define IDS_CONTACTS_FIND_FAILED 46066
#define IDS_CONTACTS_FIND_NEXT_FAILED 46067
#define IDS_CONTACTS_SAVE_FAILED 46068

// ---- messages -------------------------------------------------------------------

// What the SIM's notification thread posts to the main window: wParam the
// notification code, lParam 0. Not a resource; here so both sides share it.
#define SIM_NOTIFY_MESSAGE 1195
