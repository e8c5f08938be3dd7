#include "filemanager/archive/ZipCrypto.h"

#include "filemanager/archive/ArchiveMember.h"

#include <zlib.h>

namespace {

// One step of the CRC-32 register, without the pre- and post-inversion of a
// whole-buffer CRC: the keys are raw registers.
inline std::uint32_t CrcStep(std::uint32_t crc, std::uint8_t byte) noexcept
{
    static const auto* const table = get_crc_table();
    return static_cast<std::uint32_t>(table[(crc ^ byte) & 0xFF]) ^ (crc >> 8);
}

}  // namespace

ZipCrypto::ZipCrypto(const std::wstring& password) noexcept : m_keys{0x12345678, 0x23456789, 0x34567890}
{
    for (const wchar_t c : password)
        Update(static_cast<std::uint8_t>(c & 0xFF));
}

void ZipCrypto::Update(std::uint8_t plain) noexcept
{
    m_keys[0] = CrcStep(m_keys[0], plain);
    m_keys[1] = (m_keys[1] + (m_keys[0] & 0xFF)) * 134775813u + 1;
    m_keys[2] = CrcStep(m_keys[2], static_cast<std::uint8_t>(m_keys[1] >> 24));
}

std::uint8_t ZipCrypto::StreamByte() const noexcept
{
    const std::uint32_t t = (m_keys[2] | 2) & 0xFFFF;
    return static_cast<std::uint8_t>((t * (t ^ 1)) >> 8);
}

void ZipCrypto::Decrypt(std::uint8_t* data, std::size_t count) noexcept
{
    for (std::size_t i = 0; i < count; ++i) {
        data[i] ^= StreamByte();
        Update(data[i]);
    }
}

void ZipCrypto::Encrypt(std::uint8_t* data, std::size_t count) noexcept
{
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t plain = data[i];
        data[i] ^= StreamByte();
        Update(plain);
    }
}

std::uint8_t EncryptionCheckByte(std::uint16_t flags, std::uint16_t time, std::uint32_t crc) noexcept
{
    return (flags & MemberFlagDataDescriptor) ? static_cast<std::uint8_t>(time >> 8)
                                              : static_cast<std::uint8_t>(crc >> 24);
}
