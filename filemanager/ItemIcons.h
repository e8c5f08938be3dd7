// The 32 x 32 shell icon of a file or folder, by handset path, as the
// operation dialogs show it beside an item's name.
#pragma once

#include "framework/String.h"

#include "platform/Handles.h"

vellumate::IconHandle LargeShellIcon(const String& handsetPath);

// The 32 x 32 shell icon of a file type, by a file name's extension (".sys"
// for a name without one), as archive members show theirs: they are no
// files of the device.
vellumate::IconHandle LargeTypeIcon(const String& fileName);

// The name the shell is asked about for a file type: "x" and the extension
// of `fileName`, "x.sys" without one.
String TypeProbeName(const String& fileName);
