// The error boxes of the file operations: a resource string formatted with
// one text, followed by a second string when one is given, with the error
// icon and the file operations' own caption.
#pragma once

#include "framework/String.h"

#include <windows.h>

// Shows the box (a null or destroyed owner: the active window); returns the
// button chosen.
int ShowOperationError(HWND owner, UINT message, UINT secondMessage, const String& argument);
