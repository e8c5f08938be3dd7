// The beam receiver's resource numbers. Read by the resource compiler too.
#pragma once

#define IDM_RECEIVER_BAR 100
#define ID_RECEIVER_CLOSE 101
