// A growable array of Strings (growth rule in GrowableArray.h). Dropped
// elements release their share of the text.
#pragma once

#include "framework/GrowableArray.h"
#include "framework/String.h"

class StringArray : public GrowableArray<String> {
public:
    using GrowableArray<String>::GrowableArray;
};
