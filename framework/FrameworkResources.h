// Resource numbers the framework reads from every program's resources: the
// program title, the generic error message and the about box. Read by the
// resource compiler too, so plain #defines only.
#pragma once

#include "framework/AboutResources.h"

#define IDS_PROGRAM_TITLE 0xE000  // the program's title
#define IDS_GENERIC_ERROR 46001   // the message shown when a message number has no string
