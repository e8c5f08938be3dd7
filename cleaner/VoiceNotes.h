// The recorded voice notes: the ".wav" files of the personal folder's
// "Notes" subfolder.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// "\My Documents\Notes\", with its final separator.
std::wstring VoiceNotesFolder();

// Calls `found` with each note's name and size (the low 32 bits).
void ForEachVoiceNote(const std::function<void(const std::wstring& name, DWORD size)>& found);

// Deletes every note; false at the first that cannot be deleted. `deleted`
// counts those that went.
bool DeleteVoiceNotes(unsigned& deleted);
