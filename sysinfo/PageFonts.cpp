#include "sysinfo/PageFonts.h"

#include "sysinfo/PageLayout.h"
#include "sysinfo/resource.h"

#include "framework/String.h"

#include <cwchar>

namespace {

HFONT MakeFont(const String& face, int height, int weight) noexcept
{
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

}  // namespace

bool PageFonts::Create(bool large)
{
    const String face(MAKEINTRESOURCEW(IDS_FONT_FACE));
    const int height = large ? layout::LargeFontHeight : layout::NormalFontHeight;
    m_normal.Reset(MakeFont(face, height, FW_NORMAL));
    m_bold.Reset(MakeFont(face, height, FW_BOLD));
    return IsCreated();
}

void PageFonts::Release() noexcept
{
    m_normal.Reset();
    m_bold.Reset();
}
