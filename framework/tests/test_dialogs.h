// Resource numbers of the dialog, about box and start-up tests.
#pragma once

#include "framework/FrameworkResources.h"

#define IDD_TEST_FULLSCREEN 31001  // an edit control and a note
#define IDD_TEST_PROGRAM 31002     // a program's own dialog (plain dialog procedure)
#define IDD_TEST_MISSING 31099

#define IDC_TEST_EDIT 1001
#define IDC_TEST_NOTE 1002

#define IDM_TEST_BAR 31101  // OK, and a popup with Yes and a command 8
#define IDM_TEST_MISSING 31199

#define IDS_TEST_PROGRAM_TITLE IDS_PROGRAM_TITLE
#define IDS_TEST_DIALOG_TITLE 31201
#define IDS_TEST_WINDOW_TITLE 31202
#define IDS_TEST_SMALL_PRINT 31203
#define IDS_TEST_MISSING_STRING 31299

#define IDM_TEST_EIGHT 8
