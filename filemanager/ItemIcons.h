// The 32 x 32 shell icon of a file or folder, by handset path, as the
// operation dialogs show it beside an item's name.
#pragma once

#include "framework/String.h"

#include "platform/Handles.h"

vellumate::IconHandle LargeShellIcon(const String& handsetPath);
