// Resource numbers of the test localized resource file.
#pragma once

#define IDS_TITLE 0xE000
#define IDD_SAMPLE 200
#define IDM_SAMPLE 201
#define IDC_SAMPLE_BUTTON 1001
