// The bulk number commands over the marked rows of the current view: add a
// prefix, remove a prefix, replace a text. Each writes through SimAccess.
#pragma once

#include "simmanager/SimAccess.h"

#include "framework/String.h"

// Command 40024 after its dialog. Errors 40242 (with the 1-based row) and
// 40236 per failing row; then the views reset and the base view sorted.
void AddPrefix(SimAccess& sim, const wchar_t* prefix, bool dropZero, const ViewOptions& options, SimMessages& messages);
// Command 40026 after its dialog. Error 40243 (1-based row) per failing write.
void RemovePrefix(SimAccess& sim, const wchar_t* prefix, bool addZero, const ViewOptions& options,
                  SimMessages& messages);
// Command 40025 after its dialog. False (error 40239, the dialog stays) when
// a text is empty. Rows not done: 40175 when none was, else 40174, and the
// views stay; all done: the views reset and the current view sorted.
bool ReplaceText(SimAccess& sim, const wchar_t* find, const wchar_t* replacement, const ViewOptions& options,
                 SimMessages& messages);
