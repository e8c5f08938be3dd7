// Properties made short, and a volume's whole content as one text, so that
// tests compare what a remount sees with what they expect in one assertion.
#pragma once

#include "platform/database/VolumeStore.h"

#include <string>

namespace vellumate::database::testing {

inline Property U4(std::uint32_t number, std::uint32_t value)
{
    Property p;
    p.id = number << 16 | TypeUI4;
    p.bits = value;
    return p;
}

inline Property Text(std::uint32_t number, std::u16string value)
{
    Property p;
    p.id = number << 16 | TypeText;
    p.text = std::move(value);
    return p;
}

inline Property Blob(std::uint32_t number, std::vector<std::uint8_t> value)
{
    Property p;
    p.id = number << 16 | TypeBlob;
    p.bytes = std::move(value);
    return p;
}

inline std::vector<PropertyChange> Set(std::initializer_list<Property> values)
{
    std::vector<PropertyChange> changes;
    for (const auto& v : values)
        changes.push_back({v, false});
    return changes;
}

inline std::string Narrow(const std::u16string& text)
{
    std::string out;
    for (char16_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

// Databases in order with their records in order, every property's value.
inline std::string Dump(VolumeStore& store)
{
    std::string out;
    for (Oid db : store.Databases()) {
        DatabaseInfo info;
        store.GetDatabase(db, info);
        out += "db " + std::to_string(db) + " " + Narrow(info.name) + " type " + std::to_string(info.type) +
               " records " + std::to_string(info.recordCount) + " size " + std::to_string(info.size) + "\n";
        Cursor cursor{db};
        const Record* record = nullptr;
        while (store.Read(cursor, true, record) == DbStatus::Ok) {
            out += "  " + std::to_string(record->oid) + ":";
            for (const auto& p : record->properties) {
                out += " " + std::to_string(p.id) + "=";
                if (p.Type() == TypeText)
                    out += "'" + Narrow(p.text) + "'";
                else if (p.Type() == TypeBlob)
                    out += "blob" + std::to_string(p.bytes.size());
                else
                    out += std::to_string(p.bits);
            }
            out += "\n";
        }
    }
    return out;
}

}  // namespace vellumate::database::testing
