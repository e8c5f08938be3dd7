#include "filemanager/TextFinder.h"

#include "platform/Handles.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

TextFinder::TextFinder(const String& text)
    : m_text(text), m_textLength(text.Length()),
      m_window(static_cast<size_t>(std::max(m_textLength - 1, 0) + BlockSize))
{
}

bool TextFinder::SearchBlock(const char* bytes, int count)
{
    // Every byte becomes a character, a zero byte too: text after a zero in
    // a block is searched like any other.
    wchar_t* block = m_window.data() + m_kept;
    const int widened = count > 0 ? MultiByteToWideChar(CP_ACP, 0, bytes, count, block, BlockSize) : 0;
    const int length = m_kept + widened;
    const std::wstring_view window(m_window.data(), static_cast<size_t>(length));
    if (window.find(std::wstring_view(m_text.Chars(), static_cast<size_t>(m_textLength))) != std::wstring_view::npos)
        return true;
    // A match that begins in this window and ends in the next block starts
    // within its last text length - 1 characters.
    const int keep = std::min(length, m_textLength - 1);
    std::copy(m_window.data() + length - keep, m_window.data() + length, m_window.data());
    m_kept = keep;
    return false;
}

bool TextFinder::BytesContain(const char* bytes, size_t count)
{
    Reset();
    if (m_textLength == 0)
        return true;
    for (size_t done = 0; done < count;) {
        const int block = static_cast<int>(std::min<size_t>(BlockSize, count - done));
        if (SearchBlock(bytes + done, block))
            return true;
        done += static_cast<size_t>(block);
    }
    return false;
}

bool TextFinder::FileContains(const wchar_t* fileSystemPath, const std::atomic<bool>* stop)
{
    vellumate::FileHandle file(CreateFileW(fileSystemPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return false;
    Reset();
    if (m_textLength == 0)
        return true;
    // Several blocks per read: fewer calls into the file system, the same
    // blocks searched.
    char bytes[BlockSize * BlocksPerRead];
    for (;;) {
        if (stop && stop->load(std::memory_order_relaxed))
            return false;
        DWORD read = 0;
        if (!ReadFile(file.Get(), bytes, sizeof bytes, &read, nullptr) || read == 0)
            return false;
        for (DWORD done = 0; done < read; done += BlockSize) {
            if (SearchBlock(bytes + done, static_cast<int>(std::min<DWORD>(BlockSize, read - done))))
                return true;
        }
    }
}
