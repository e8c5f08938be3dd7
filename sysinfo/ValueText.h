// The "free/total unit" text of a memory or storage figure.
#pragma once

#include "framework/String.h"

// "%1.1f/%1.1f %s" with the free and the total amount (bytes) in kilobytes
// below one megabyte of total, else in megabytes. A free amount above the
// total is not a figure worth showing: the text is then the unit alone.
String FormatValueText(double total, double free);
