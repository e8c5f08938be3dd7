#include "taskmanager/MemoryText.h"

#include <vector>

String FreeMemoryText(std::uint64_t availableBytes)
{
    std::uint64_t kilobytes = availableBytes >> 10;
    // Groups of three digits, lowest first.
    std::vector<unsigned> groups;
    do {
        groups.push_back(static_cast<unsigned>(kilobytes % 1000));
        kilobytes /= 1000;
    } while (kilobytes > 0);

    String text;
    text.FormatText(L"%u", groups.back());
    for (auto group = groups.rbegin() + 1; group != groups.rend(); ++group) {
        String next;
        next.FormatText(L"%s,%.3u", text.Chars(), *group);
        text = next;
    }
    return text + L" KB";
}
