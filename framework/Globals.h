// The framework's per-program globals, filled once at start-up.
#pragma once

#include "framework/FrameworkResources.h"
#include "framework/String.h"

#include <windows.h>

// The program title is at most this many characters.
inline constexpr int MaxProgramTitleLength = 260;

// Records the program's module and its resource module (the module every
// dialog, menu bar and string is loaded from) and loads the program title,
// string `titleId` of the resource module (0: no title).
void InitFramework(HINSTANCE module, HINSTANCE resourceModule, UINT titleId);

// The program's own module; the executable before InitFramework.
HINSTANCE ProgramModule() noexcept;

// Captions every framework message box and titles dialogs without their own.
const String& ProgramTitle() noexcept;
