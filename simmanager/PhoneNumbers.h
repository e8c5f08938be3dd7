// The phone's own number and the message centre's, from the platform's
// text-message service, into SimAccess: read at start-up and each time the
// main window becomes active.
#pragma once

#include "simmanager/SimAccess.h"
#include "simmanager/SimMessages.h"

class PhoneNumberReader {
public:
    // Opens the service and copies both numbers into `sim` (a number the
    // service lacks becomes empty). When the service cannot be opened the
    // numbers stay as they were and error 40212 is told; only once while the
    // failure lasts, since every box that closes activates the window again.
    // True when the service answered.
    bool Refresh(SimAccess& sim, SimMessages& messages);

private:
    bool m_failureTold = false;
};
