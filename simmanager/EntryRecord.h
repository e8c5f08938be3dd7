// Between slots and the platform's phonebook entry record.
#pragma once

#include "simmanager/PhonebookSlot.h"

#include "platform/sim/SimManager.h"

// Size 1040, all four fields valid, national address, telephone plan.
void InitEntryRecord(SIMPHONEBOOKENTRY& record) noexcept;

// The slot's number and name into the record; address type international
// when the number begins with "+" (the "+" stays in the text), else national.
void FillEntryRecord(SIMPHONEBOOKENTRY& record, const PhonebookSlot& slot) noexcept;

// The record's number and name into the slot, each cut to the slot's limit;
// a text the record holds without its terminator ends at the field's end.
void TakeEntryRecord(PhonebookSlot& slot, const SIMPHONEBOOKENTRY& record);
