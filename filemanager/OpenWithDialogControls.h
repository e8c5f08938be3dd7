// The controls of the open-with dialog (110). Read by the resource compiler too.
#pragma once

#define IDC_OPEN_WITH_HEADING 1041     // what the list is for, in bold
#define IDC_OPEN_WITH_EXTENSION 1072   // the file's extension (associate mode)
#define IDC_OPEN_WITH_ICON 1073        // the file's shell icon
#define IDC_OPEN_WITH_NAME 1075        // the file's name (open-with mode)
#define IDC_OPEN_WITH_PROGRAMS 1099    // the programs found, one row each
#define IDC_OPEN_WITH_TYPE_LABEL 1113  // "Type:" before the extension
