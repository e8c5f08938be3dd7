// Obrel's resource numbers: strings, the menu bar and its commands, icons.
// Read by the resource compiler too, so plain #defines only.
#pragma once

// The menu bar: left soft key "next page", right soft key "Menu".
#define IDM_OBREL_BAR 1000

#define IDC_NEXT_PAGE 40112
#define IDC_MEMORY_PAGE 40114
#define IDC_FLASH_PAGE 40115
#define IDC_POWER_PAGE 40116
#define IDC_DEVICE_PAGE 40117
#define IDC_ABOUT 40118

// Header icons of the pages; the Device page shows the program's own icon
// (IDI_PROGRAM, 30020, see framework/AboutResources.h).
#define IDI_MEMORY_PAGE 32000
#define IDI_FLASH_PAGE 32001
#define IDI_POWER_PAGE 32002

#define IDS_MENU 40200
#define IDS_FONT_FACE 40201
#define IDS_MEMORY_SHORT 40202
#define IDS_MEMORY_TITLE 40203
#define IDS_FLASH_SHORT 40204
#define IDS_FLASH_TITLE 40205
#define IDS_POWER 40206
#define IDS_DEVICE_SHORT 40207
#define IDS_DEVICE_TITLE 40208
#define IDS_MAIN_MEMORY 40209
#define IDS_TOTAL 40210
#define IDS_PROGRAM 40211
#define IDS_STORAGE 40212
#define IDS_FLASH_AND_STORAGE 40283
#define IDS_INTERNAL 40284
#define IDS_SD_CARD 40285
#define IDS_MAIN_BATTERY 40286
#define IDS_BACKUP_BATTERY 40287
#define IDS_NOT_AVAILABLE 40288
#define IDS_MEGABYTES 40289
#define IDS_KILOBYTES 40290
#define IDS_UNKNOWN 40291
#define IDS_MAKER 40292
#define IDS_RESOLUTION 40293
#define IDS_MAX_COLORS 40294
