#include "sysinfo/VolumeOrder.h"

#include <cwchar>

namespace {

bool HoldsFolder(const String& card, const wchar_t* folder)
{
    String prefix = L"\\" + card + L"\\";
    return _wcsnicmp(folder, prefix, prefix.Length()) == 0;
}

}  // namespace

std::vector<String> OrderVolumes(const std::vector<String>& cards, const wchar_t* personalFolder)
{
    const wchar_t* folder = personalFolder ? personalFolder : L"";
    for (std::size_t first = 0; first < cards.size(); ++first) {
        if (HoldsFolder(cards[first], folder)) {
            std::vector<String> ordered;
            ordered.reserve(cards.size());
            for (std::size_t step = 0; step < cards.size(); ++step)
                ordered.push_back(cards[(first + step) % cards.size()]);
            return ordered;
        }
    }
    std::vector<String> ordered{String(RootVolume)};
    ordered.insert(ordered.end(), cards.begin(), cards.end());
    return ordered;
}

String VolumeFolder(const String& volume)
{
    return L"\\" + volume;
}
