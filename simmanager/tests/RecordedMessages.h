// The messages an operation gives, in order, as the user would meet them;
// questions get the answer the test chose.
#pragma once

#include "simmanager/SimMessages.h"

#include <vector>

class RecordedMessages : public SimMessages {
public:
    struct Message {
        UINT id;
        int number;  // ErrorNumber's, else -1
        bool operator==(const Message&) const = default;
    };

    void Error(UINT id) override { messages.push_back({id, -1}); }
    void ErrorNumber(UINT id, int number) override { messages.push_back({id, number}); }
    void Information(UINT id) override { messages.push_back({id, -1}); }
    bool Ask(UINT id) override
    {
        messages.push_back({id, -1});
        return answer;
    }
    void Busy(bool busy) override { busyChanges += busy ? 1 : -1; }

    std::vector<UINT> Ids() const
    {
        std::vector<UINT> ids;
        for (const Message& message : messages)
            ids.push_back(message.id);
        return ids;
    }

    std::vector<Message> messages;
    bool answer = true;
    int busyChanges = 0;
};
