// Any bytes as a zip archive: the member list reads without a fault, and
// extracting or testing each member either fails cleanly or gives exactly the
// recorded size and CRC-32, never a file outside the destination and never an
// output left open.
#include "filemanager/archive/Extraction.h"
#include "filemanager/archive/NativeNames.h"
#include "filemanager/archive/testsupport/MemoryOutput.h"

#include <zlib.h>

#include <cstdlib>

namespace {

std::int64_t Seconds(std::tm& t)
{
    return ((t.tm_year * 400LL + t.tm_mon) * 31 + t.tm_mday) * 86400 + t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec;
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Archive archive;
    NativeNameConverter names;
    if (!OpenArchive(archive,
                     std::make_unique<MemoryByteSource>(std::string_view(reinterpret_cast<const char*>(data), size)),
                     names)) {
        Check(archive.members.empty() && !archive.file);
        return 0;
    }
    archive.password = L"secret";
    const std::wstring destination = L"\\out";
    for (std::size_t i = 0; i < archive.members.size(); ++i) {
        const ArchiveMember& member = archive.members[i];
        (void)FolderPart(member);
        (void)LeafName(member);
        (void)MemberFileTime(member, Seconds);
        (void)PasswordFits(archive, i, archive.password);

        (void)TestMembers(archive, i);

        MemoryOutputSink sink;
        const ExtractResult result = ExtractMembers(archive, destination, i, sink);
        Check(sink.openOutputs == 0);
        for (const auto& [path, bytes] : sink.files) {
            Check(path.compare(0, destination.size() + 1, destination + L"\\") == 0);
            Check(result == ExtractResult::Success && bytes.size() == member.uncompressedSize);
            Check(crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())) ==
                  member.crc);
        }
        if (result == ExtractResult::Success && !IsFolder(member))
            Check(sink.files.size() == 1);
    }
    return 0;
}
