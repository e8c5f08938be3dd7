// The controls of the find results dialog. Read by the resource compiler too.
#pragma once

#define IDC_RESULTS_LIST 1002
#define IDC_RESULTS_COUNT 1047
#define IDC_RESULTS_FOLDER 1111  // hidden: the archive browser shows its folder there
