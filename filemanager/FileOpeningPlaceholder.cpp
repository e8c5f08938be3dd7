// Opening a file through the shell: nothing yet, so that the archive browser
// links before the program opens files.
#include "framework/String.h"

#include <windows.h>

void OpenFile(HWND owner, const String& name, const String& fullPath);

void OpenFile(HWND, const String&, const String&)
{
}
