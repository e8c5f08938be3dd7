// Storage cards: the folders of the handset's root that the device profile
// lists as inserted cards ([card:NAME] with state=inserted) and that exist.
//
// The enumeration walks the root in the file system's order. Each result is
// filled as the handset fills it: cFileName is the card's folder name, the
// attributes are directory + temporary, the sizes are 0. The handle is an
// ordinary find handle: close it with FindClose.
#pragma once

#include <windows.h>

// The first card, or INVALID_HANDLE_VALUE with ERROR_NO_MORE_FILES when no
// card is inserted.
HANDLE FindFirstFlashCard(LPWIN32_FIND_DATAW lpFindFlashData);

// The next card; FALSE with ERROR_NO_MORE_FILES after the last one.
BOOL FindNextFlashCard(HANDLE hFlashCard, LPWIN32_FIND_DATAW lpFindFlashData);
