// The resource numbers of opening files: the open-with dialog, its soft-key
// bar and the strings of opening and associating. Read by the resource
// compiler too, so plain #defines only.
#pragma once

// The numbers several dialogs share are the program's own.
#include "filemanager/resource.h"

#define IDD_OPEN_WITH 110
#define IDM_OPEN_WITH_BAR 110

#define IDS_ASSOCIATE_CAPTION 43113  // dialog 110 in associate mode
#define IDS_ASSOCIATE_HEADING 43132  // above the programs, associate mode
#define IDS_NOT_ASSOCIATED 43153     // writing the association failed
#define IDS_OPEN_WITH_HEADING 43244  // above the programs, open-with mode
