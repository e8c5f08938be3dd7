// The mail program's resource numbers. Read by the resource compiler too.
#pragma once

#define IDM_MAIL_BAR 100
#define ID_MAIL_SEND 101
#define ID_MAIL_CANCEL 102
