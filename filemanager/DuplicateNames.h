// The name a copy gets when it is made in the folder of its source
// (duplicating, or copying into the same folder).
#pragma once

#include "framework/String.h"

#include <functional>

// The longest name a copy may get.
inline constexpr int MaxCopyNameLength = 252;

// `firstPrefix` + name; while that is taken, `numberedPrefix` (a format
// taking the number n) formatted with n = 2, 3, ... + name.
String DuplicateName(const String& name, const String& firstPrefix, const String& numberedPrefix,
                     const std::function<bool(const String&)>& taken);
