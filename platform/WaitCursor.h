// The wait cursor for the length of a scope.
#pragma once

#include <windows.h>

class WaitCursor {
public:
    WaitCursor() noexcept : m_previous(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(m_previous); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_previous;
};
