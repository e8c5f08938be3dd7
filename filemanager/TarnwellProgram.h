// Tarnwell from start to end: start-up, the main window, the message loop,
// and the settings written at exit.
#pragma once

#include <windows.h>

// Runs the program; returns its exit code.
int RunTarnwell(HINSTANCE instance, int showCommand);
