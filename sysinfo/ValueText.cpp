#include "sysinfo/ValueText.h"

#include "sysinfo/resource.h"

namespace {

constexpr double Kilobyte = 1024.0;
constexpr double Megabyte = 1048576.0;

}  // namespace

String FormatValueText(double total, double free)
{
    if (free > total)
        return String(MAKEINTRESOURCEW(IDS_MEGABYTES));

    const bool small = total < Megabyte;
    const double unitSize = small ? Kilobyte : Megabyte;
    String unit(MAKEINTRESOURCEW(small ? IDS_KILOBYTES : IDS_MEGABYTES));
    String text;
    text.FormatText(L"%1.1f/%1.1f %s", free / unitSize, total / unitSize, unit);
    return text;
}
