// The phone store's call log: a dialled call becomes a record of "clog.db" in
// "\mxip_initdb.vol" (the volume and the database are made when missing), so
// that the storage cleaner counts it with the rest of the log.
#pragma once

#include "platform/phone/LastCall.h"

namespace vellumate::phone {

// Appends the call as an outgoing call of no duration yet; false when the
// volume cannot be mounted or the record cannot be written.
bool LogDialledCall(const LastCall& call) noexcept;

}  // namespace vellumate::phone
