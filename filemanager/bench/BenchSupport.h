// What Tarnwell's benchmarks share: a millisecond clock, medians, and a
// temporary device root of their own that they fill and remove again.
#pragma once

#include "framework/String.h"

#include <windows.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace bench {

// Milliseconds from the performance counter.
inline double Now()
{
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

inline double MedianOf(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times.empty() ? 0.0 : times[times.size() / 2];
}

// Removes a folder with everything in it.
inline void DeleteTree(const String& folder)
{
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(folder + L"\\*", &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring_view name(entry.cFileName);
            if (name == L"." || name == L"..")
                continue;
            const String path = folder + L"\\" + entry.cFileName;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path);
            else
                DeleteFileW(path);
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(folder);
}

// A fresh folder in the temporary folder, named after the benchmark and the
// process, made the device root (VELLUMATE_ROOT) while it lives.
class BenchRoot {
public:
    explicit BenchRoot(const wchar_t* name)
    {
        wchar_t temp[MAX_PATH + 1];
        const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
        if (length == 0 || length > MAX_PATH)
            return;
        String root(temp, static_cast<int>(length));
        root.TrimRight(L'\\');
        String unique;
        unique.FormatText(L"\\vellumate-%s-%lu", name, GetCurrentProcessId());
        root += unique;
        if (CreateDirectoryW(root, nullptr) && SetEnvironmentVariableW(L"VELLUMATE_ROOT", root))
            m_path = root;
    }
    ~BenchRoot()
    {
        if (!m_path.IsEmpty())
            DeleteTree(m_path);
    }
    BenchRoot(const BenchRoot&) = delete;
    BenchRoot& operator=(const BenchRoot&) = delete;

    // Empty when it could not be made.
    const String& Path() const noexcept { return m_path; }

private:
    String m_path;
};

}  // namespace bench
