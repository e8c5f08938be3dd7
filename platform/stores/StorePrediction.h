// What the cleaner's scan will find in a store written from a plan,
// computed from the plan alone: the tests hold a scan of the written store
// against it.
#pragma once

#include "platform/stores/StorePlan.h"
#include "platform/stores/StoreReport.h"

#include <cstdint>

namespace vellumate::stores {

MailReport PredictMail(const StorePlan& plan, std::uint32_t osMajor);
PhoneReport PredictPhone(const StorePlan& plan);
NotesReport PredictNotes(const StorePlan& plan);

}  // namespace vellumate::stores
