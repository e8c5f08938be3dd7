// The controls of the quick-folders dialog (138). Read by the resource compiler too.
#pragma once

#define IDC_QUICK_LIST 1001    // the folders, one row each
#define IDC_QUICK_PARENT 1010  // the selected folder's parent path
