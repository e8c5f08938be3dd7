#include "platform/database/RecordBuffer.h"

#include <cstring>

namespace vellumate::database {

static_assert(sizeof(CEPROPVAL) == PropertyEntrySize, "record sizes count one CEPROPVAL per property");
static_assert(EmptyDatabaseSize == DatabaseOverhead);

std::optional<Property> PropertyFromValue(const CEPROPVAL& value)
{
    Property p;
    p.id = value.propid;
    switch (TypeFromPropID(value.propid)) {
    case CEVT_I2:
        p.bits = static_cast<std::uint16_t>(value.val.iVal);
        break;
    case CEVT_UI2:
        p.bits = value.val.uiVal;
        break;
    case CEVT_I4:
        p.bits = static_cast<std::uint32_t>(value.val.lVal);
        break;
    case CEVT_UI4:
        p.bits = static_cast<std::uint32_t>(value.val.ulVal);
        break;
    case CEVT_BOOL:
        p.bits = static_cast<std::uint32_t>(value.val.boolVal);
        break;
    case CEVT_R8:
        std::memcpy(&p.bits, &value.val.dblVal, sizeof p.bits);
        break;
    case CEVT_FILETIME:
        p.bits = std::uint64_t(value.val.filetime.dwHighDateTime) << 32 | value.val.filetime.dwLowDateTime;
        break;
    case CEVT_LPWSTR: {
        if (!value.val.lpwstr)
            return std::nullopt;
        // Looked at no further than the longest string a property holds.
        const std::size_t limit = MaxPropertyData / 2;
        const std::size_t length = ::wcsnlen(value.val.lpwstr, limit);
        if (length >= limit)
            return std::nullopt;
        p.text.assign(reinterpret_cast<const char16_t*>(value.val.lpwstr), length);
        break;
    }
    case CEVT_BLOB:
        if (value.val.blob.dwCount > MaxPropertyData || (value.val.blob.dwCount > 0 && !value.val.blob.lpb))
            return std::nullopt;
        p.bytes.assign(value.val.blob.lpb, value.val.blob.lpb + value.val.blob.dwCount);
        break;
    default:
        return std::nullopt;
    }
    return p;
}

std::optional<std::vector<PropertyChange>> ChangesFromValues(const CEPROPVAL* values, WORD count)
{
    std::vector<PropertyChange> changes;
    changes.reserve(count);
    for (WORD i = 0; i < count; ++i) {
        if (values[i].wFlags & CEDB_PROPDELETE) {
            if (!IsValueType(TypeFromPropID(values[i].propid)))
                return std::nullopt;
            PropertyChange removal;
            removal.value.id = values[i].propid;
            removal.remove = true;
            changes.push_back(std::move(removal));
            continue;
        }
        auto value = PropertyFromValue(values[i]);
        if (!value)
            return std::nullopt;
        changes.push_back({std::move(*value), false});
    }
    return changes;
}

std::vector<PickedProperty> PickProperties(const Record& record, const CEPROPID* wanted, WORD count)
{
    std::vector<PickedProperty> picked;
    if (!wanted) {
        for (const auto& p : record.properties)
            picked.push_back({p.id, &p});
        return picked;
    }
    for (WORD i = 0; i < count; ++i) {
        PickedProperty one{wanted[i], nullptr};
        for (const auto& p : record.properties)
            if (p.id == wanted[i])
                one.value = &p;
        picked.push_back(one);
    }
    return picked;
}

DWORD LayoutSize(const std::vector<PickedProperty>& picked) noexcept
{
    DWORD size = 0;
    for (const auto& p : picked)
        size += sizeof(CEPROPVAL) + (p.value ? PropertyDataSize(*p.value) : 0);
    return size;
}

void LayOut(const std::vector<PickedProperty>& picked, BYTE* buffer) noexcept
{
    auto* values = reinterpret_cast<CEPROPVAL*>(buffer);
    // Strings first: their sizes are even, so each stays aligned for WCHAR.
    BYTE* data = buffer + picked.size() * sizeof(CEPROPVAL);
    for (std::size_t i = 0; i < picked.size(); ++i) {
        CEPROPVAL& out = values[i];
        std::memset(&out, 0, sizeof out);
        out.propid = picked[i].id;
        const Property* p = picked[i].value;
        if (!p) {
            out.wFlags = CEDB_PROPNOTFOUND;
            continue;
        }
        switch (p->Type()) {
        case CEVT_I2:
            out.val.iVal = static_cast<short>(static_cast<std::uint16_t>(p->bits));
            break;
        case CEVT_UI2:
            out.val.uiVal = static_cast<USHORT>(p->bits);
            break;
        case CEVT_I4:
            out.val.lVal = static_cast<long>(static_cast<std::int32_t>(static_cast<std::uint32_t>(p->bits)));
            break;
        case CEVT_UI4:
            out.val.ulVal = static_cast<ULONG>(p->bits);
            break;
        case CEVT_BOOL:
            out.val.boolVal = static_cast<BOOL>(static_cast<std::uint32_t>(p->bits));
            break;
        case CEVT_R8:
            std::memcpy(&out.val.dblVal, &p->bits, sizeof out.val.dblVal);
            break;
        case CEVT_FILETIME:
            out.val.filetime.dwLowDateTime = static_cast<DWORD>(p->bits);
            out.val.filetime.dwHighDateTime = static_cast<DWORD>(p->bits >> 32);
            break;
        case CEVT_LPWSTR: {
            auto* text = reinterpret_cast<WCHAR*>(data);
            std::memcpy(text, p->text.data(), p->text.size() * sizeof(WCHAR));
            text[p->text.size()] = L'\0';
            out.val.lpwstr = text;
            data += (p->text.size() + 1) * sizeof(WCHAR);
            break;
        }
        default:
            break;
        }
    }
    for (std::size_t i = 0; i < picked.size(); ++i) {
        const Property* p = picked[i].value;
        if (!p || p->Type() != CEVT_BLOB)
            continue;
        if (!p->bytes.empty())
            std::memcpy(data, p->bytes.data(), p->bytes.size());
        values[i].val.blob.dwCount = static_cast<DWORD>(p->bytes.size());
        values[i].val.blob.lpb = data;
        data += p->bytes.size();
    }
}

}  // namespace vellumate::database
