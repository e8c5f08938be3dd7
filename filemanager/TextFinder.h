// Looks for a text inside files, case-sensitive. A file is searched in 512-byte
// blocks, each taken as narrow text and widened. The end of one block is kept
// in front of the next, so a text that straddles two blocks is found too.
// No window code; one finder serves one search thread.
#pragma once

#include "framework/String.h"

#include <atomic>
#include <vector>

class TextFinder {
public:
    static constexpr int BlockSize = 512;
    static constexpr int BlocksPerRead = 8;

    // An empty text is found in every file that can be opened.
    explicit TextFinder(const String& text);

    // Whether the file (a file-system path) holds the text. False when it
    // cannot be opened or read, or when `stop` is set while it is read.
    bool FileContains(const wchar_t* fileSystemPath, const std::atomic<bool>* stop = nullptr);

    // The same search over bytes already in memory, block by block as a file
    // is read.
    bool BytesContain(const char* bytes, size_t count);

private:
    // Widens one block behind the characters kept from the previous one and
    // searches the whole; keeps the tail for the next block.
    bool SearchBlock(const char* bytes, int count);
    void Reset() noexcept { m_kept = 0; }

    String m_text;
    int m_textLength;
    // The kept tail (at most text length - 1 characters), then the widened block.
    std::vector<wchar_t> m_window;
    int m_kept = 0;
};
