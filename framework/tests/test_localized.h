// Resource numbers of the test localized resource file.
#pragma once

#include "framework/FrameworkResources.h"

#define IDS_TITLE IDS_PROGRAM_TITLE
#define IDD_SAMPLE 200
#define IDM_SAMPLE 201
#define IDC_SAMPLE_BUTTON 1001
