// The resource numbers of properties, shortcuts and device information: the
// dialogs, their soft-key bars, commands, controls and strings. Read by the
// resource compiler too, so plain #defines only.
#pragma once

// The numbers several dialogs share are the program's own.
#include "filemanager/resource.h"

// ---- dialogs and menu bars ------------------------------------------------------

#define IDD_PROPERTIES 112
#define IDM_PROPERTIES_BAR 115
#define IDM_DONE_BAR 137  // a single soft key that closes the dialog
#define IDD_DEVICE_INFO 141
#define IDD_CREATE_SHORTCUT 142
#define IDD_MEMBER_PROPERTIES 167

// ---- commands ----------------------------------------------------------------------

#define ID_PROPERTIES_OK 40070
#define ID_DONE 40142
#define ID_PROPERTIES_CANCEL 40149

// ---- controls of the properties dialog (112) ------------------------------------------

#define IDC_PROP_READ_ONLY 1013
#define IDC_PROP_HIDDEN 1014
#define IDC_PROP_ARCHIVE 1015
#define IDC_PROP_SYSTEM 1016
#define IDC_PROP_TYPE 1027
#define IDC_PROP_FOLDER 1028
#define IDC_PROP_SIZE 1029
#define IDC_PROP_DETAIL 1030  // a shortcut's target, a folder's counts
#define IDC_PROP_CREATED 1031
#define IDC_PROP_WRITTEN 1032
#define IDC_PROP_ACCESSED 1033
#define IDC_PROP_NAME 1034
#define IDC_PROP_WRITTEN_LABEL 1077
#define IDC_PROP_ACCESSED_LABEL 1078
#define IDC_PROP_DETAIL_LABEL 1079
#define IDC_PROP_TYPE_LABEL 1170
#define IDC_PROP_CREATED_LABEL 1171
#define IDC_PROP_NAME_LABEL 1172
#define IDC_PROP_OFFLINE 43193
#define IDC_PROP_ROM_MODULE 43194
#define IDC_PROP_IS_FOLDER 43195
#define IDC_PROP_TEMPORARY 43196
#define IDC_PROP_COMPRESSED 43197
#define IDC_PROP_IN_ROM 43184

// ---- controls of the member properties (167) ------------------------------------------

#define IDC_MEMBER_NAME 43276
#define IDC_MEMBER_CONTENTS_LABEL 43277
#define IDC_MEMBER_TYPE 43278
#define IDC_MEMBER_FOLDER 43279
#define IDC_MEMBER_CONTENTS 43280
#define IDC_MEMBER_SIZE 43281
#define IDC_MEMBER_PACKED 43282
#define IDC_MEMBER_SAVED 43283
#define IDC_MEMBER_TIME 43284

// ---- controls of the device information (141) -------------------------------------------

#define IDC_INFO_MAKER 1081
#define IDC_INFO_PROCESSOR 1082
#define IDC_INFO_SYSTEM 1083
#define IDC_INFO_VERSION 1084
#define IDC_INFO_MEMORY_TOTAL 1085
#define IDC_INFO_STORE_TOTAL 1086
#define IDC_INFO_STORE_USED 1087
#define IDC_INFO_STORE_FREE 1088
#define IDC_INFO_PROGRAM_TOTAL 1089
#define IDC_INFO_PROGRAM_USED 1090
#define IDC_INFO_PROGRAM_FREE 1091
#define IDC_INFO_MAIN_BATTERY 1092
#define IDC_INFO_BACKUP_BATTERY 1093
#define IDC_INFO_CARD1_TOTAL 1100
#define IDC_INFO_CARD1_FREE 1101
#define IDC_INFO_CARD2_TOTAL 1102
#define IDC_INFO_CARD2_FREE 1103
#define IDC_INFO_CARD1_USED 1104
#define IDC_INFO_CARD2_USED 1105
#define IDC_INFO_HEADING_DEVICE 43202
#define IDC_INFO_HEADING_MEMORY 43203
#define IDC_INFO_HEADING_POWER 43204
#define IDC_INFO_HEADING_CARDS 43205
#define IDC_INFO_MAIN_VOLUME 43230

// ---- strings ------------------------------------------------------------------------------

#define IDS_PROPERTIES_CAPTION 43121
#define IDS_ATTRIBUTES_FAILED 43123  // follows 43110, or alone
#define IDS_DEVICE_INFO_CAPTION 43124
#define IDS_INFO_UNKNOWN 43125
#define IDS_INFO_BATTERY_STATES 43126  // six names separated by "|"
#define IDS_INFO_BUILD 43198           // %d: the build number
#define IDS_SHORTCUT_FAILED 43201
// The headings' texts, numbered as their controls.
#define IDS_INFO_HEADING_DEVICE 43202
#define IDS_INFO_HEADING_MEMORY 43203
#define IDS_INFO_HEADING_POWER 43204
#define IDS_INFO_HEADING_CARDS 43205
#define IDS_INFO_MAIN_VOLUME 43231  // %s: the folder that holds the personal folder
#define IDS_TARGET_LABEL 43255      // the label of a shortcut's target
#define IDS_SHORTCUT_CAPTION 43256  // the folder chooser that makes a shortcut
