// The system's own text for a Win32 error code, for messages of the tools and
// the platform's diagnostics.
#pragma once

#include <windows.h>

#include <string>

namespace vellumate {

// One line without a closing period ("Access denied"), or "error N" when the
// system has no text for the code.
std::wstring SystemMessage(DWORD error);

}  // namespace vellumate
