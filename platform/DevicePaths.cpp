#include "platform/DevicePaths.h"

#include "platform/ProfileSource.h"

#include <windows.h>

namespace vellumate {
namespace {

bool IsSeparator(wchar_t c) noexcept
{
    return c == L'\\' || c == L'/';
}

// The full Win32 form of a path, without length limit; empty on failure.
std::wstring FullPath(const std::wstring& path)
{
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0)
            return {};
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}

std::wstring_view TrimSeparators(std::wstring_view path) noexcept
{
    while (!path.empty() && IsSeparator(path.back()))
        path.remove_suffix(1);
    return path;
}

}  // namespace

std::wstring DeviceRoot()
{
    std::wstring root = EnvironmentText(RootVariable);
    if (root.empty()) {
        // The current drive's root, written out: the shell takes no
        // drive-relative paths, so "\x" alone would find no icon or type.
        root = FullPath(L"\\");
        return root.empty() ? L"\\" : root;
    }
    if (!IsSeparator(root.back()))
        root += L'\\';
    return root;
}

std::wstring ToDevicePath(std::wstring_view path)
{
    const bool handsetPath = !path.empty() && IsSeparator(path.front()) && !(path.size() > 1 && IsSeparator(path[1]));
    if (!handsetPath)
        return std::wstring(path);
    std::wstring mapped = DeviceRoot();
    path.remove_prefix(1);
    mapped += path;
    return mapped;
}

std::optional<std::wstring> PathBelowDeviceRoot(std::wstring_view path)
{
    const std::wstring full = FullPath(ToDevicePath(path));
    const std::wstring root = FullPath(DeviceRoot());
    if (full.empty() || root.empty())
        return std::nullopt;

    const std::wstring_view rootPart = TrimSeparators(root);
    const std::wstring_view fullPart = TrimSeparators(full);
    if (fullPart.size() < rootPart.size() || !SameName(fullPart.substr(0, rootPart.size()), rootPart))
        return std::nullopt;
    std::wstring_view below = fullPart.substr(rootPart.size());
    if (below.empty())
        return std::wstring();
    if (!IsSeparator(below.front()))
        return std::nullopt;  // "D:\Rooted" is not below "D:\Root"
    below.remove_prefix(1);
    return std::wstring(below);
}

std::wstring_view TopFolderOf(std::wstring_view pathBelowRoot) noexcept
{
    const std::size_t end = pathBelowRoot.find_first_of(L"\\/");
    return pathBelowRoot.substr(0, end);
}

bool IsFolder(const std::wstring& path) noexcept
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

const CardProfile* MountedCard(const DeviceProfile& profile, std::wstring_view name)
{
    if (name.empty())
        return nullptr;
    const CardProfile* card = profile.FindCard(name);
    if (!card || !card->inserted || !IsFolder(DeviceRoot() + std::wstring(name)))
        return nullptr;
    return card;
}

}  // namespace vellumate
