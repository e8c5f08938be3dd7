// The zip format's record signatures and sizes, and little-endian field
// reads, shared by the reader, the engine and the test writer.
#pragma once

#include <cstdint>

namespace zipformat {

constexpr std::uint32_t LocalHeaderSignature = 0x04034B50;
constexpr std::uint32_t CentralHeaderSignature = 0x02014B50;
constexpr std::uint32_t EndRecordSignature = 0x06054B50;
constexpr std::uint32_t DataDescriptorSignature = 0x08074B50;

constexpr unsigned LocalHeaderSize = 30;
constexpr unsigned CentralHeaderSize = 46;
constexpr unsigned EndRecordSize = 22;
// The end record with the longest comment it can carry.
constexpr unsigned EndRecordSearchSpan = EndRecordSize + 0xFFFF;

inline std::uint16_t Read16(const std::uint8_t* p) noexcept
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t Read32(const std::uint8_t* p) noexcept
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace zipformat
