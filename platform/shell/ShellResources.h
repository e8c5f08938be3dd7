// Resource numbers of the home shell (Shell.rc).
#pragma once

#define IDM_HOME_BAR 100  // the home screen's soft keys

#define IDM_HOME_START 40001
#define IDM_HOME_REFRESH 40002
#define IDM_HOME_ABOUT 40003
