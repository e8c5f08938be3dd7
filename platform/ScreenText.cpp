#include "platform/ScreenText.h"

#include "platform/Handles.h"

#include <cstring>
#include <map>
#include <mutex>

namespace vellumate {
namespace {

constexpr std::size_t MappingBytes = sizeof(ScreenTextHeader) + ScreenTextCapacity * sizeof(wchar_t);

struct Publication {
    KernelHandle mapping;
    MappedView view;

    ScreenTextHeader* Header() const noexcept { return static_cast<ScreenTextHeader*>(view.Get()); }
    wchar_t* Text() const noexcept { return reinterpret_cast<wchar_t*>(Header() + 1); }
};

// The mappings this process keeps open, one per publishing window. Windows may
// live on several threads, hence the lock.
class PublicationRegistry {
public:
    static PublicationRegistry& Instance()
    {
        static PublicationRegistry registry;
        return registry;
    }

    bool Publish(HWND window, std::wstring_view text)
    {
        std::lock_guard lock(m_mutex);
        auto found = m_publications.find(window);
        if (found == m_publications.end()) {
            Publication created;
            if (!Open(window, created))
                return false;
            found = m_publications.emplace(window, std::move(created)).first;
        }
        Write(found->second, text);
        return true;
    }

    void Withdraw(HWND window)
    {
        std::lock_guard lock(m_mutex);
        m_publications.erase(window);
    }

private:
    static bool Open(HWND window, Publication& publication)
    {
        const std::wstring name = ScreenTextMappingName(window);
        publication.mapping.Reset(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                       static_cast<DWORD>(MappingBytes), name.c_str()));
        if (!publication.mapping)
            return false;
        publication.view.Reset(::MapViewOfFile(publication.mapping.Get(), FILE_MAP_WRITE, 0, 0, MappingBytes));
        if (!publication.view)
            return false;
        ScreenTextHeader* header = publication.Header();
        header->magic = ScreenTextMagic;
        header->capacity = ScreenTextCapacity;
        return true;
    }

    static void Write(const Publication& publication, std::wstring_view text)
    {
        if (text.size() > ScreenTextCapacity) {
            text = text.substr(0, ScreenTextCapacity);
            const std::size_t lastBreak = text.rfind(L'\n');
            if (lastBreak != std::wstring_view::npos)
                text = text.substr(0, lastBreak);
        }
        ScreenTextHeader* header = publication.Header();
        // The interlocked increments are full barriers: a reader that sees an
        // even, unchanged sequence around its copy has a whole text.
        ::InterlockedIncrement(&header->sequence);
        std::memcpy(publication.Text(), text.data(), text.size() * sizeof(wchar_t));
        header->length = static_cast<std::uint32_t>(text.size());
        ::InterlockedIncrement(&header->sequence);
    }

    std::mutex m_mutex;
    std::map<HWND, Publication> m_publications;
};

}  // namespace

std::wstring ScreenTextMappingName(HWND window)
{
    static constexpr wchar_t Digits[] = L"0123456789ABCDEF";
    std::wstring name = L"Local\\VellumateScreenText.";
    auto value = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(window));
    for (int shift = 60; shift >= 0; shift -= 4)
        name += Digits[(value >> shift) & 0xF];
    return name;
}

}  // namespace vellumate

using namespace vellumate;

bool PublishScreenText(HWND window, std::wstring_view text) noexcept
{
    if (!window)
        return false;
    try {
        return PublicationRegistry::Instance().Publish(window, text);
    } catch (...) {
        return false;
    }
}

void WithdrawScreenText(HWND window) noexcept
{
    try {
        PublicationRegistry::Instance().Withdraw(window);
    } catch (...) {
        // A failed lock leaves the mapping open until the process ends; no harm.
    }
}

std::optional<std::wstring> ReadScreenText(HWND window)
{
    const std::wstring name = ScreenTextMappingName(window);
    KernelHandle mapping(::OpenFileMappingW(FILE_MAP_READ, FALSE, name.c_str()));
    if (!mapping)
        return std::nullopt;
    MappedView view(::MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
    if (!view)
        return std::nullopt;

    // The mapping belongs to another process: trust none of its numbers
    // beyond what the view really holds.
    MEMORY_BASIC_INFORMATION region{};
    if (!::VirtualQuery(view.Get(), &region, sizeof region) || region.RegionSize < sizeof(ScreenTextHeader))
        return std::nullopt;
    const auto* header = static_cast<const ScreenTextHeader*>(view.Get());
    const auto* text = reinterpret_cast<const wchar_t*>(header + 1);
    if (header->magic != ScreenTextMagic)
        return std::nullopt;
    const std::size_t roomInView = (region.RegionSize - sizeof(ScreenTextHeader)) / sizeof(wchar_t);

    for (int attempt = 0; attempt < 200; ++attempt) {
        const LONG before = header->sequence;
        ::MemoryBarrier();
        if ((before & 1) == 0) {
            const std::size_t length = header->length;
            if (length > header->capacity || length > roomInView)
                return std::nullopt;
            std::wstring copy(text, length);
            ::MemoryBarrier();
            if (header->sequence == before)
                return copy;
        }
        ::Sleep(attempt < 10 ? 0 : 1);
    }
    return std::nullopt;  // the owner kept writing; nothing consistent to show
}
