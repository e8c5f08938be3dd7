// A growable array of pointer-wide values: plain numbers, or pointers and
// handles (bitmaps, windows) cast to intptr_t. Growth rule in GrowableArray.h.
#pragma once

#include "framework/GrowableArray.h"

#include <cstdint>

class ValueArray : public GrowableArray<intptr_t> {
public:
    using GrowableArray<intptr_t>::GrowableArray;
};
