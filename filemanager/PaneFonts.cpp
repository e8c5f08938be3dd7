#include "filemanager/PaneFonts.h"

#include "filemanager/PreferenceBits.h"

namespace {

vellumate::FontHandle SystemFontVariant(int height, int weight)
{
    LOGFONTW font{};
    if (!GetObjectW(GetStockObject(SYSTEM_FONT), sizeof font, &font))
        return vellumate::FontHandle();
    font.lfHeight = height;
    font.lfWidth = 0;
    font.lfWeight = weight;
    return vellumate::FontHandle(CreateFontIndirectW(&font));
}

}  // namespace

vellumate::FontHandle MakePaneFont(DWORD preferences)
{
    if (!(preferences & PreferenceSmallFont))
        return vellumate::FontHandle();
    return SystemFontVariant(SmallFontHeight, FW_NORMAL);
}

vellumate::FontHandle MakeStripFont()
{
    return SystemFontVariant(SmallFontHeight, FW_NORMAL);
}
