// The controls of the find dialog. Read by the resource compiler too.
#pragma once

#define IDC_FIND_FOLDER 1007
#define IDC_FIND_TEXT 1044
#define IDC_FIND_PATTERNS 1045
#define IDC_FIND_PATTERNS_LABEL 1160
#define IDC_FIND_FOLDER_LABEL 1161
#define IDC_FIND_TEXT_LABEL 1162
#define IDC_FIND_NOTE 1163
