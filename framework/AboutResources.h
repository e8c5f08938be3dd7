// Resource numbers of the about box. Read by the resource compiler too, so
// plain #defines only.
#pragma once

#define IDD_ABOUT 30002       // the full-screen dialog
#define IDM_ABOUT_BAR 30012   // its menu bar: Done (IDOK)
#define IDI_PROGRAM 30020     // the program's icon, provided by each program
#define IDC_ABOUT_ICON 50018  // the icon control showing it

#define IDS_ABOUT_FAMILY 50214   // "(%s)" with the product family
#define IDS_ABOUT_VERSION 50107  // "Version %d.%02d" with major and minor
#define IDS_ABOUT_BUILD 50131    // " (Build %05d)" with the build number
#define IDS_ABOUT_NOTICE 50110   // the notice line: %c the notice sign, %s the year
#define IDS_ABOUT_COMPANY 50111  // the maker's name
#define IDS_ABOUT_RIGHTS 50112   // the rights sentence
