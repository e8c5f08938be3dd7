#include "filemanager/archive/testsupport/ZipWriter.h"

#include "filemanager/archive/ZipCrypto.h"
#include "filemanager/archive/ZipFormat.h"

#include <zlib.h>

#include <stdexcept>

namespace {

void Put16(std::string& out, std::uint32_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::wstring Widen(const std::string& text)
{
    std::wstring wide;
    for (const char c : text)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
}

}  // namespace

std::string DeflateRaw(const std::string& data, int level)
{
    z_stream stream{};
    if (deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END)
        throw std::runtime_error("deflate");
    return out;
}

std::uint32_t Crc32Of(const std::string& data)
{
    return static_cast<std::uint32_t>(
        crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

void ZipWriter::AddFile(const std::string& name, const std::string& data, const ZipEntryOptions& options)
{
    Entry e;
    e.name = name;
    e.method = options.deflate ? 8 : 0;
    e.time = options.time;
    e.date = options.date;
    e.trueCrc = Crc32Of(data);
    e.trueUncompressed = static_cast<std::uint32_t>(data.size());
    e.dataDescriptor = options.dataDescriptor;
    if (options.dataDescriptor)
        e.flags |= 0x0008;
    e.payload = options.deflate ? DeflateRaw(data, options.level) : data;
    if (!options.password.empty()) {
        e.flags |= 0x0001;
        // The header's first eleven bytes are noise; a fixed seed per name
        // keeps the archive the same from run to run.
        std::string header(ZipCrypto::HeaderSize, '\0');
        std::uint32_t seed = Crc32Of(name) | 1;
        for (std::size_t i = 0; i + 1 < header.size(); ++i) {
            seed = seed * 1103515245u + 12345u;
            header[i] = static_cast<char>(seed >> 16);
        }
        header.back() = static_cast<char>(EncryptionCheckByte(e.flags, e.time, e.trueCrc));
        ZipCrypto crypto(Widen(options.password));
        std::string sealed = header + e.payload;
        crypto.Encrypt(reinterpret_cast<std::uint8_t*>(sealed.data()), sealed.size());
        e.payload = std::move(sealed);
    }
    e.crc = options.recordedCrc.value_or(e.trueCrc);
    e.uncompressedSize = options.recordedUncompressedSize.value_or(e.trueUncompressed);
    e.compressedSize = options.recordedCompressedSize.value_or(static_cast<std::uint32_t>(e.payload.size()));
    m_entries.push_back(std::move(e));
}

void ZipWriter::AddFolder(const std::string& name)
{
    Entry e;
    e.name = name.empty() || name.back() != '/' ? name + "/" : name;
    e.time = ZipEntryOptions{}.time;
    e.date = ZipEntryOptions{}.date;
    e.externalAttributes = 0x10;
    e.trueCrc = 0;
    m_entries.push_back(std::move(e));
}

std::string ZipWriter::Finish(ZipLayout* layout) const
{
    using namespace zipformat;
    std::string out = m_stub;
    std::vector<std::uint32_t> offsets;
    for (const Entry& e : m_entries) {
        // Offsets are recorded from the zip data's start, as a stub's
        // archive was made before the stub went in front.
        offsets.push_back(static_cast<std::uint32_t>(out.size() - m_stub.size()));
        if (layout)
            layout->localHeaders.push_back(out.size());
        Put32(out, LocalHeaderSignature);
        Put16(out, 20);
        Put16(out, e.flags);
        Put16(out, e.method);
        Put16(out, e.time);
        Put16(out, e.date);
        Put32(out, e.dataDescriptor ? 0 : e.crc);
        Put32(out, e.dataDescriptor ? 0 : e.compressedSize);
        Put32(out, e.dataDescriptor ? 0 : e.uncompressedSize);
        Put16(out, static_cast<std::uint32_t>(e.name.size()));
        Put16(out, 0);
        out += e.name;
        out += e.payload;
        if (e.dataDescriptor) {
            Put32(out, DataDescriptorSignature);
            Put32(out, e.crc);
            Put32(out, e.compressedSize);
            Put32(out, e.uncompressedSize);
        }
    }
    const std::size_t directory = out.size();
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& e = m_entries[i];
        Put32(out, CentralHeaderSignature);
        Put16(out, 20);  // made by: FAT attributes
        Put16(out, 20);
        Put16(out, e.flags);
        Put16(out, e.method);
        Put16(out, e.time);
        Put16(out, e.date);
        Put32(out, e.crc);
        Put32(out, e.compressedSize);
        Put32(out, e.uncompressedSize);
        Put16(out, static_cast<std::uint32_t>(e.name.size()));
        Put16(out, 0);
        Put16(out, 0);
        Put16(out, 0);
        Put16(out, 0);
        Put32(out, e.externalAttributes);
        Put32(out, offsets[i]);
        out += e.name;
    }
    const std::size_t end = out.size();
    const auto count = m_recordedCount.value_or(static_cast<std::uint16_t>(m_entries.size()));
    Put32(out, EndRecordSignature);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, count);
    Put16(out, count);
    Put32(out, static_cast<std::uint32_t>(end - directory));
    Put32(out, static_cast<std::uint32_t>(directory - m_stub.size()));
    Put16(out, static_cast<std::uint32_t>(m_comment.size()));
    out += m_comment;
    if (layout) {
        layout->centralDirectory = directory;
        layout->endRecord = end;
    }
    return out;
}
