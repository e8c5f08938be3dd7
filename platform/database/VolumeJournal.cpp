#include "platform/database/VolumeJournal.h"

#include <zlib.h>

#include <cstring>

namespace vellumate::database {

namespace {

constexpr std::uint8_t Magic[8] = {'V', 'M', 'D', 'B', 'V', 'O', 'L', 0};
constexpr std::uint32_t FormatVersion = 1;

std::uint32_t Crc(const std::uint8_t* data, std::size_t count) noexcept
{
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes at most 4 GB a call; entries are far smaller.
    crc = crc32(crc, data, static_cast<uInt>(count));
    return static_cast<std::uint32_t>(crc);
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void Put64(std::vector<std::uint8_t>& out, std::uint64_t v)
{
    for (int shift = 0; shift < 64; shift += 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

std::uint32_t Get32(const std::uint8_t* p) noexcept
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

void PutText(std::vector<std::uint8_t>& out, const std::u16string& text)
{
    Put16(out, static_cast<std::uint16_t>(text.size()));
    for (char16_t unit : text)
        Put16(out, unit);
}

// Reads a payload; every read checks what is left, and a short payload fails.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_left(size) {}

    bool U8(std::uint8_t& v)
    {
        return Take(1, [&](const std::uint8_t* p) { v = p[0]; });
    }
    bool U16(std::uint16_t& v)
    {
        return Take(2, [&](const std::uint8_t* p) { v = static_cast<std::uint16_t>(p[0] | p[1] << 8); });
    }
    bool U32(std::uint32_t& v)
    {
        return Take(4, [&](const std::uint8_t* p) { v = Get32(p); });
    }
    bool U64(std::uint64_t& v)
    {
        return Take(8, [&](const std::uint8_t* p) { v = Get32(p) | std::uint64_t(Get32(p + 4)) << 32; });
    }
    bool Units(std::size_t count, std::u16string& text)
    {
        if (count > m_left / 2)
            return false;
        text.resize(count);
        for (auto& unit : text) {
            std::uint16_t v = 0;
            U16(v);
            unit = static_cast<char16_t>(v);
        }
        return true;
    }
    bool Text(std::u16string& text)
    {
        std::uint16_t count;
        return U16(count) && Units(count, text);
    }
    bool Bytes(std::size_t count, std::vector<std::uint8_t>& bytes)
    {
        if (count > m_left)
            return false;
        bytes.assign(m_data, m_data + count);
        m_data += count;
        m_left -= count;
        return true;
    }
    bool AtEnd() const noexcept { return m_left == 0; }

private:
    template <typename F>
    bool Take(std::size_t count, F&& f)
    {
        if (m_left < count)
            return false;
        f(m_data);
        m_data += count;
        m_left -= count;
        return true;
    }

    const std::uint8_t* m_data;
    std::size_t m_left;
};

void PutProperty(std::vector<std::uint8_t>& out, const Property& p)
{
    Put32(out, p.id);
    switch (p.Type()) {
    case TypeI2:
    case TypeUI2:
        Put16(out, static_cast<std::uint16_t>(p.bits));
        break;
    case TypeI4:
    case TypeUI4:
    case TypeBool:
        Put32(out, static_cast<std::uint32_t>(p.bits));
        break;
    case TypeText:
        Put32(out, static_cast<std::uint32_t>(p.text.size()));
        for (char16_t unit : p.text)
            Put16(out, unit);
        break;
    case TypeBlob:
        Put32(out, static_cast<std::uint32_t>(p.bytes.size()));
        out.insert(out.end(), p.bytes.begin(), p.bytes.end());
        break;
    default:  // TypeR8, TypeFileTime
        Put64(out, p.bits);
        break;
    }
}

bool ReadProperty(Reader& in, Property& p)
{
    if (!in.U32(p.id) || !IsValueType(p.Type()))
        return false;
    std::uint16_t v16;
    std::uint32_t v32;
    switch (p.Type()) {
    case TypeI2:
    case TypeUI2:
        if (!in.U16(v16))
            return false;
        p.bits = v16;
        return true;
    case TypeI4:
    case TypeUI4:
    case TypeBool:
        if (!in.U32(v32))
            return false;
        p.bits = v32;
        return true;
    case TypeText:
        return in.U32(v32) && v32 <= MaxPropertyData / 2 && in.Units(v32, p.text);
    case TypeBlob:
        return in.U32(v32) && v32 <= MaxPropertyData && in.Bytes(v32, p.bytes);
    default:
        return in.U64(p.bits);
    }
}

bool ReadPayload(Reader& in, Entry& e)
{
    std::uint8_t kind;
    if (!in.U8(kind))
        return false;
    e.kind = static_cast<EntryKind>(kind);
    switch (e.kind) {
    case EntryKind::CreateDatabase: {
        std::uint8_t sorts;
        if (!in.U32(e.database) || !in.U32(e.type) || !in.U32(e.flags) || !in.U8(sorts) || sorts > MaxSortOrders)
            return false;
        e.sorts.resize(sorts);
        for (auto& s : e.sorts)
            if (!in.U32(s.propid) || !in.U32(s.flags))
                return false;
        return in.Text(e.name) && e.database != 0;
    }
    case EntryKind::DeleteDatabase:
        return in.U32(e.database) && e.database != 0;
    case EntryKind::PutRecord: {
        std::uint16_t count;
        if (!in.U32(e.database) || !in.U32(e.record) || !in.U16(count) || e.database == 0 || e.record == 0)
            return false;
        e.properties.resize(count);
        for (auto& p : e.properties)
            if (!ReadProperty(in, p))
                return false;
        return true;
    }
    case EntryKind::DeleteRecord:
        return in.U32(e.database) && in.U32(e.record) && e.record != 0;
    case EntryKind::NextOid:
        return in.U32(e.database) && in.U64(e.token);
    case EntryKind::Moved:
        return in.U64(e.token);
    }
    return false;
}

}  // namespace

bool IsValueType(std::uint16_t type) noexcept
{
    switch (type) {
    case TypeI2:
    case TypeUI2:
    case TypeI4:
    case TypeUI4:
    case TypeFileTime:
    case TypeText:
    case TypeBlob:
    case TypeBool:
    case TypeR8:
        return true;
    default:
        return false;
    }
}

std::uint32_t PropertyDataSize(const Property& property) noexcept
{
    switch (property.Type()) {
    case TypeText:
        return static_cast<std::uint32_t>((property.text.size() + 1) * 2);
    case TypeBlob:
        return static_cast<std::uint32_t>(property.bytes.size());
    default:
        return 0;
    }
}

std::uint32_t RecordSize(const PropertySet& properties) noexcept
{
    std::uint32_t size = 0;
    for (const auto& p : properties)
        size += PropertyEntrySize + PropertyDataSize(p);
    return size;
}

std::vector<std::uint8_t> VolumeHeader()
{
    std::vector<std::uint8_t> out(Magic, Magic + sizeof Magic);
    Put32(out, FormatVersion);
    Put32(out, Crc(out.data(), out.size()));
    return out;
}

HeaderState CheckHeader(std::span<const std::uint8_t> start) noexcept
{
    static const std::vector<std::uint8_t> header = VolumeHeader();
    const std::size_t n = start.size() < HeaderSize ? start.size() : HeaderSize;
    if (n > 0 && std::memcmp(start.data(), header.data(), n) != 0) {
        // A file cut before its first byte was written is all zeros.
        for (std::size_t i = 0; i < n; ++i)
            if (start[i] != 0)
                return HeaderState::Foreign;
        return start.size() <= HeaderSize ? HeaderState::Unwritten : HeaderState::Foreign;
    }
    return n == HeaderSize ? HeaderState::Valid : HeaderState::Unwritten;
}

void AppendEncodedEntry(std::vector<std::uint8_t>& out, const Entry& e)
{
    const std::size_t frame = out.size();
    Put32(out, 0);
    Put32(out, 0);
    out.push_back(static_cast<std::uint8_t>(e.kind));
    switch (e.kind) {
    case EntryKind::CreateDatabase:
        Put32(out, e.database);
        Put32(out, e.type);
        Put32(out, e.flags);
        out.push_back(static_cast<std::uint8_t>(e.sorts.size()));
        for (const auto& s : e.sorts) {
            Put32(out, s.propid);
            Put32(out, s.flags);
        }
        PutText(out, e.name);
        break;
    case EntryKind::DeleteDatabase:
        Put32(out, e.database);
        break;
    case EntryKind::PutRecord:
        Put32(out, e.database);
        Put32(out, e.record);
        Put16(out, static_cast<std::uint16_t>(e.properties.size()));
        for (const auto& p : e.properties)
            PutProperty(out, p);
        break;
    case EntryKind::DeleteRecord:
        Put32(out, e.database);
        Put32(out, e.record);
        break;
    case EntryKind::NextOid:
        Put32(out, e.database);
        Put64(out, e.token);
        break;
    case EntryKind::Moved:
        Put64(out, e.token);
        break;
    }
    const auto length = static_cast<std::uint32_t>(out.size() - frame - EntryFrameSize);
    for (int i = 0; i < 4; ++i)
        out[frame + i] = static_cast<std::uint8_t>(length >> (8 * i));
    // The CRC covers the length too, so that a damaged length is caught.
    std::uint32_t crc = Crc(&out[frame], 4);
    crc = static_cast<std::uint32_t>(crc32(crc, &out[frame + EntryFrameSize], length));
    for (int i = 0; i < 4; ++i)
        out[frame + 4 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
}

std::vector<std::uint8_t> EncodeEntry(const Entry& entry)
{
    std::vector<std::uint8_t> out;
    AppendEncodedEntry(out, entry);
    return out;
}

namespace {

// The payload's length when an intact frame starts at `at`.
std::optional<std::uint32_t> IntactFrameAt(std::span<const std::uint8_t> bytes, std::size_t at) noexcept
{
    if (at > bytes.size() || bytes.size() - at < EntryFrameSize)
        return std::nullopt;
    const std::uint8_t* p = bytes.data() + at;
    const std::uint32_t length = Get32(p);
    if (length == 0 || length > MaxEntrySize || bytes.size() - at - EntryFrameSize < length)
        return std::nullopt;
    std::uint32_t crc = Crc(p, 4);
    crc = static_cast<std::uint32_t>(crc32(crc, p + EntryFrameSize, length));
    if (crc != Get32(p + 4))
        return std::nullopt;
    return length;
}

}  // namespace

std::optional<Entry> DecodeEntryAt(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t& size)
{
    const auto length = IntactFrameAt(bytes, at);
    if (!length)
        return std::nullopt;
    Reader in(bytes.data() + at + EntryFrameSize, *length);
    Entry entry;
    if (!ReadPayload(in, entry) || !in.AtEnd())
        return std::nullopt;
    size = EntryFrameSize + *length;
    return entry;
}

bool IntactEntryAfter(std::span<const std::uint8_t> bytes, std::size_t at) noexcept
{
    for (std::size_t p = at + 1; p + EntryFrameSize < bytes.size(); ++p)
        if (IntactFrameAt(bytes, p))
            return true;
    return false;
}

}  // namespace vellumate::database
