// The free program memory as the task list's bottom strip shows it: whole
// kilobytes (bytes / 1024) with a comma between thousands, "999 KB",
// "1,000 KB", "20,480 KB", "2,097,152 KB".
#pragma once

#include "framework/String.h"

#include <cstdint>

String FreeMemoryText(std::uint64_t availableBytes);
