// Where an archive's bytes come from. The reader and the engine know nothing
// of files: the handset reads an open file (Win32ArchiveFiles.h), the native
// tests and the fuzz target read memory, so that the code which trusts no
// byte of an archive can be run millions of times without Wine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // The number of bytes; false when it cannot be told.
    virtual bool Size(std::uint64_t& size) = 0;
    // Reads up to `count` bytes at `offset`; the number read (fewer only at
    // the end or on a failure).
    virtual std::size_t ReadAt(std::uint64_t offset, std::uint8_t* data, std::size_t count) = 0;
    // Whether the archive is still there: a removed storage card ends the
    // member being extracted instead of reading stale or missing bytes.
    virtual bool StillExists() = 0;
};

// An archive held in memory (tests, the fuzz target, extracted-member
// previews). The bytes are copied.
class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::string_view bytes) : m_bytes(bytes) {}

    bool Size(std::uint64_t& size) override
    {
        size = m_bytes.size();
        return true;
    }
    std::size_t ReadAt(std::uint64_t offset, std::uint8_t* data, std::size_t count) override;
    bool StillExists() override { return !m_vanished; }

    // Makes the next existence check fail, as a removed card would.
    void Vanish() noexcept { m_vanished = true; }

private:
    std::string m_bytes;
    bool m_vanished = false;
};
