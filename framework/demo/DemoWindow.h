// The demo's main window: a short guide to the keys and a greeting.
#pragma once

#include <windows.h>

LRESULT CALLBACK DemoWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
