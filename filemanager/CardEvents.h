// The shell's storage-card notifications as the main window takes them.
// Kept in a file of their own: the shell's headers declare a FolderItem of
// their own, which must not meet the folder list's.
#pragma once

#include "framework/String.h"

#include <windows.h>

#include <optional>

enum class CardChange { Inserted, Removed };

struct CardEvent {
    CardChange change;
    String cardName;  // the card's folder in the root; empty when the path names none
};

// The message that brings the notifications (WM_FILECHANGEINFO).
UINT CardEventMessage() noexcept;

// Registers `window` for card insertions and removals; false when no shell
// runs (then nothing is heard, and nothing is lost).
bool RegisterCardEvents(HWND window);
void DeregisterCardEvents(HWND window);

// The card event a notification (the message's lParam) carries, if it is
// one; the notification is released in every case.
std::optional<CardEvent> TakeCardEvent(LPARAM notification);
