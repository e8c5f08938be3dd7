// Putting a new outgoing message into the handset's mail store: its record
// in the Outbox folder's database and in "pmailMsgs", its body file, and
// for an attachment its record in "pmailAttachs" and its file, as the mail
// program keeps them (platform/stores/MailStoreSchema.h).
#pragma once

#include <cstdint>
#include <string>

namespace vellumate::mail {

struct OutgoingMessage {
    std::wstring to;
    std::wstring subject;
    std::wstring body;
    std::wstring attachment;  // a handset path, or empty
};

// The new message's id, or 0 with `problem` set when the store cannot take it.
std::uint32_t QueueOutgoing(const OutgoingMessage& message, std::wstring& problem);

}  // namespace vellumate::mail
