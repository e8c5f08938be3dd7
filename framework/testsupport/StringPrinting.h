// GoogleTest shows a String in failure messages as its text.
#pragma once

#include "framework/String.h"

#include <ostream>

void PrintTo(const String& text, std::ostream* out);
