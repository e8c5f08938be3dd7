// The document viewer's resource numbers. Read by the resource compiler too.
#pragma once

#define IDM_VIEWER_BAR 100  // the soft keys
#define ID_VIEWER_CLOSE 101
