// Pellory's message boxes: a string of the resource module in a box with the
// platform's own caption, as an error, a piece of information or an OK/Cancel
// question. A message that carries a number is formatted from its string
// first and shown as an error.
#pragma once

#include "simmanager/SimMessages.h"

#include <windows.h>

// Longest message text, terminator included; longer texts are cut.
inline constexpr int SimMessageLength = 150;

void ShowSimError(HWND owner, UINT message);
void ShowSimErrorNumber(HWND owner, UINT message, int value);
void ShowSimInformation(HWND owner, UINT message);
// True only when the user chose OK.
bool AskSim(HWND owner, UINT message);


// The model's messages as these boxes, over the main window (or none before
// it exists); Busy shows the wait cursor.
class SimMessageBoxes final : public SimMessages {
public:
    void SetOwner(HWND owner) noexcept { m_owner = owner; }

    void Error(UINT id) override { ShowSimError(m_owner, id); }
    void ErrorNumber(UINT id, int number) override { ShowSimErrorNumber(m_owner, id, number); }
    void Information(UINT id) override { ShowSimInformation(m_owner, id); }
    bool Ask(UINT id) override { return AskSim(m_owner, id); }
    void Busy(bool busy) override;

private:
    HWND m_owner = nullptr;
    HCURSOR m_previousCursor = nullptr;
    int m_busyDepth = 0;
};
