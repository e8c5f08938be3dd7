// The zip format's traditional password encryption: three 32-bit keys fed
// with the password and then with every plain byte. Shared by the engine
// (decryption) and the test writer (encryption).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class ZipCrypto {
public:
    static constexpr std::size_t HeaderSize = 12;

    // Keys set up from the low byte of each character of the password.
    explicit ZipCrypto(const std::wstring& password) noexcept;

    void Decrypt(std::uint8_t* data, std::size_t count) noexcept;
    void Encrypt(std::uint8_t* data, std::size_t count) noexcept;

    const std::uint32_t* Keys() const noexcept { return m_keys; }

private:
    void Update(std::uint8_t plain) noexcept;
    std::uint8_t StreamByte() const noexcept;

    std::uint32_t m_keys[3];
};

// The byte the encryption header ends with: the high byte of the DOS time
// when the member has a data descriptor (its CRC was not known when the
// header was written), else the high byte of the CRC.
std::uint8_t EncryptionCheckByte(std::uint16_t flags, std::uint16_t time, std::uint32_t crc) noexcept;
