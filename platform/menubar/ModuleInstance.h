// The module the platform code is linked into, which registers its window
// classes: the program, or a test executable.
#pragma once

#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace vellumate {

inline HINSTANCE ThisModule() noexcept
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

}  // namespace vellumate
