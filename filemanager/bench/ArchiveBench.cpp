// Extracting a 100 MB archive of mixed members (large and small, deflated
// and stored, in folders) with the engine against a bare inflate-and-write
// loop over the same members in the same process, in alternating rounds
// (medians; target: at least 0.9 times the bare loop's throughput). The
// archive and the engine's median are left in the bench folder, where
// `./vellumate bench` times the host's unzip on the same archive.
#include "filemanager/DeviceFiles.h"
#include "filemanager/archive/Extraction.h"
#include "filemanager/archive/Win32ArchiveFiles.h"
#include "filemanager/archive/testsupport/SampleData.h"
#include "filemanager/archive/testsupport/ZipWriter.h"
#include "framework/Paths.h"
#include "framework/testsupport/BenchTiming.h"
#include "framework/testsupport/TempDevice.h"
#include "framework/testsupport/TempFolder.h"

#include <windows.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

constexpr int Rounds = 3;

// About 100 MB: 30 deflated texts of 2 MB, 10 stored blocks of 2 MB, 1,000
// deflated texts of 20 KB spread over 10 folders.
std::string MixedArchive()
{
    ZipWriter writer;
    ZipEntryOptions stored;
    stored.deflate = false;
    for (int i = 0; i < 30; ++i)
        writer.AddFile("Large/text" + std::to_string(i) + ".txt", SampleText(2 << 20, i));
    for (int i = 0; i < 10; ++i)
        writer.AddFile("Stored/block" + std::to_string(i) + ".bin", SampleNoise(2 << 20, 100 + i), stored);
    for (int i = 0; i < 1000; ++i)
        writer.AddFile("Small/" + std::to_string(i % 10) + "/note" + std::to_string(i) + ".txt",
                       SampleText(20 << 10, 1000 + i));
    return writer.Finish();
}

// The baseline: each member's data found through its local header, inflated
// (or copied) in 128 KiB pieces and written; no checks, no temporary names.
bool BareExtract(const std::wstring& archivePath, const Archive& archive, const std::wstring& destination)
{
    HANDLE in = CreateFileW(archivePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (in == INVALID_HANDLE_VALUE)
        return false;
    std::vector<unsigned char> input(0x10000), output(0x20000);
    bool ok = true;
    for (const ArchiveMember& m : archive.members) {
        if (IsFolder(m))
            continue;
        const std::wstring folder = FolderPart(m);
        CreateFolderPath((destination + L"\\" + folder).c_str());
        unsigned char header[30];
        DWORD got = 0;
        LARGE_INTEGER at{};
        at.QuadPart = m.localHeaderOffset;
        SetFilePointerEx(in, at, nullptr, FILE_BEGIN);
        ReadFile(in, header, 30, &got, nullptr);
        at.QuadPart = m.localHeaderOffset + 30 + (header[26] | header[27] << 8) + (header[28] | header[29] << 8);
        SetFilePointerEx(in, at, nullptr, FILE_BEGIN);
        HANDLE out = CreateFileW((destination + L"\\" + m.name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (out == INVALID_HANDLE_VALUE)
            return false;
        z_stream z{};
        inflateInit2(&z, -MAX_WBITS);
        DWORD left = m.compressedSize;
        int status = Z_OK;
        while (ok && status != Z_STREAM_END) {
            if (z.avail_in == 0 && left > 0) {
                const DWORD want = left < input.size() ? left : static_cast<DWORD>(input.size());
                ReadFile(in, input.data(), want, &got, nullptr);
                left -= got;
                z.next_in = input.data();
                z.avail_in = got;
            }
            DWORD produced = 0;
            if (m.method == 0) {
                produced = z.avail_in;
                std::memcpy(output.data(), z.next_in, produced);
                z.avail_in = 0;
                if (left == 0)
                    status = Z_STREAM_END;
            } else {
                z.next_out = output.data();
                z.avail_out = static_cast<uInt>(output.size());
                status = inflate(&z, Z_SYNC_FLUSH);
                if (status != Z_OK && status != Z_STREAM_END)
                    ok = false;
                produced = static_cast<DWORD>(output.size() - z.avail_out);
            }
            DWORD written = 0;
            ok = ok && WriteFile(out, output.data(), produced, &written, nullptr) && written == produced;
        }
        inflateEnd(&z);
        CloseHandle(out);
    }
    CloseHandle(in);
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    const vellumate::TempDevice device;
    const std::wstring root = device.Root().wstring();
    std::wprintf(L"writing a mixed archive...\n");
    const std::string bytes = MixedArchive();
    device.MakeFolder(L"Archives");
    {
        std::ofstream file(device.Root() / L"Archives" / L"mixed.zip", std::ios::binary);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    Archive archive;
    if (!OpenArchiveFile(archive, L"\\Archives\\mixed.zip")) {
        std::wprintf(L"cannot open the archive\n");
        return 1;
    }
    std::uint64_t total = 0;
    for (const ArchiveMember& m : archive.members)
        total += m.uncompressedSize;
    std::wprintf(L"%zu members, %.1f MB in an archive of %.1f MB\n", archive.members.size(), total / 1048576.0,
                 bytes.size() / 1048576.0);

    Win32OutputSink sink;
    std::vector<double> engine, bare;
    bool ok = true;
    for (int round = 0; round < Rounds && ok; ++round) {
        vellumate::RemoveFolderTree(root + L"\\OutEngine");
        vellumate::RemoveFolderTree(root + L"\\OutBare");
        const vellumate::bench::Stopwatch first;
        ok = ExtractMembers(archive, L"\\OutEngine", AllMembers, sink) == ExtractResult::Success;
        engine.push_back(first.Milliseconds());
        const vellumate::bench::Stopwatch second;
        ok = ok && BareExtract(root + L"\\Archives\\mixed.zip", archive, root + L"\\OutBare");
        bare.push_back(second.Milliseconds());
    }
    if (!ok) {
        std::wprintf(L"extraction failed\n");
        return 1;
    }
    const double engineMs = vellumate::bench::Median(engine), bareMs = vellumate::bench::Median(bare);
    std::wprintf(L"engine %.0f ms (%.1f MB/s), bare inflate-and-write %.0f ms (%.1f MB/s)\n", engineMs,
                 total / 1048576.0 / (engineMs / 1000), bareMs, total / 1048576.0 / (bareMs / 1000));
    std::wprintf(L"engine throughput / bare loop: %.2fx (target >= 0.9x)\n", bareMs / engineMs);

    // For the host's unzip: the archive and the engine's median, when asked.
    if (argc > 1) {
        const std::wstring keep = argv[1];
        CopyFileW((root + L"\\Archives\\mixed.zip").c_str(), (keep + L".zip").c_str(), FALSE);
        std::ofstream(std::filesystem::path(keep + L".ms")) << static_cast<long>(engineMs) << "\n";
    }
    vellumate::RemoveFolderTree(root + L"\\OutEngine");
    vellumate::RemoveFolderTree(root + L"\\OutBare");
    return 0;
}
