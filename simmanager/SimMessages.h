// What the model tells the user while an operation runs. The user interface
// implements it with message boxes; the model calls it in the order its
// steps reach each message, so that order stays where the decisions are made.
#pragma once

#include <windows.h>

class SimMessages {
public:
    virtual ~SimMessages() = default;

    // An error box with string `id`.
    virtual void Error(UINT id) = 0;
    // An error box with string `id` formatted with one number ("%d").
    virtual void ErrorNumber(UINT id, int number) = 0;
    // An information box with string `id`.
    virtual void Information(UINT id) = 0;
    // An OK/Cancel question with string `id`; true only for OK.
    virtual bool Ask(UINT id) = 0;
    // Long SIM work starts (true) and ends (false): the wait cursor.
    virtual void Busy(bool /*busy*/) {}
};

// Busy for the span of a scope.
class SimBusyScope {
public:
    explicit SimBusyScope(SimMessages& messages) : m_messages(messages) { m_messages.Busy(true); }
    ~SimBusyScope() { m_messages.Busy(false); }
    SimBusyScope(const SimBusyScope&) = delete;
    SimBusyScope& operator=(const SimBusyScope&) = delete;

private:
    SimMessages& m_messages;
};
