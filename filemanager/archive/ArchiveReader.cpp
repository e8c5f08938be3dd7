// Reading the member list: the end record found from the back of the file,
// then the central directory entry by entry. Every position comes from the
// file, so each is checked against what the file holds before it is used.
#include "filemanager/archive/Archive.h"
#include "filemanager/archive/ZipFormat.h"

#include <algorithm>
#include <vector>

using namespace zipformat;

namespace {

constexpr std::size_t SearchChunk = 32768;
// Consecutive chunks share the bytes a signature cut by a chunk's start
// could have in the chunk before.
constexpr std::size_t ChunkOverlap = 3;

// The position of the end record nearest to the end of the file, searched
// within its last 65,557 bytes in chunks from the back.
bool FindEndRecord(ByteSource& source, std::uint64_t size, std::uint64_t& position)
{
    const std::uint64_t regionStart = size - std::min<std::uint64_t>(size, EndRecordSearchSpan);
    std::vector<std::uint8_t> chunk(static_cast<std::size_t>(std::min<std::uint64_t>(size - regionStart, SearchChunk)));
    std::uint64_t chunkEnd = size;
    while (true) {
        const std::uint64_t chunkStart = chunkEnd - std::min<std::uint64_t>(chunkEnd - regionStart, SearchChunk);
        const std::size_t length = static_cast<std::size_t>(chunkEnd - chunkStart);
        if (source.ReadAt(chunkStart, chunk.data(), length) != length)
            return false;
        // Only a signature with a whole record behind it can be the record.
        const std::uint64_t lastFit = size - EndRecordSize;
        for (std::size_t i = length - 4 + 1; i-- > 0;) {
            if (chunkStart + i > lastFit)
                continue;
            if (Read32(chunk.data() + i) == EndRecordSignature) {
                position = chunkStart + i;
                return true;
            }
        }
        if (chunkStart == regionStart)
            return false;
        chunkEnd = chunkStart + ChunkOverlap;
    }
}

// Reads the central directory through one window of the file, so that a
// large directory costs no allocation of its size and each entry is one copy.
class DirectoryReader {
public:
    DirectoryReader(ByteSource& source, std::uint64_t end) : m_source(source), m_end(end) {}

    // The `count` bytes at `position`, when all of them lie before the end.
    const std::uint8_t* At(std::uint64_t position, std::size_t count)
    {
        if (position > m_end || count > m_end - position)
            return nullptr;
        if (position < m_start || position + count > m_start + m_length) {
            m_start = position;
            const std::size_t want =
                static_cast<std::size_t>(std::min<std::uint64_t>(m_end - position, std::max(count, WindowSize)));
            m_window.resize(std::max(m_window.size(), want));
            m_length = m_source.ReadAt(position, m_window.data(), want);
            if (m_length < count)
                return nullptr;
        }
        return m_window.data() + (position - m_start);
    }

private:
    static constexpr std::size_t WindowSize = 1 << 17;  // holds any header with its name

    ByteSource& m_source;
    std::uint64_t m_end;
    std::vector<std::uint8_t> m_window;
    std::uint64_t m_start = 0;
    std::size_t m_length = 0;
};

std::wstring ConvertName(NameConverter& names, std::string_view bytes)
{
    std::wstring name;
    if (!names.Convert(NameConverter::Big5, bytes, name)) {
        name.clear();
        if (!names.Convert(NameConverter::Ansi, bytes, name)) {
            // No code page takes them: one character per byte keeps the
            // member listed and extractable under a name of its own.
            name.assign(bytes.begin(), bytes.end());
            for (auto& c : name)
                c = static_cast<wchar_t>(static_cast<unsigned char>(c));
        }
        if (name.size() > bytes.size())
            name.resize(bytes.size());
    }
    std::replace(name.begin(), name.end(), L'/', L'\\');
    return name;
}

ArchiveMember ReadEntry(const std::uint8_t* h)
{
    ArchiveMember m;
    m.versionMadeBy = Read16(h + 4);
    m.versionNeeded = Read16(h + 6);
    m.flags = Read16(h + 8);
    m.method = Read16(h + 10);
    m.time = Read16(h + 12);
    m.date = Read16(h + 14);
    m.crc = Read32(h + 16);
    m.compressedSize = Read32(h + 20);
    m.uncompressedSize = Read32(h + 24);
    m.nameLength = Read16(h + 28);
    m.extraLength = Read16(h + 30);
    m.commentLength = Read16(h + 32);
    m.diskNumberStart = Read16(h + 34);
    m.internalAttributes = Read16(h + 36);
    m.externalAttributes = Read32(h + 38);
    m.localHeaderOffset = Read32(h + 42);
    return m;
}

// The entries from `start`; the list ends early at an entry that does not
// lie wholly before `end` or lacks its signature, whatever count the end
// record claims.
void ReadMembers(Archive& archive, NameConverter& names, std::uint64_t start, std::uint64_t end, unsigned count)
{
    DirectoryReader reader(*archive.file, end);
    std::uint64_t position = start;
    for (unsigned i = 0; i < count; ++i) {
        const std::uint8_t* header = reader.At(position, CentralHeaderSize);
        if (!header || Read32(header) != CentralHeaderSignature)
            return;
        ArchiveMember member = ReadEntry(header);
        const std::uint8_t* name = reader.At(position + CentralHeaderSize, member.nameLength);
        if (!name)
            return;
        member.name = ConvertName(names, std::string_view(reinterpret_cast<const char*>(name), member.nameLength));
        position += CentralHeaderSize + member.nameLength + member.extraLength + member.commentLength;
        archive.members.push_back(std::move(member));
    }
}

}  // namespace

bool OpenArchive(Archive& archive, std::unique_ptr<ByteSource> source, NameConverter& names)
{
    archive.members.clear();
    archive.file.reset();
    archive.offsetAdjustment = 0;
    archive.errorState = 0;
    std::uint64_t size = 0;
    if (!source || !source->Size(size) || size <= 21)
        return false;
    std::uint64_t endPosition = 0;
    std::uint8_t record[EndRecordSize];
    if (!FindEndRecord(*source, size, endPosition) ||
        source->ReadAt(endPosition, record, EndRecordSize) != EndRecordSize)
        return false;
    archive.file = std::move(source);

    const std::uint16_t disk = Read16(record + 4);
    const std::uint16_t entries = Read16(record + 10);
    const std::uint64_t directorySize = Read32(record + 12);
    const std::uint64_t directoryOffset = Read32(record + 16);
    if (disk != 0) {
        archive.errorState = ArchiveErrorMultiDisk;
        if (directorySize != 0)
            ReadMembers(archive, names, directoryOffset, endPosition, entries);
        return true;
    }
    if (directorySize == 0)
        return true;
    if (endPosition < directoryOffset + directorySize)
        return true;
    archive.offsetAdjustment = endPosition - directorySize - directoryOffset;
    const std::uint64_t start = directoryOffset + archive.offsetAdjustment;
    ReadMembers(archive, names, start, start + directorySize, entries);
    return true;
}
