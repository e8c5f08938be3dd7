// The extraction and test engine. Each member's data is located through its
// local header, checked to lie inside the archive, decrypted and inflated
// (or copied) in rounds of at most 128 KiB of output, and written through
// the sink; the output is committed under its name only when the size and
// the CRC-32 are right, so a damaged member never leaves a file behind.
#include "filemanager/archive/Extraction.h"

#include "filemanager/archive/ZipCrypto.h"
#include "filemanager/archive/ZipFormat.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>

using namespace zipformat;

namespace {

constexpr std::size_t OutputRound = 0x20000;
constexpr std::size_t InputBlock = 0x10000;
// The zlib interface the engine is written against; any zlib 1.x takes it.
constexpr const char* ZlibInterfaceVersion = "1.1.3";

enum class Mode { Extract, Test };

// Where a member's data lies in the archive, its encryption header included.
struct DataSpan {
    std::uint64_t start = 0;
    std::uint64_t length = 0;
};

// The member's data span, from its local header; nothing when the header or
// the data would lie outside the archive (a truncated or lying archive).
std::optional<DataSpan> LocateData(Archive& archive, const ArchiveMember& member)
{
    std::uint64_t size = 0;
    if (!archive.file->Size(size))
        return std::nullopt;
    const std::uint64_t header = member.localHeaderOffset + archive.offsetAdjustment;
    std::uint8_t local[LocalHeaderSize];
    if (header > size || archive.file->ReadAt(header, local, LocalHeaderSize) != LocalHeaderSize ||
        Read32(local) != LocalHeaderSignature)
        return std::nullopt;
    DataSpan span;
    span.start = header + LocalHeaderSize + Read16(local + 26) + Read16(local + 28);
    span.length = member.compressedSize;
    if (span.start > size || span.length > size - span.start)
        return std::nullopt;
    return span;
}

// The member's compressed bytes in order, decrypted when a key set is given.
class MemberInput {
public:
    MemberInput(ByteSource& source, DataSpan span, ZipCrypto* crypto) noexcept
        : m_source(source), m_position(span.start), m_remaining(span.length), m_crypto(crypto)
    {
    }

    // Up to `count` next bytes; 0 at the end or when the archive cannot be
    // read (then Failed).
    std::size_t Read(std::uint8_t* data, std::size_t count)
    {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(count, m_remaining));
        if (want == 0)
            return 0;
        const std::size_t got = m_source.ReadAt(m_position, data, want);
        if (got == 0) {
            m_failed = true;
            return 0;
        }
        if (m_crypto)
            m_crypto->Decrypt(data, got);
        m_position += got;
        m_remaining -= got;
        return got;
    }

    bool Exhausted() const noexcept { return m_remaining == 0; }
    bool Failed() const noexcept { return m_failed; }

private:
    ByteSource& m_source;
    std::uint64_t m_position;
    std::uint64_t m_remaining;
    ZipCrypto* m_crypto;
    bool m_failed = false;
};

// How a round of output ended.
enum class Round { Full, End, Truncated, Damaged, NoMemory };

// Produces a member's plain bytes, round by round.
class Producer {
public:
    virtual ~Producer() = default;
    // Fills up to `limit` bytes of `out`; `got` tells how many.
    virtual Round Produce(std::uint8_t* out, std::size_t limit, std::size_t& got) = 0;
};

class StoredProducer final : public Producer {
public:
    StoredProducer(MemberInput& input, std::uint8_t* buffer, std::size_t block)
        : m_input(input), m_buffer(buffer), m_block(block)
    {
    }

    Round Produce(std::uint8_t* out, std::size_t limit, std::size_t& got) override
    {
        got = 0;
        while (got < limit) {
            if (m_used == m_filled) {
                m_filled = m_input.Read(m_buffer, m_block);
                m_used = 0;
                if (m_filled == 0)
                    return m_input.Failed() ? Round::Truncated : Round::End;
            }
            const std::size_t n = std::min(limit - got, m_filled - m_used);
            std::memcpy(out + got, m_buffer + m_used, n);
            got += n;
            m_used += n;
        }
        return Round::Full;
    }

private:
    MemberInput& m_input;
    std::uint8_t* m_buffer;
    std::size_t m_block;
    std::size_t m_filled = 0;
    std::size_t m_used = 0;
};

class InflateProducer final : public Producer {
public:
    InflateProducer(MemberInput& input, std::uint8_t* buffer, std::size_t block)
        : m_input(input), m_buffer(buffer), m_block(block)
    {
    }
    ~InflateProducer() override
    {
        if (m_open)
            inflateEnd(&m_stream);
    }
    InflateProducer(const InflateProducer&) = delete;
    InflateProducer& operator=(const InflateProducer&) = delete;

    // false when zlib cannot set up the inflater (out of memory).
    bool Start()
    {
        // Raw deflate: zip members carry no zlib header.
        m_open = inflateInit2_(&m_stream, -MAX_WBITS, ZlibInterfaceVersion, sizeof m_stream) == Z_OK;
        return m_open;
    }

    Round Produce(std::uint8_t* out, std::size_t limit, std::size_t& got) override
    {
        got = 0;
        if (m_ended)
            return Round::End;
        m_stream.next_out = out;
        m_stream.avail_out = static_cast<uInt>(limit);
        Round result = Round::Full;
        while (m_stream.avail_out > 0) {
            if (m_stream.avail_in == 0) {
                m_stream.next_in = m_buffer;
                m_stream.avail_in = static_cast<uInt>(m_input.Read(m_buffer, m_block));
                if (m_input.Failed()) {
                    result = Round::Truncated;
                    break;
                }
            }
            const int status = inflate(&m_stream, Z_SYNC_FLUSH);
            if (status == Z_STREAM_END) {
                m_ended = true;
                result = Round::End;
                break;
            }
            if (status == Z_MEM_ERROR) {
                result = Round::NoMemory;
                break;
            }
            if (status == Z_BUF_ERROR && m_stream.avail_in == 0 && m_input.Exhausted()) {
                // The data ended before the stream did.
                result = Round::Truncated;
                break;
            }
            // A stall with input left cannot come from sound data; without
            // this the loop would spin.
            if (status != Z_OK && (status != Z_BUF_ERROR || m_stream.avail_in > 0)) {
                result = Round::Damaged;
                break;
            }
        }
        got = limit - m_stream.avail_out;
        return result;
    }

private:
    MemberInput& m_input;
    std::uint8_t* m_buffer;
    std::size_t m_block;
    z_stream m_stream{};
    bool m_open = false;
    bool m_ended = false;
};

// The engine's buffers: one round of output and the inflater's input. They
// are had when a member first needs them and kept for the rest of the job,
// no larger than its members need: a member's rounds never exceed its
// recorded size and the byte past it, nor its reads its data, so a job of
// small members does without the full 128 KiB and 64 KiB.
class Buffers {
public:
    // Room for `output` bytes of a round and `input` bytes of a read (each
    // capped at the full size); false when that cannot be had.
    bool Reserve(std::uint64_t output, std::uint64_t input)
    {
        return Grow(m_output, m_outputSize, std::min<std::uint64_t>(output, OutputRound)) &&
               Grow(m_input, m_inputSize, std::min<std::uint64_t>(input, InputBlock));
    }
    std::uint8_t* Output() const noexcept { return m_output.get(); }
    std::uint8_t* Input() const noexcept { return m_input.get(); }
    std::size_t InputSize() const noexcept { return m_inputSize; }

private:
    static bool Grow(std::unique_ptr<std::uint8_t[]>& buffer, std::size_t& size, std::uint64_t need)
    {
        const std::size_t wanted = static_cast<std::size_t>(std::max<std::uint64_t>(need, 1));
        if (buffer && size >= wanted)
            return true;
        buffer.reset(new (std::nothrow) std::uint8_t[wanted]);
        size = buffer ? wanted : 0;
        return buffer != nullptr;
    }

    std::unique_ptr<std::uint8_t[]> m_output;
    std::unique_ptr<std::uint8_t[]> m_input;
    std::size_t m_outputSize = 0;
    std::size_t m_inputSize = 0;
};

// Checks the password against the member's encryption header, leaving the
// keys ready for its data.
ExtractResult OpenEncryption(Archive& archive, const ArchiveMember& member, DataSpan& span,
                             const std::wstring& password, std::optional<ZipCrypto>& crypto)
{
    if (password.empty())
        return ExtractResult::PasswordNeeded;
    if (span.length < ZipCrypto::HeaderSize)
        return ExtractResult::CorruptData;
    std::uint8_t header[ZipCrypto::HeaderSize];
    if (archive.file->ReadAt(span.start, header, sizeof header) != sizeof header)
        return ExtractResult::CorruptData;
    crypto.emplace(password);
    crypto->Decrypt(header, sizeof header);
    if (header[ZipCrypto::HeaderSize - 1] != EncryptionCheckByte(member.flags, member.time, member.crc))
        return ExtractResult::PasswordNeeded;
    span.start += ZipCrypto::HeaderSize;
    span.length -= ZipCrypto::HeaderSize;
    return ExtractResult::Success;
}

ExtractResult FolderEntry(Archive& archive, const ArchiveMember& member, const std::wstring& destination, Mode mode,
                          OutputSink* output)
{
    if (mode == Mode::Test) {
        const bool emptyEncrypted =
            IsEncrypted(member) && member.compressedSize == ZipCrypto::HeaderSize && member.uncompressedSize == 0;
        if ((member.compressedSize != 0 || member.uncompressedSize != 0) && !emptyEncrypted)
            return ExtractResult::FolderWithData;
        return ExtractResult::Success;
    }
    std::wstring name = member.name;
    if (!name.empty() && name.back() == L'\\')
        name.pop_back();
    return output->MakeFolders(MemberPath(destination, name)) ? ExtractResult::Success : ExtractResult::CannotCreate;
}

ExtractResult FileEntry(Archive& archive, const ArchiveMember& member, const std::wstring& destination, Mode mode,
                        OutputSink* output, Buffers& buffers)
{
    std::optional<DataSpan> span = LocateData(archive, member);
    if (!span)
        return ExtractResult::CorruptData;
    std::optional<ZipCrypto> crypto;
    if (IsEncrypted(member)) {
        const ExtractResult opened = OpenEncryption(archive, member, *span, archive.password, crypto);
        if (opened != ExtractResult::Success)
            return opened;
        std::copy(crypto->Keys(), crypto->Keys() + 3, archive.keys);
    }

    // Production stops one byte past the recorded size: that byte proves the
    // member too long without inflating a bomb to its end.
    const std::uint64_t ceiling = static_cast<std::uint64_t>(member.uncompressedSize) + 1;
    if (!buffers.Reserve(ceiling, span->length))
        return ExtractResult::OutOfMemory;
    MemberInput input(*archive.file, *span, crypto ? &*crypto : nullptr);
    StoredProducer stored(input, buffers.Input(), buffers.InputSize());
    InflateProducer inflater(input, buffers.Input(), buffers.InputSize());
    Producer* producer = &stored;
    if (member.method != 0) {
        if (!inflater.Start())
            return ExtractResult::OutOfMemory;
        producer = &inflater;
    }

    std::unique_ptr<OutputFile> file;
    if (mode == Mode::Extract) {
        const std::wstring folder = FolderPart(member);
        if (!folder.empty() && !output->MakeFolders(MemberPath(destination, folder)))
            return ExtractResult::CannotCreate;
        file = output->Create(MemberPath(destination, member.name));
        if (!file)
            return ExtractResult::CannotCreate;
    }

    std::uint64_t produced = 0;
    uLong crc = crc32(0, nullptr, 0);
    Round round = Round::Full;
    do {
        if (archive.cancel.load())
            return ExtractResult::Cancelled;
        if ((file && !file->StillExists()) || !archive.file->StillExists())
            return ExtractResult::Vanished;
        const std::size_t limit = static_cast<std::size_t>(std::min<std::uint64_t>(OutputRound, ceiling - produced));
        std::size_t got = 0;
        round = producer->Produce(buffers.Output(), limit, got);
        if (round == Round::NoMemory)
            return ExtractResult::OutOfMemory;
        if (round == Round::Damaged)
            return ExtractResult::CorruptData;
        produced += got;
        if (produced > member.uncompressedSize)
            return mode == Mode::Test ? ExtractResult::SizeMismatch : ExtractResult::CorruptData;
        crc = crc32(crc, buffers.Output(), static_cast<uInt>(got));
        if (archive.progress)
            archive.progress(static_cast<std::uint32_t>(got));
        if (file && got > 0 && !file->Write(buffers.Output(), got))
            return ExtractResult::WriteFailed;
        if (got < OutputRound && round == Round::Full)
            round = Round::End;  // the recorded size was reached exactly
    } while (round == Round::Full);

    if (produced != member.uncompressedSize)
        return mode == Mode::Test ? ExtractResult::SizeMismatch : ExtractResult::CorruptData;
    // A deflate stream that stops short of its end is damaged even when the
    // bytes so far add up; an empty member may have no stream at all.
    const bool emptyWithoutStream = round == Round::Truncated && span->length == 0 && !input.Failed();
    if ((round == Round::Truncated && !emptyWithoutStream) || static_cast<std::uint32_t>(crc) != member.crc)
        return ExtractResult::CorruptData;
    if (file && !file->Commit())
        return ExtractResult::CannotCreate;
    return ExtractResult::Success;
}

ExtractResult RunMember(Archive& archive, std::size_t index, const std::wstring& destination, Mode mode,
                        OutputSink* output, Buffers& buffers)
{
    const ArchiveMember& member = archive.members[index];
    if (mode == Mode::Extract && !IsSafeMemberName(member.name))
        return ExtractResult::UnsafeName;
    if (IsFolder(member))
        return FolderEntry(archive, member, destination, mode, output);
    return FileEntry(archive, member, destination, mode, output, buffers);
}

ExtractResult RunJob(Archive& archive, const std::wstring& destination, std::size_t member, Mode mode,
                     OutputSink* output, std::size_t* failedMember)
{
    if (failedMember)
        *failedMember = AllMembers;
    if (!archive.file)
        return ExtractResult::Vanished;
    if (member != AllMembers && member >= archive.members.size())
        return ExtractResult::NoSuchMember;
    if (mode == Mode::Extract && !output->MakeFolders(destination.empty() ? L"\\" : destination))
        return ExtractResult::CannotCreate;
    Buffers buffers;
    const std::size_t first = member == AllMembers ? 0 : member;
    const std::size_t end = member == AllMembers ? archive.members.size() : member + 1;
    for (std::size_t i = first; i < end; ++i) {
        const ExtractResult result = RunMember(archive, i, destination, mode, output, buffers);
        if (result != ExtractResult::Success) {
            if (failedMember)
                *failedMember = i;
            return result;
        }
    }
    return ExtractResult::Success;
}

}  // namespace

ExtractResult ExtractMembers(Archive& archive, const std::wstring& destination, std::size_t member, OutputSink& output,
                             std::size_t* failedMember)
{
    archive.destination = destination;
    return RunJob(archive, destination, member, Mode::Extract, &output, failedMember);
}

ExtractResult TestMembers(Archive& archive, std::size_t member, std::size_t* failedMember)
{
    return RunJob(archive, std::wstring(), member, Mode::Test, nullptr, failedMember);
}

bool PasswordFits(Archive& archive, std::size_t member, const std::wstring& password)
{
    if (!archive.file || member >= archive.members.size())
        return false;
    const ArchiveMember& m = archive.members[member];
    if (!IsEncrypted(m))
        return true;
    std::optional<DataSpan> span = LocateData(archive, m);
    std::optional<ZipCrypto> crypto;
    return span && OpenEncryption(archive, m, *span, password, crypto) == ExtractResult::Success;
}

std::wstring MemberPath(const std::wstring& destination, const std::wstring& name)
{
    if (destination.empty() || destination == L"\\")
        return L"\\" + name;
    if (destination.back() == L'\\')
        return destination + name;
    return destination + L"\\" + name;
}
