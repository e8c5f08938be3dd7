// A small zip writer for the archive reader's tests, fuzz seeds, benchmarks
// and the sample device: stored and deflated members, folder entries, an
// archive comment, a stub in front, traditional encryption and the data
// descriptor flag. Portable: built natively and for the handset. Output is
// deterministic, so generated files can be committed and compared.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ZipEntryOptions {
    bool deflate = true;
    int level = 6;         // deflate level
    std::string password;  // encrypts the member when not empty
    bool dataDescriptor = false;
    // DOS time and date (2026-12-08 12:00:00 unless set).
    std::uint16_t time = (12 << 11);
    std::uint16_t date = ((2026 - 1980) << 9) | (12 << 5) | 8;
    // What the central directory records instead of the truth, to make
    // damaged archives.
    std::optional<std::uint32_t> recordedCrc;
    std::optional<std::uint32_t> recordedUncompressedSize;
    std::optional<std::uint32_t> recordedCompressedSize;
};

// Where the writer put things, so tests can damage an archive precisely.
struct ZipLayout {
    std::vector<std::uint64_t> localHeaders;  // per entry, in the file
    std::uint64_t centralDirectory = 0;
    std::uint64_t endRecord = 0;
};

class ZipWriter {
public:
    // `name` is recorded as given (bytes, "/" between components).
    void AddFile(const std::string& name, const std::string& data, const ZipEntryOptions& options = {});
    // A folder entry; "/" is appended when missing.
    void AddFolder(const std::string& name);
    // Bytes in front of the zip data, as a self-extracting archive has.
    void SetStub(const std::string& stub) { m_stub = stub; }
    void SetComment(const std::string& comment) { m_comment = comment; }
    // The entry count the end record claims instead of the true one.
    void SetRecordedEntryCount(std::uint16_t count) { m_recordedCount = count; }

    // The whole archive.
    std::string Finish(ZipLayout* layout = nullptr) const;

private:
    struct Entry {
        std::string name;
        std::string payload;  // as stored in the file: compressed, encrypted
        std::uint16_t flags = 0;
        std::uint16_t method = 0;
        std::uint16_t time = 0;
        std::uint16_t date = 0;
        std::uint32_t crc = 0;
        std::uint32_t compressedSize = 0;
        std::uint32_t uncompressedSize = 0;
        std::uint32_t externalAttributes = 0;
        bool dataDescriptor = false;
        std::uint32_t trueCrc = 0;
        std::uint32_t trueUncompressed = 0;
    };

    std::vector<Entry> m_entries;
    std::string m_stub;
    std::string m_comment;
    std::optional<std::uint16_t> m_recordedCount;
};

// Raw deflate of `data` (no zlib header), as zip members carry it.
std::string DeflateRaw(const std::string& data, int level = 6);
// zlib's CRC-32 of the bytes.
std::uint32_t Crc32Of(const std::string& data);
