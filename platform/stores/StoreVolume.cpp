#include "platform/stores/StoreVolume.h"

namespace vellumate::stores {

const Prop* FindProp(const Record& record, std::uint32_t id) noexcept
{
    for (const Prop& prop : record) {
        if (prop.id == id)
            return &prop;
    }
    return nullptr;
}

std::optional<std::uint32_t> NumberProp(const Record& record, std::uint32_t id) noexcept
{
    const Prop* prop = FindProp(record, id);
    if (!prop || !std::holds_alternative<std::uint32_t>(prop->value))
        return std::nullopt;
    return std::get<std::uint32_t>(prop->value);
}

const std::wstring* TextProp(const Record& record, std::uint32_t id) noexcept
{
    const Prop* prop = FindProp(record, id);
    return prop ? std::get_if<std::wstring>(&prop->value) : nullptr;
}

std::uint32_t RecordBytes(const Record& record) noexcept
{
    std::uint32_t bytes = 0;
    for (const Prop& prop : record) {
        bytes += PropValueBytes;
        if (const auto* text = std::get_if<std::wstring>(&prop.value))
            bytes += static_cast<std::uint32_t>((text->size() + 1) * 2);
    }
    return bytes;
}

}  // namespace vellumate::stores
