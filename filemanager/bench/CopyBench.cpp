// The copy engine against bare platform copies of the same data, measured
// side by side in alternating rounds (medians): one 200 MB file against one
// CopyFileW (target: at least 0.9 times its speed), a folder of 10,000 small
// files against a bare recursive CopyFileW loop (target: at most 1.5 times
// its time), and how soon a cancel stops a large copy (target: 100 ms).
#include "filemanager/CopyEngine.h"
#include "filemanager/DeviceFiles.h"
#include "framework/testsupport/BenchTiming.h"
#include "framework/testsupport/TempDevice.h"
#include "framework/testsupport/TempFolder.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

namespace {

constexpr int BigMegabytes = 200;
constexpr int SmallFiles = 10000;
constexpr DWORD SmallFileSize = 1024;
constexpr int Rounds = 5;

// The engine's listener, as cheap as the dialog's: it only counts.
class QuietProgress : public CopyProgress {
public:
    void SetRange(int) override {}
    void Advance(int steps) override { m_steps.fetch_add(steps); }
    void ShowPaths(const String&, const String&) override {}
    OverwriteAnswer AskOverwrite(const OverwriteQuestion&) override { return OverwriteAnswer::ReplaceAll; }
    void ReportError(UINT message, UINT, const String& argument) override
    {
        std::wprintf(L"  engine error %u: %ls\n", message, argument.Chars());
    }

private:
    std::atomic<int> m_steps{0};
};

bool WriteFileOfSize(const String& path, DWORD size, char fill)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::vector<char> block(size < (1u << 20) ? size : (1u << 20), fill);
    bool ok = true;
    for (DWORD done = 0; ok && done < size;) {
        const DWORD chunk = std::min<DWORD>(static_cast<DWORD>(block.size()), size - done);
        for (DWORD i = 0; i < chunk; i += 4096)
            block[i] = static_cast<char>(done + i);  // not all one byte
        DWORD written = 0;
        ok = WriteFile(file, block.data(), chunk, &written, nullptr) && written == chunk;
        done += chunk;
    }
    CloseHandle(file);
    return ok;
}

// The bare recursive copy the engine is measured against.
void BareCopyTree(const String& from, const String& to)
{
    CreateDirectoryW(to, nullptr);
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(from + L"\\*", &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const String name(entry.cFileName);
        if (name == L"." || name == L"..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            BareCopyTree(from + L"\\" + name, to + L"\\" + name);
        else
            CopyFileW(from + L"\\" + name, to + L"\\" + name, FALSE);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

double EngineCopy(const wchar_t* sourceFolder, const wchar_t* destinationFolder, CopyItem item)
{
    CopyJob job;
    job.sourceFolder = sourceFolder;
    job.destinationFolder = destinationFolder;
    job.items = {item};
    job.askBeforeReplacing = false;
    QuietProgress progress;
    const double start = vellumate::bench::NowMs();
    CopyEngine(job, progress).Run();
    return vellumate::bench::NowMs() - start;
}

double Timed(const std::function<void()>& run)
{
    const double start = vellumate::bench::NowMs();
    run();
    return vellumate::bench::NowMs() - start;
}

// Runs the two in alternating order each round; their median times.
std::pair<double, double> SideBySide(const std::function<double()>& bare, const std::function<double()>& engine,
                                     const std::function<void()>& cleanUp)
{
    std::vector<double> bareTimes, engineTimes;
    for (int round = 0; round < Rounds; ++round) {
        if (round % 2 == 0) {
            bareTimes.push_back(bare());
            cleanUp();
            engineTimes.push_back(engine());
            cleanUp();
        } else {
            engineTimes.push_back(engine());
            cleanUp();
            bareTimes.push_back(bare());
            cleanUp();
        }
    }
    return {vellumate::bench::Median(bareTimes), vellumate::bench::Median(engineTimes)};
}

}  // namespace

int wmain()
{
    // The results appear as they come, also when the output is a pipe.
    setvbuf(stdout, nullptr, _IONBF, 0);
    // A device with room for everything: the engine respects the store's free space.
    const vellumate::TempDevice device("[store]\nsize=4294967295\nfree=4294967295\n");
    const String root(device.Root().c_str());
    const String big = root + L"\\Big";
    const String out = root + L"\\Out";
    const String small = root + L"\\Small";
    CreateDirectoryW(big, nullptr);
    CreateDirectoryW(out, nullptr);
    CreateDirectoryW(small, nullptr);
    CreateDirectoryW(small + L"\\Files", nullptr);

    std::wprintf(L"creating a %d MB file and %d files of %lu bytes...\n", BigMegabytes, SmallFiles, SmallFileSize);
    bool made = WriteFileOfSize(big + L"\\big.bin", static_cast<DWORD>(BigMegabytes) << 20, 'b');
    for (int i = 0; made && i < SmallFiles; ++i) {
        String name;
        name.FormatText(L"\\Files\\file %05d.txt", i);
        made = WriteFileOfSize(small + name, SmallFileSize, 's');
    }
    if (!made) {
        std::wprintf(L"could not create the files\n");
        return 1;
    }

    // ---- one large file ---------------------------------------------------------------
    const auto [bareBig, engineBig] =
        SideBySide([&] { return Timed([&] { CopyFileW(big + L"\\big.bin", out + L"\\big.bin", FALSE); }); },
                   [&] {
                       return EngineCopy(L"\\Big", L"\\Out", {L"big.bin", false});
                   },
                   [&] { DeleteFileW(out + L"\\big.bin"); });
    const double bigSpeed = bareBig / engineBig;
    std::wprintf(L"one %d MB file: CopyFileW %.0f ms, engine %.0f ms: engine speed %.2fx CopyFileW (target >= 0.9)\n",
                 BigMegabytes, bareBig, engineBig, bigSpeed);

    // ---- many small files -----------------------------------------------------------------
    const auto [bareSmall, engineSmall] =
        SideBySide([&] { return Timed([&] { BareCopyTree(small + L"\\Files", out + L"\\Files"); }); },
                   [&] {
                       return EngineCopy(L"\\Small", L"\\Out", {L"Files", true});
                   },
                   [&] { vellumate::RemoveFolderTree((out + L"\\Files").Chars()); });
    const double smallRatio = engineSmall / bareSmall;
    std::wprintf(L"%d small files: bare loop %.0f ms, engine %.0f ms: engine time %.2fx the loop (target <= 1.5)\n",
                 SmallFiles, bareSmall, engineSmall, smallRatio);

    // ---- cancelling a large copy --------------------------------------------------------
    std::vector<double> stops;
    for (int round = 0; round < 3; ++round) {
        CopyJob job;
        job.sourceFolder = L"\\Big";
        job.destinationFolder = L"\\Out";
        job.items = {{L"big.bin", false}};
        QuietProgress progress;
        std::atomic<double> cancelledAt{0};
        std::thread canceller([&] {
            Sleep(100);
            cancelledAt.store(vellumate::bench::NowMs());
            job.cancel.store(true);
        });
        CopyEngine(job, progress).Run();
        const double ended = vellumate::bench::NowMs();
        canceller.join();
        if (cancelledAt.load() == 0 || ended < cancelledAt.load())
            std::wprintf(L"  the copy ended before the cancel\n");
        stops.push_back(cancelledAt.load() > 0 ? ended - cancelledAt.load() : 0);
        const bool left = GetFileAttributesW(out + L"\\big.bin") != INVALID_FILE_ATTRIBUTES;
        if (left)
            std::wprintf(L"  a cancelled copy left a destination file\n");
        vellumate::RemoveFolderTree(out.Chars());
        CreateDirectoryW(out, nullptr);
    }
    std::wprintf(L"cancel of a %d MB copy: stopped %.1f ms after the flag (median of 3, target <= 100)\n", BigMegabytes,
                 vellumate::bench::Median(stops));
    return 0;
}
