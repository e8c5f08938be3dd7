// The resource numbers of sending and beaming: the beam dialog, its menu bar,
// its controls, its state images and its strings. Read by the resource
// compiler too.
#pragma once

#define IDD_BEAM 146
#define IDM_BEAM_BAR 125
#define IDB_BEAM_STATES 147  // two 16 x 16 images: a device, a device that has every file

#define IDC_BEAM_DEVICES 1106  // the list: device and status
#define IDC_BEAM_STATUS 1107
#define IDC_BEAM_COUNT 1108

#define ID_BEAM_SEND 40148
#define ID_BEAM_CANCEL 40112

#define IDS_BEAM_CONNECTING_TEXT 43159  // control 1107 while connecting
#define IDS_BEAM_TITLE 43167
#define IDS_BEAM_CONNECTING 43168  // the device's status while connecting
#define IDS_BEAM_NO_WORKER 43172   // the send could not start (the copy's text)
#define IDS_BEAM_FAILED 43214      // %d: the files sent
#define IDS_BEAM_ALL_SENT 43215    // the device's status
#define IDS_BEAM_SEARCHING 43216   // control 1107 while no send runs
#define IDS_BEAM_HINT_FIRST 43217  // the list's first three rows
#define IDS_BEAM_HINT_SECOND 43218
#define IDS_BEAM_HINT_THIRD 43219
#define IDS_BEAM_SENDING 43220      // %s: the file's name
#define IDS_BEAM_COUNTS 43221       // %d files left, %d: the file's number, %d files
#define IDS_BEAM_CANNOT_OPEN 43222  // %s: the path
#define IDS_BEAM_NO_SERVICE 43223
#define IDS_BEAM_READY 43224      // a found device's status
#define IDS_BEAM_DONE_TEXT 43227  // control 1107 when every file was sent
#define IDS_BEAM_SEND_BUTTON 43228
#define IDS_BEAM_DONE_BUTTON 43229

// The worker's reports to the dialog, as WM_COMMAND numbers.
#define IDN_BEAM_CONNECTING 2026
#define IDN_BEAM_FILE 2027  // a file starts (its index in lParam)
#define IDN_BEAM_PROGRESS 2028
#define IDN_BEAM_FAILED 2029  // lParam: 1 when the connection failed
#define IDN_BEAM_ALL_SENT 2030
