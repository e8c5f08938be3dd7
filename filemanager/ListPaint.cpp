#include "filemanager/ListPaint.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/PaneFonts.h"
#include "filemanager/PreferenceBits.h"
#include "filemanager/TextFit.h"
#include "framework/Display.h"

#include <shellapi.h>

namespace {

constexpr int IconCell = 20;  // the icon's square at the row's left end
constexpr int IconSize = 16;
constexpr int IconInset = (IconCell - IconSize) / 2;
constexpr COLORREF SelectedText = RGB(255, 255, 255);
constexpr COLORREF NormalText = RGB(0, 0, 0);

constexpr UINT RowTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

}  // namespace

String DisplayName(const FolderItem& item, DWORD preferences)
{
    if (item.IsFolder() || !(preferences & PreferenceHideExtensions))
        return item.name;
    const int dot = item.name.ReverseFind(L'.');
    return dot > 0 ? item.name.Left(dot) : item.name;
}

ListPainter::ListPainter() : m_images(ImageList_Create(IconSize, IconSize, ILC_COLOR32 | ILC_MASK, 0, 1))
{
}

ListPainter::~ListPainter()
{
    if (m_images)
        ImageList_Destroy(m_images);
}

void ListPainter::SetPreferences(DWORD preferences)
{
    m_preferences = preferences;
    m_font = MakePaneFont(preferences);
}

HFONT ListPainter::Font() const noexcept
{
    return m_font ? m_font.Get() : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

void ListPainter::ClearIcons() noexcept
{
    if (m_images)
        ImageList_RemoveAll(m_images);
}

int ListPainter::IconOf(FolderList& list, int index)
{
    FolderItem& item = list.Item(index);
    if (item.iconIndex != -1)
        return item.iconIndex;
    item.iconIndex = NoIcon;
    SHFILEINFOW info{};
    if (m_images &&
        SHGetFileInfoW(ToFileSystemPath(list.IconPath(index)), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON) &&
        info.hIcon) {
        vellumate::IconHandle icon(info.hIcon);
        const int added = ImageList_AddIcon(m_images, icon.Get());
        if (added >= 0)
            item.iconIndex = added;
    }
    return item.iconIndex;
}

String ListPainter::Paint(HDC dc, const RECT& area, int nameColumnEnd, FolderList& list)
{
    const int rows = list.RowsPerPage();
    const int top = list.TopRow();
    vellumate::SelectObjectScope font(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    String screenText;
    for (int row = 0; row < rows; ++row) {
        const RECT rowRect{area.left, area.top + row * ListRowHeight, area.right, area.top + (row + 1) * ListRowHeight};
        const int index = top + row;
        const bool present = index < list.ItemCount();
        const bool selected = present && list.Item(index).selected;
        const COLORREF background =
            selected ? GetSysColor(COLOR_HIGHLIGHT) : (row % 2 == 0 ? EvenRowColour : OddRowColour);
        FillRectColor(dc, rowRect, background);
        if (!present)
            continue;

        const FolderItem& item = list.Item(index);
        const int icon = IconOf(list, index);
        if (icon >= 0)
            ImageList_Draw(m_images, icon, dc, rowRect.left + IconInset, rowRect.top + IconInset, ILD_TRANSPARENT);

        SetTextColor(dc, selected ? SelectedText : NormalText);
        RECT nameRect{rowRect.left + IconCell, rowRect.top, nameColumnEnd, rowRect.bottom};
        const String name = FitText(dc, DisplayName(item, m_preferences), nameRect.right - nameRect.left);
        if (!name.IsEmpty())
            DrawTextW(dc, name, name.Length(), &nameRect, RowTextFormat | DT_LEFT);

        screenText += selected ? L"> " : L"  ";
        screenText += name;
        if (!item.IsFolder()) {
            const String& size = list.SizeText(index);
            RECT sizeRect{nameColumnEnd, rowRect.top, rowRect.right, rowRect.bottom};
            // Too wide for its strip, the size keeps its start in view.
            const bool fits = TextWidth(dc, size, size.Length()) <= sizeRect.right - sizeRect.left;
            DrawTextW(dc, size, size.Length(), &sizeRect, RowTextFormat | (fits ? DT_RIGHT : DT_LEFT));
            screenText += L"  ";
            screenText += size;
        }
        screenText += L'\n';
    }
    return screenText;
}
