// Member names off the handset (native tests, the fuzz target, host tools):
// ASCII is the same in code page 950, anything else is refused there, and the
// ANSI fallback reads each byte as Latin-1.
#pragma once

#include "filemanager/archive/Archive.h"

class NativeNameConverter final : public NameConverter {
public:
    bool Convert(unsigned codePage, std::string_view bytes, std::wstring& text) override
    {
        text.clear();
        text.reserve(bytes.size());
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            if (codePage == Big5 && byte >= 0x80)
                return false;
            text.push_back(static_cast<wchar_t>(byte));
        }
        return true;
    }
};
