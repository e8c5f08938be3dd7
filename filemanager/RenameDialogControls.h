// The controls of the rename dialog (120). Read by the resource compiler too.
#pragma once

#define IDC_RENAME_OLD_LABEL 1046
#define IDC_RENAME_NEW_LABEL 1047
#define IDC_RENAME_OLD_NAME 1048  // the current name
#define IDC_RENAME_NEW_NAME 1050  // the name to edit
