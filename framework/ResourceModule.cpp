#include "framework/ResourceModule.h"

#include <algorithm>
#include <atomic>
#include <iterator>

namespace {

std::atomic<HINSTANCE> resourceModule{nullptr};

bool IsFile(const wchar_t* path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

HINSTANCE ResourceModule() noexcept
{
    HINSTANCE module = resourceModule.load(std::memory_order_acquire);
    return module ? module : GetModuleHandleW(nullptr);
}

void SetResourceModule(HINSTANCE module) noexcept
{
    resourceModule.store(module, std::memory_order_release);
}

String ModuleFileName(HMODULE module)
{
    String path;
    // GetModuleFileNameW cuts silently; a result that fills the buffer may
    // have been cut, so try again with a larger one.
    for (int room = MAX_PATH;; room *= 2) {
        wchar_t* buffer = path.Reserve(room);
        DWORD length = GetModuleFileNameW(module, buffer, static_cast<DWORD>(room));
        if (length == 0) {
            path.Clear();
            break;
        }
        if (length < static_cast<DWORD>(room)) {
            path.Commit(static_cast<int>(length));
            break;
        }
        if (room >= 0x8000) {
            path.Clear();
            break;
        }
    }
    return path;
}

String LocalizedResourceFileName(const wchar_t* executablePath, LANGID language)
{
    String path(executablePath ? executablePath : L"");
    int nameStart = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/')) + 1;
    int dot = path.ReverseFind(L'.');
    String base = dot >= nameStart ? path.Left(dot) : path;
    String suffix;
    suffix.FormatText(L".%04X.dll", static_cast<unsigned>(language));
    return base + suffix;
}

StringArray LocalizedResourceCandidates(const wchar_t* executablePath, LANGID uiLanguage)
{
    const LANGID languages[] = {
        uiLanguage,
        MAKELANGID(PRIMARYLANGID(uiLanguage), SUBLANG_DEFAULT),
        MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
    };
    StringArray candidates;
    for (int i = 0; i < static_cast<int>(std::size(languages)); ++i) {
        bool repeated = false;
        for (int j = 0; j < i; ++j)
            repeated = repeated || languages[j] == languages[i];
        if (!repeated)
            candidates.Add(LocalizedResourceFileName(executablePath, languages[i]));
    }
    return candidates;
}

String FindLocalizedResourceFile(const wchar_t* executablePath, LANGID uiLanguage)
{
    for (const String& candidate : LocalizedResourceCandidates(executablePath, uiLanguage)) {
        if (IsFile(candidate))
            return candidate;
    }
    return String();
}

ModuleHandle LoadLocalizedResourceFile(const wchar_t* executablePath, LANGID uiLanguage)
{
    for (const String& candidate : LocalizedResourceCandidates(executablePath, uiLanguage)) {
        if (!IsFile(candidate))
            continue;
        ModuleHandle module(LoadLibraryExW(candidate, nullptr, LOAD_LIBRARY_AS_DATAFILE));
        if (module)
            return module;
    }
    return ModuleHandle();
}

ModuleHandle LoadLocalizedResourceFile()
{
    return LoadLocalizedResourceFile(ModuleFileName(nullptr), GetUserDefaultUILanguage());
}
