// Tarnwell from start to end: its start-up row, the main window, the message
// loop, and the settings written at exit.
#pragma once

#include "framework/About.h"
#include "framework/Startup.h"

#include <windows.h>

inline constexpr ProgramRelease TarnwellRelease{1, 30, "Dec 19 2003", "13:46:52"};

// Tarnwell's row of the start-up table, without its steps.
ProgramStartup TarnwellStartup();

// Runs the program; returns its exit code.
int RunTarnwell(HINSTANCE instance, int showCommand);
