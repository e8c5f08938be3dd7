// Between the platform's property values and the volume's: a caller's
// CEPROPVAL array checked and copied into property changes, and a record's
// properties laid out in the caller's buffer as the platform lays them out
// (the CEPROPVAL array, then the strings, then the blobs they point to).
#pragma once

#include "platform/database/Database.h"
#include "platform/database/VolumeStore.h"

#include <optional>
#include <vector>

namespace vellumate::database {

// nullopt for a value the volume cannot take: an unknown type, a missing
// string or blob pointer, a value over the limits.
std::optional<Property> PropertyFromValue(const CEPROPVAL& value);
std::optional<std::vector<PropertyChange>> ChangesFromValues(const CEPROPVAL* values, WORD count);

// The properties a read returns: all of them, or those asked for (a missing
// one as CEDB_PROPNOTFOUND, no value).
struct PickedProperty {
    CEPROPID id = 0;
    const Property* value = nullptr;
};
std::vector<PickedProperty> PickProperties(const Record& record, const CEPROPID* wanted, WORD count);

// Bytes the layout takes; for all of a record's properties, its size.
DWORD LayoutSize(const std::vector<PickedProperty>& picked) noexcept;
// Fills `buffer` of LayoutSize bytes.
void LayOut(const std::vector<PickedProperty>& picked, BYTE* buffer) noexcept;

}  // namespace vellumate::database
