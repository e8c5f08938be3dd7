// Taking a snapshot of the windows on the screen.
#pragma once

#include "platform/driver/WindowSnapshot.h"

#include <windows.h>

#include <vector>

namespace vellumate {

// Every visible top-level window that overlaps `screen`, top of the Z order
// first, with its child windows (hidden children are listed without their
// own children). The desktop and hidden helper windows are left out.
std::vector<WindowNode> TakeSnapshot(const RECT& screen);

// One window and its children, as TakeSnapshot describes it; `focus` is the
// window that has the keyboard focus and `foreground` the one in front.
WindowNode DescribeWindow(HWND window, bool topLevel, HWND focus, HWND foreground);

}  // namespace vellumate
