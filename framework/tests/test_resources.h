// Resource numbers of the framework tests' own string table.
#pragma once

#define IDS_BY_NUMBER 300
#define IDS_NON_ASCII 301
#define IDS_FORMAT 302
#define IDS_MISSING 399

// Texts of exactly N characters: the alphabet repeated, cut at N.
#define IDS_LENGTH_254 1254
#define IDS_LENGTH_255 1255
#define IDS_LENGTH_256 1256
#define IDS_LENGTH_257 1257
#define IDS_LENGTH_510 1510
#define IDS_LENGTH_511 1511
#define IDS_LENGTH_512 1512
#define IDS_LENGTH_513 1513
#define IDS_LENGTH_700 1700
