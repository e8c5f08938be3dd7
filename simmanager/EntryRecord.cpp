#include "simmanager/EntryRecord.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace {

// The text and its terminator into a field of MAX_LENGTH_ADDRESS characters,
// the rest of the field zero so that nothing of an earlier entry goes along.
void CopyField(wchar_t (&field)[MAX_LENGTH_ADDRESS], const String& text)
{
    std::wmemset(field, L'\0', MAX_LENGTH_ADDRESS);
    int length = std::min(text.Length(), MAX_LENGTH_ADDRESS - 1);
    std::wmemcpy(field, text.Chars(), static_cast<size_t>(length));
}

}  // namespace

static_assert(MAX_LENGTH_ADDRESS == MAX_LENGTH_PHONEBOOKENTRYTEXT);
static_assert(MaxEntryTextLength == MAX_LENGTH_ADDRESS - 1);

void InitEntryRecord(SIMPHONEBOOKENTRY& record) noexcept
{
    std::memset(&record, 0, sizeof record);
    record.cbSize = sizeof record;
    record.dwParams = SIM_PARAM_PBE_ALL;
    record.dwAddressType = SIM_ADDRTYPE_NATIONAL;
    record.dwNumPlan = SIM_NUMPLAN_TELEPHONE;
}

void FillEntryRecord(SIMPHONEBOOKENTRY& record, const PhonebookSlot& slot) noexcept
{
    record.cbSize = sizeof record;
    record.dwParams = SIM_PARAM_PBE_ALL;
    record.dwNumPlan = SIM_NUMPLAN_TELEPHONE;
    record.dwAddressType = slot.Number()[0] == L'+' ? SIM_ADDRTYPE_INTERNATIONAL : SIM_ADDRTYPE_NATIONAL;
    CopyField(record.lpszAddress, slot.Number());
    CopyField(record.lpszText, slot.Name());
}

void TakeEntryRecord(PhonebookSlot& slot, const SIMPHONEBOOKENTRY& record)
{
    // The slot reads at most its limit, which is shorter than the field.
    slot.SetNumber(record.lpszAddress);
    slot.SetName(record.lpszText);
}
