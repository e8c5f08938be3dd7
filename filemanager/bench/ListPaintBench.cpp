// Paints one full page of the list pane (7 rows, 176 x 140 pixels) into a
// memory DC, as the pane's off-screen bitmap is painted: the first painting
// of freshly read rows, which fetches each row's shell icon and size text,
// and a repaint of the same rows from the cache. A page must paint well
// within a key's repeat interval (about 30 ms) so that the selection keeps up
// with a held key.
#include "BenchSupport.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/FolderList.h"
#include "filemanager/ListPaint.h"

#include "platform/Handles.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int Width = 176;
constexpr int Height = 140;
constexpr int Files = 200;
constexpr int Rounds = 25;
constexpr double TargetMs = 30.0;

const wchar_t* const Extensions[] = {L"txt", L"jpg", L"wav", L"zip", L"doc", L"csv", L"png"};

// The median of `rounds` timed runs in milliseconds; `prepare` runs untimed
// before each.
double Median(const std::function<void()>& prepare, const std::function<void()>& run)
{
    std::vector<double> times;
    for (int i = 0; i < Rounds; ++i) {
        prepare();
        const double start = bench::Now();
        run();
        times.push_back(bench::Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A scratch device root with a folder of files of many types.
class ScratchRoot {
public:
    ScratchRoot()
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_root = std::wstring(temp) + L"tarnwell-bench-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_root.c_str(), nullptr);
        SetEnvironmentVariableW(L"VELLUMATE_ROOT", m_root.c_str());
        CreateDirectoryW(ToFileSystemPath(L"\\Files"), nullptr);
        for (int i = 0; i < Files; ++i) {
            wchar_t name[64];
            swprintf(name, 64, L"\\Files\\Document number %03d.%s", i, Extensions[i % std::size(Extensions)]);
            vellumate::FileHandle file(CreateFileW(ToFileSystemPath(name), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                   FILE_ATTRIBUTE_NORMAL, nullptr));
            SetFilePointer(file.Get(), i * 1000, nullptr, FILE_BEGIN);
            SetEndOfFile(file.Get());
        }
    }
    ~ScratchRoot()
    {
        for (int i = 0; i < Files; ++i) {
            wchar_t name[64];
            swprintf(name, 64, L"\\Files\\Document number %03d.%s", i, Extensions[i % std::size(Extensions)]);
            DeleteFileW(ToFileSystemPath(name));
        }
        RemoveDirectoryW(ToFileSystemPath(L"\\Files"));
        RemoveDirectoryW(m_root.c_str());
    }

private:
    std::wstring m_root;
};

}  // namespace

int wmain()
{
    ScratchRoot root;
    FolderList list;
    list.SetRowsPerPage(Height / ListRowHeight);
    ListPainter painter;
    painter.SetPreferences(0x3FD);

    vellumate::WindowDC screen(nullptr);
    vellumate::MemoryDCHandle dc(CreateCompatibleDC(screen.Get()));
    vellumate::BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), Width, Height));
    vellumate::SelectObjectScope selected(dc.Get(), bitmap.Get());
    const RECT area{0, 0, Width, Height};
    const int nameColumnEnd = Width - GetSystemMetrics(SM_CXVSCROLL) - 30;
    int page = 0;

    // Each first painting shows another page of a freshly read folder, so
    // that no icon comes from the shell's own cache of the last round.
    const double first = Median(
        [&] {
            list.ReadFolder(L"\\Files", nullptr);
            list.SortItems();
            painter.ClearIcons();
            list.SetTopRow((page++ * list.RowsPerPage()) % Files);
        },
        [&] { painter.Paint(dc.Get(), area, nameColumnEnd, list); });
    const double repaint = Median([] {}, [&] { painter.Paint(dc.Get(), area, nameColumnEnd, list); });

    std::printf("list page paint (%d rows, %dx%d): first %.2f ms (icons and sizes fetched), repaint %.2f ms "
                "(target < %.0f ms): %s\n",
                list.RowsPerPage(), Width, Height, first, repaint, TargetMs,
                first < TargetMs && repaint < TargetMs ? "ok" : "SLOW");
    return 0;
}
