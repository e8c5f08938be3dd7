// The controls of the new-folder dialog (121). Read by the resource compiler too.
#pragma once

#define IDC_NEW_FOLDER_NAME 1005       // the folder's name, proposed
#define IDC_NEW_FOLDER_IN_HEAD 1038    // bold heading above the parent folder
#define IDC_NEW_FOLDER_NAME_HEAD 1039  // bold heading above the name
#define IDC_NEW_FOLDER_PARENT 1051     // the parent folder's path and "\"
