// The short size texts of property pages and information panels.
#pragma once

#include "framework/String.h"

#include <windows.h>

// The byte count high * 2^32 + low as "<n> bytes", or in KB, MB or GB with
// `decimals` decimals ("%.2f MB" for 2), the number computed in single
// precision as on the handset. Callers pass 2 decimals and divisor 1024; the
// divisor must be positive. The format ignores regional settings.
String FormatByteSize(DWORD high, DWORD low, int decimals, int divisor);
