// The engine over archives in memory: what it writes for sound members, and
// every way a member can fail, with what it leaves behind.
#include "filemanager/archive/Extraction.h"
#include "filemanager/archive/tests/ArchiveTestSupport.h"
#include "filemanager/archive/testsupport/MemoryOutput.h"
#include "filemanager/archive/testsupport/ZipWriter.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Bytes that deflate somewhat, as real files do.
std::string Text(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    static const char* const words[] = {"handset ", "archive ", "member ", "zip ", "vellum ", "\r\n"};
    std::string text;
    while (text.size() < size)
        text += words[random() % 6];
    text.resize(size);
    return text;
}

std::string Noise(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (auto& b : bytes)
        b = static_cast<char>(random());
    return bytes;
}

struct Opened {
    Archive archive;
    MemoryByteSource* source = nullptr;
    explicit Opened(const std::string& bytes) { EXPECT_TRUE(OpenBytes(archive, bytes, &source)); }
};

TEST(Extraction, WritesEveryKindOfMemberByteForByte)
{
    ZipEntryOptions stored;
    stored.deflate = false;
    ZipWriter writer;
    writer.SetStub(std::string(4096, 'S'));
    const std::string big = Text(700000, 1);         // several 128 KiB rounds
    const std::string storedBig = Noise(300000, 2);  // and stored ones
    writer.AddFolder("Books");
    writer.AddFile("Books/big.txt", big);
    writer.AddFile("Books/Deep/noise.bin", storedBig, stored);
    writer.AddFile("empty.txt", "", stored);
    writer.AddFile("empty deflated.txt", "");
    writer.AddFolder("Empty folder");
    writer.AddFile("round.bin", Text(0x20000, 3));  // exactly one round
    Opened o(writer.Finish());
    std::uint64_t progress = 0;
    o.archive.progress = [&](std::uint32_t bytes) { progress += bytes; };

    MemoryOutputSink sink;
    ASSERT_EQ(ExtractMembers(o.archive, L"\\My Documents\\Out", AllMembers, sink), ExtractResult::Success);
    EXPECT_EQ(o.archive.destination, L"\\My Documents\\Out");
    ASSERT_EQ(sink.files.size(), 5u);
    EXPECT_EQ(sink.files[L"\\My Documents\\Out\\Books\\big.txt"], big);
    EXPECT_EQ(sink.files[L"\\My Documents\\Out\\Books\\Deep\\noise.bin"], storedBig);
    EXPECT_EQ(sink.files[L"\\My Documents\\Out\\empty.txt"], "");
    EXPECT_EQ(sink.files[L"\\My Documents\\Out\\empty deflated.txt"], "");
    EXPECT_EQ(sink.files[L"\\My Documents\\Out\\round.bin"], Text(0x20000, 3));
    EXPECT_TRUE(sink.folders.count(L"\\My Documents\\Out\\Empty folder"));
    EXPECT_TRUE(sink.folders.count(L"\\My Documents\\Out\\Books\\Deep"));
    EXPECT_EQ(progress, big.size() + storedBig.size() + 0x20000);
    EXPECT_EQ(sink.openOutputs, 0);

    EXPECT_EQ(TestMembers(o.archive, AllMembers), ExtractResult::Success);

    // One member alone, into the root.
    MemoryOutputSink root;
    EXPECT_EQ(ExtractMembers(o.archive, L"", 6, root), ExtractResult::Success);
    EXPECT_EQ(root.files.size(), 1u);
    EXPECT_TRUE(root.files.count(L"\\round.bin"));
}

TEST(Extraction, EncryptedMembersNeedTheirPasswordBeforeAnythingIsWritten)
{
    ZipWriter writer;
    ZipEntryOptions secret;
    secret.password = "Tarn well";
    writer.AddFile("deflated.txt", Text(200000, 4), secret);
    secret.deflate = false;
    secret.dataDescriptor = true;
    writer.AddFile("stored.txt", "stored secret", secret);
    Opened o(writer.Finish());

    MemoryOutputSink sink;
    EXPECT_EQ(ExtractMembers(o.archive, L"\\x", 0, sink), ExtractResult::PasswordNeeded);
    o.archive.password = L"tarn well";
    EXPECT_FALSE(PasswordFits(o.archive, 0, o.archive.password));
    EXPECT_EQ(ExtractMembers(o.archive, L"\\x", AllMembers, sink), ExtractResult::PasswordNeeded);
    EXPECT_EQ(TestMembers(o.archive, 1), ExtractResult::PasswordNeeded);
    EXPECT_EQ(sink.createdOutputs, 0);

    EXPECT_TRUE(PasswordFits(o.archive, 0, L"Tarn well"));
    EXPECT_TRUE(PasswordFits(o.archive, 1, L"Tarn well"));
    o.archive.password = L"Tarn well";
    ASSERT_EQ(ExtractMembers(o.archive, L"\\x", AllMembers, sink), ExtractResult::Success);
    EXPECT_EQ(sink.files[L"\\x\\deflated.txt"], Text(200000, 4));
    EXPECT_EQ(sink.files[L"\\x\\stored.txt"], "stored secret");
    EXPECT_EQ(TestMembers(o.archive, AllMembers), ExtractResult::Success);
}

TEST(Extraction, DamagedDataIsReportedWithItsMemberAndLeavesNoFile)
{
    ZipWriter writer;
    writer.AddFile("good.txt", "fine");
    ZipEntryOptions wrongCrc;
    wrongCrc.recordedCrc = Crc32Of(Text(5000, 5)) ^ 1;
    writer.AddFile("bad crc.txt", Text(5000, 5), wrongCrc);
    ZipEntryOptions storedWrongCrc = wrongCrc;
    storedWrongCrc.deflate = false;
    writer.AddFile("bad stored.txt", Text(5000, 5), storedWrongCrc);
    Opened o(writer.Finish());

    std::size_t failed = 0;
    EXPECT_EQ(TestMembers(o.archive, AllMembers, &failed), ExtractResult::CorruptData);
    EXPECT_EQ(failed, 1u);
    EXPECT_EQ(TestMembers(o.archive, 2, &failed), ExtractResult::CorruptData);
    EXPECT_EQ(failed, 2u);

    MemoryOutputSink sink;
    sink.files[L"\\d\\bad crc.txt"] = "what was there";
    EXPECT_EQ(ExtractMembers(o.archive, L"\\d", AllMembers, sink, &failed), ExtractResult::CorruptData);
    EXPECT_EQ(failed, 1u);
    EXPECT_EQ(sink.files.size(), 2u);
    EXPECT_EQ(sink.files[L"\\d\\good.txt"], "fine");
    EXPECT_EQ(sink.files[L"\\d\\bad crc.txt"], "what was there");
    EXPECT_EQ(ExtractMembers(o.archive, L"\\d", 2, sink), ExtractResult::CorruptData);
    EXPECT_FALSE(sink.files.count(L"\\d\\bad stored.txt"));
    EXPECT_EQ(sink.openOutputs, 0);

    // Deflate data that is not deflate data.
    ZipLayout layout;
    ZipWriter garbage;
    garbage.AddFile("garbage", Text(5000, 6));
    std::string bytes = garbage.Finish(&layout);
    for (std::size_t i = 0; i < 40; ++i)
        bytes[layout.localHeaders[0] + 30 + 7 + i] = static_cast<char>(0xFF);
    Opened g(bytes);
    EXPECT_EQ(TestMembers(g.archive, 0), ExtractResult::CorruptData);
    EXPECT_EQ(ExtractMembers(g.archive, L"\\g", 0, sink), ExtractResult::CorruptData);
    EXPECT_FALSE(sink.files.count(L"\\g\\garbage"));
}

TEST(Extraction, AMemberLargerThanRecordedStopsThere)
{
    // 200 MB of zeros deflate to about 200 KB; the entry claims 10 bytes.
    ZipWriter writer;
    ZipEntryOptions lying;
    lying.recordedUncompressedSize = 10;
    lying.level = 9;
    writer.AddFile("bomb", std::string(200u << 20, '\0'), lying);
    ZipEntryOptions shorter;
    shorter.recordedUncompressedSize = 50000;
    writer.AddFile("short", Text(1000, 7), shorter);
    Opened o(writer.Finish());
    std::uint64_t produced = 0;
    o.archive.progress = [&](std::uint32_t bytes) { produced += bytes; };

    MemoryOutputSink sink;
    EXPECT_EQ(ExtractMembers(o.archive, L"\\b", 0, sink), ExtractResult::CorruptData);
    EXPECT_LE(produced, 11u);
    EXPECT_EQ(sink.files.size(), 0u);
    EXPECT_EQ(TestMembers(o.archive, 0), ExtractResult::SizeMismatch);
    // Shorter than recorded: a size mismatch too.
    EXPECT_EQ(TestMembers(o.archive, 1), ExtractResult::SizeMismatch);
    EXPECT_EQ(ExtractMembers(o.archive, L"\\b", 1, sink), ExtractResult::CorruptData);
    EXPECT_EQ(sink.files.size(), 0u);
}

TEST(Extraction, TruncatedAndOverlappingArchives)
{
    ZipWriter writer;
    writer.AddFile("one.txt", Text(100000, 8));
    writer.AddFile("two.txt", Text(100000, 9));
    ZipLayout layout;
    const std::string whole = writer.Finish(&layout);

    // Two entries sharing one member's data both read it; a third whose
    // local header lies past the file, and one whose data runs past it, are
    // damaged.
    std::string shared = whole;
    const std::uint64_t second = layout.centralDirectory + 46 + 7;
    for (int i = 0; i < 4; ++i)
        shared[second + 42 + i] = 0;  // "two.txt" starts where "one.txt" does
    for (int i = 16; i < 28; ++i)     // and records its CRC and sizes
        shared[second + i] = whole[layout.centralDirectory + i];
    Opened s(shared);
    MemoryOutputSink sink;
    ASSERT_EQ(ExtractMembers(s.archive, L"\\s", AllMembers, sink), ExtractResult::Success);
    EXPECT_EQ(sink.files[L"\\s\\two.txt"], Text(100000, 8));

    Opened beyond(whole);
    beyond.archive.members[1].localHeaderOffset = 0xFFFFFF00;
    EXPECT_EQ(TestMembers(beyond.archive, 1), ExtractResult::CorruptData);
    beyond.archive.members[1].localHeaderOffset = static_cast<std::uint32_t>(layout.localHeaders[1]);
    beyond.archive.members[1].compressedSize = 0x7FFFFFFF;
    EXPECT_EQ(ExtractMembers(beyond.archive, L"\\t", 1, sink), ExtractResult::CorruptData);
    EXPECT_EQ(sink.createdOutputs, 2);

    // The directory's offset moved: every recorded offset is then wrong.
    std::string moved = whole;
    moved[layout.endRecord + 16] = 3;
    moved[layout.endRecord + 17] = moved[layout.endRecord + 18] = moved[layout.endRecord + 19] = 0;
    Opened m(moved);
    ASSERT_EQ(m.archive.members.size(), 2u);
    EXPECT_EQ(TestMembers(m.archive, AllMembers), ExtractResult::CorruptData);
}

TEST(Extraction, ResultsOfJobsThatCannotGoOn)
{
    ZipWriter writer;
    writer.AddFile("big.txt", Text(1000000, 10));
    writer.AddFolder("with data");
    Opened o(writer.Finish());
    MemoryOutputSink sink;

    Archive closed;
    EXPECT_EQ(ExtractMembers(closed, L"\\a", AllMembers, sink), ExtractResult::Vanished);
    EXPECT_EQ(TestMembers(closed, AllMembers), ExtractResult::Vanished);
    EXPECT_EQ(ExtractMembers(o.archive, L"\\a", 2, sink), ExtractResult::NoSuchMember);
    EXPECT_EQ(TestMembers(o.archive, 99), ExtractResult::NoSuchMember);

    // A folder entry that claims data: only a test minds.
    o.archive.members[1].uncompressedSize = 5;
    EXPECT_EQ(TestMembers(o.archive, 1), ExtractResult::FolderWithData);
    EXPECT_EQ(ExtractMembers(o.archive, L"\\a", 1, sink), ExtractResult::Success);
    o.archive.members[1].uncompressedSize = 0;
    o.archive.members[1].compressedSize = 12;
    o.archive.members[1].flags = MemberFlagEncrypted;
    EXPECT_EQ(TestMembers(o.archive, 1), ExtractResult::Success);

    sink.refuseCreate = true;
    EXPECT_EQ(ExtractMembers(o.archive, L"\\a", 0, sink), ExtractResult::CannotCreate);
    sink.refuseCreate = false;

    sink.writeLimit = 300000;
    EXPECT_EQ(ExtractMembers(o.archive, L"\\a", 0, sink), ExtractResult::WriteFailed);
    sink.writeLimit = static_cast<std::size_t>(-1);

    sink.vanishAfterWrites = 2;
    EXPECT_EQ(ExtractMembers(o.archive, L"\\a", 0, sink), ExtractResult::Vanished);
    sink.vanishAfterWrites = -1;

    int rounds = 0;
    o.archive.progress = [&](std::uint32_t) {
        if (++rounds == 3)
            o.source->Vanish();
    };
    EXPECT_EQ(ExtractMembers(o.archive, L"\\a", 0, sink), ExtractResult::Vanished);
    EXPECT_EQ(rounds, 3);

    Opened c(writer.Finish());
    rounds = 0;
    c.archive.progress = [&](std::uint32_t) {
        if (++rounds == 2)
            c.archive.cancel = true;
    };
    EXPECT_EQ(ExtractMembers(c.archive, L"\\a", AllMembers, sink), ExtractResult::Cancelled);
    EXPECT_EQ(TestMembers(c.archive, AllMembers), ExtractResult::Cancelled);
    EXPECT_EQ(rounds, 2);

    EXPECT_TRUE(sink.files.empty());
    EXPECT_EQ(sink.openOutputs, 0);
}

TEST(Extraction, NamesThatWouldLeaveTheDestinationAreRefused)
{
    ZipEntryOptions stored;
    stored.deflate = false;
    ZipWriter writer;
    writer.AddFile("fine/ok.txt", "ok", stored);
    for (const char* name :
         {"../escape.txt", "a/../../escape.txt", "/absolute.txt", "\\\\server\\share.txt", "C:/Windows/x.txt",
          "D:rel.txt", "ok.txt:stream", "dir/NUL", "com3.log", "tab\there.txt", "trailing./x", "..", "./.."})
        writer.AddFile(name, "evil", stored);
    Opened o(writer.Finish());
    ASSERT_EQ(o.archive.members.size(), 14u);

    MemoryOutputSink sink;
    EXPECT_EQ(ExtractMembers(o.archive, L"\\dest", 0, sink), ExtractResult::Success);
    for (std::size_t i = 1; i < o.archive.members.size(); ++i) {
        SCOPED_TRACE(i);
        std::size_t failed = 0;
        EXPECT_EQ(ExtractMembers(o.archive, L"\\dest", i, sink, &failed), ExtractResult::UnsafeName);
        EXPECT_EQ(failed, i);
    }
    EXPECT_EQ(ExtractMembers(o.archive, L"\\dest", AllMembers, sink), ExtractResult::UnsafeName);
    EXPECT_EQ(sink.createdOutputs, 2);
    ASSERT_EQ(sink.files.size(), 1u);
    EXPECT_EQ(sink.files.begin()->first, L"\\dest\\fine\\ok.txt");
    // Testing reads them without harm.
    EXPECT_EQ(TestMembers(o.archive, AllMembers), ExtractResult::Success);
}

}  // namespace
