// Handing files to other devices: the mail program with a file attached, the
// beam receiver, and beaming (BeamDialog.h).
#pragma once

#include "framework/String.h"

#include <windows.h>

// Starts the mail program with the file attached; a program that cannot be
// started says nothing.
void SendByMail(HWND owner, const String& path);
// Starts the beam receiver for the handset's "\windows" folder.
void StartBeamReceiver(HWND owner);
