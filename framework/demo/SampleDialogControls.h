// The controls of the demo's sample dialog. Read by the resource compiler too.
#pragma once

#define IDC_DEMO_NAME_LABEL 1001
#define IDC_DEMO_NAME 1002
#define IDC_DEMO_REMEMBER 1003
#define IDC_DEMO_NOTE 1004
