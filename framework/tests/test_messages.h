// Resource numbers of the message and error tests' string table.
#pragma once

#include "framework/FrameworkResources.h"

#define IDS_TEST_GENERIC_ERROR IDS_GENERIC_ERROR
#define IDS_TEST_BAD_CHARACTER 46030
#define IDS_TEST_NAME_TOO_LONG 46031
#define IDS_TEST_NAME_EMPTY 46032

#define IDS_TEST_TITLE 46100
#define IDS_TEST_LONG_TITLE 46101
#define IDS_TEST_PLAIN 46110
#define IDS_TEST_SECOND 46111
#define IDS_TEST_FORMAT 46112
#define IDS_TEST_PERCENT 46113
#define IDS_TEST_UNICODE 46114
#define IDS_TEST_300 46115
#define IDS_TEST_600 46116
#define IDS_TEST_EMPTY_FORMAT 46117
#define IDS_TEST_MISSING 46199
