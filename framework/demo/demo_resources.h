// Resource numbers of the framework demo.
#pragma once

#define IDD_DEMO_SAMPLE 200  // its controls: SampleDialogControls.h

#define IDM_DEMO_MAIN 300
#define IDM_DEMO_SAMPLE 301

#define IDS_DEMO_DIALOG_TITLE 400

// Commands.
#define IDC_DEMO_OPEN_SAMPLE 40001
#define IDC_DEMO_ABOUT 40002
#define IDC_DEMO_EXIT 40003
#define IDC_DEMO_CLEAR 40010
#define IDC_DEMO_SAY_HELLO 40011
