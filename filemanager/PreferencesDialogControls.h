// The controls of the preferences dialog (122): one check box per preference
// bit and four bold headings. Read by the resource compiler too.
#pragma once

#define IDC_PREF_LIST_FOLDERS 1017     // 0x001
#define IDC_PREF_HIDE_EXTENSIONS 1018  // 0x002
#define IDC_PREF_REMEMBER_FOLDER 1019  // 0x004
#define IDC_PREF_SMALL_FONT 1020       // 0x008
#define IDC_PREF_HIDE_HIDDEN 1021      // 0x010
#define IDC_PREF_ASK_REPLACE 1022      // 0x020
#define IDC_PREF_ASK_DELETE 1023       // 0x040
#define IDC_PREF_FOLLOW_CARDS 1024     // 0x080
#define IDC_PREF_HIDE_SYSTEM 1109      // 0x100
#define IDC_PREF_HIDE_ROM 1110         // 0x200
#define IDC_PREF_ZIP_ON_CARD 1153      // 0x400
#define IDC_PREF_HEAD_LIST 1052
#define IDC_PREF_HEAD_FOLDERS 1053
#define IDC_PREF_HEAD_QUESTIONS 1054
#define IDC_PREF_HEAD_FILES 1152
