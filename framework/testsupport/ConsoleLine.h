// Probe programs report to the test scripts that start them one line at a
// time on standard output, in UTF-8, unbuffered (a script may read while the
// probe still runs).
#pragma once

#include <string>

namespace vellumate {

void WriteConsoleLine(const std::wstring& line);

}  // namespace vellumate
