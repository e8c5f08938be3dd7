// The controls of the choose-selection dialog (113). Read by the resource compiler too.
#pragma once

#define IDC_CHOICE_LIST 1025  // the check-box list of the folder's items
