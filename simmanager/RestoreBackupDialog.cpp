#include "simmanager/RestoreBackupDialog.h"

#include "simmanager/BackupFile.h"
#include "simmanager/BackupResources.h"
#include "simmanager/SimMessageBoxes.h"
#include "simmanager/resource.h"

#include "framework/Display.h"
#include "framework/Globals.h"
#include "framework/MenuBars.h"
#include "framework/String.h"

#include "platform/DevicePaths.h"
#include "platform/Painting.h"
#include "platform/ScreenText.h"

#include <algorithm>

namespace {

constexpr int NormalRowHeight = 45;
constexpr int LargeRowHeight = 60;
constexpr int TextHeight = 14;
constexpr int LargeTextHeight = 18;
constexpr int ImageSize = 16;
constexpr int Margin = 4;
constexpr COLORREF ImageBackground = RGB(255, 0, 255);
constexpr COLORREF PlaceColour = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF DividerColour = RGB(0xE0, 0xE0, 0xE0);

HIMAGELIST LoadImages(UINT bitmap)
{
    vellumate::BitmapHandle picture(static_cast<HBITMAP>(
        LoadImageW(ProgramModule(), MAKEINTRESOURCEW(bitmap), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    HIMAGELIST images = ImageList_Create(ImageSize, ImageSize, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (images && picture)
        ImageList_AddMasked(images, picture.Get(), ImageBackground);
    return images;
}

vellumate::FontHandle MakeRowFont(int height, int weight) noexcept
{
    String face;
    face.LoadResourceText(IDS_TITLE_FONT);
    // Heights are cell heights, as the handset's fonts are measured.
    return vellumate::FontHandle(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                             DEFAULT_PITCH | FF_SWISS, face.Chars()));
}

std::wstring PlaceText(int index, int count)
{
    String text;
    text.FormatText(L" %d/%d", index + 1, count);
    return text.Chars();
}

}  // namespace

RestoreBackupDialog::RestoreBackupDialog(HWND parent, SimAccess& sim, const ViewOptions& options) noexcept
    : DialogCore(IDD_RESTORE_BACKUP, parent, IDM_RESTORE_BACKUP_BAR, IDS_RESTORE_BACKUP_TITLE, true), m_sim(sim),
      m_options(options), m_pane(*this)
{
}

InitResult RestoreBackupDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    if (!m_pane.CreateOverClient(Window())) {
        EndDialog(Window(), IDCANCEL);
        return InitResult::Stop;
    }
    const bool large = IsLargeFontSet(false);
    m_storeImages.Reset(LoadImages(IDB_BACKUP_STORE_IMAGE));
    m_cardImages.Reset(LoadImages(IDB_BACKUP_CARD_IMAGE));
    m_nameFont = MakeRowFont(large ? LargeTextHeight : TextHeight, FW_BOLD);
    m_timeFont = MakeRowFont(large ? LargeTextHeight : TextHeight, FW_NORMAL);
    SetFocus(m_pane.Window());
    m_focusSet = true;
    Search();
    return InitResult::Continue;
}

int RestoreBackupDialog::RowHeight() const noexcept
{
    return IsLargeFontSet(false) ? LargeRowHeight : NormalRowHeight;
}

int RestoreBackupDialog::VisibleRows() const noexcept
{
    RECT client{};
    if (m_pane.Window())
        GetClientRect(m_pane.Window(), &client);
    return std::max(1, static_cast<int>(client.bottom - client.top) / RowHeight());
}

void RestoreBackupDialog::Search()
{
    m_folders = ListBackupFolders();
    m_entries = FindBackups(m_folders);
    m_top = 0;
    m_selected = -1;
    Select(0);
}

void RestoreBackupDialog::Select(int index)
{
    const int count = static_cast<int>(m_entries.size());
    m_selected = count ? std::clamp(index, 0, count - 1) : -1;
    const int visible = VisibleRows();
    if (m_selected >= 0 && m_selected < m_top)
        m_top = m_selected;
    if (m_selected >= m_top + visible)
        m_top = m_selected - visible + 1;
    m_top = std::clamp(m_top, 0, std::max(0, count - visible));
    Changed();
}

void RestoreBackupDialog::Changed()
{
    EnableMenuBarButton(MenuBar(), ID_RESTORE_BACKUP, m_selected >= 0);
    if (m_pane.Window())
        InvalidateRect(m_pane.Window(), nullptr, FALSE);
}

void RestoreBackupDialog::PaneKey(UINT key)
{
    if (key == VK_UP)
        Select(m_selected - 1);
    else if (key == VK_DOWN)
        Select(m_selected + 1);
}

void RestoreBackupDialog::PaintRow(HDC dc, const RECT& row, int index)
{
    const BackupListEntry& entry = m_entries[static_cast<std::size_t>(index)];
    const bool selected = index == m_selected;
    const bool large = IsLargeFontSet(false);
    const int textHeight = large ? LargeTextHeight : TextHeight;
    vellumate::FillSolid(dc, row, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    RECT divider{row.left, row.bottom - 1, row.right, row.bottom};
    vellumate::FillSolid(dc, divider, DividerColour);

    const std::wstring& folder = m_folders[static_cast<std::size_t>(entry.folder)];
    HIMAGELIST images = IsMakersStorage(folder) ? m_storeImages.Get() : m_cardImages.Get();
    const int nameTop = row.top + (large ? 8 : 6);
    if (images)
        ImageList_Draw(images, 0, dc, row.left + Margin, nameTop, ILD_TRANSPARENT);

    SetBkMode(dc, TRANSPARENT);
    const HGDIOBJ oldFont = SelectObject(dc, m_nameFont.Get());
    RECT text{row.left + Margin + ImageSize + Margin, nameTop, row.right - Margin, nameTop + textHeight + 2};
    if (selected) {
        const std::wstring place = PlaceText(index, static_cast<int>(m_entries.size()));
        SelectObject(dc, m_timeFont.Get());
        SIZE extent{};
        GetTextExtentPoint32W(dc, place.c_str(), static_cast<int>(place.size()), &extent);
        SetTextColor(dc, PlaceColour);
        DrawTextW(dc, place.c_str(), static_cast<int>(place.size()), &text, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
        text.right -= extent.cx + 2;
        SelectObject(dc, m_nameFont.Get());
    }
    const COLORREF colour = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    SetTextColor(dc, colour);
    const std::wstring name = BackupDisplayName(entry.fileName);
    DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
              DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);

    SelectObject(dc, m_timeFont.Get());
    const std::wstring time = BackupTimeText(entry.lastWrite);
    text.top = nameTop + textHeight + (large ? 6 : 4);
    text.bottom = text.top + textHeight + 2;
    text.right = row.right - Margin;
    DrawTextW(dc, time.c_str(), static_cast<int>(time.size()), &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

void RestoreBackupDialog::PaintPane(HWND pane)
{
    vellumate::BufferedPaint paint(pane);
    const RECT& client = paint.Client();
    vellumate::FillSolid(paint.Dc(), client, GetSysColor(COLOR_WINDOW));
    std::wstring screen;
    const int count = static_cast<int>(m_entries.size());
    if (count == 0) {
        String none;
        none.LoadResourceText(IDS_NO_BACKUPS);
        RECT text{client.left + Margin, client.top + Margin, client.right - Margin, client.bottom - Margin};
        const HGDIOBJ oldFont = SelectObject(paint.Dc(), m_timeFont.Get());
        SetBkMode(paint.Dc(), TRANSPARENT);
        SetTextColor(paint.Dc(), GetSysColor(COLOR_WINDOWTEXT));
        DrawTextW(paint.Dc(), none.Chars(), none.Length(), &text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(paint.Dc(), oldFont);
        screen = none.Chars();
    }
    const int height = RowHeight();
    for (int index = m_top; index < count && (index - m_top) * height < client.bottom; ++index) {
        const RECT row{client.left, client.top + (index - m_top) * height, client.right,
                       client.top + (index - m_top + 1) * height};
        PaintRow(paint.Dc(), row, index);
        const BackupListEntry& entry = m_entries[static_cast<std::size_t>(index)];
        screen += index == m_selected ? L"> " : L"  ";
        screen += BackupDisplayName(entry.fileName) + L"  " + BackupTimeText(entry.lastWrite);
        if (index == m_selected)
            screen += L" " + PlaceText(index, count);
        screen += L"\n";
    }
    PublishScreenText(pane, screen);
}

void RestoreBackupDialog::OnMenuOpening(HMENU menu) const
{
    EnableMenuCommand(menu, ID_DELETE_BACKUP, m_selected >= 0);
}

void RestoreBackupDialog::OnRestore()
{
    if (m_selected < 0)
        return;
    const BackupListEntry entry = m_entries[static_cast<std::size_t>(m_selected)];
    SimMessageBoxes messages;
    messages.SetOwner(Window());
    BackupFile file(m_sim, messages);
    if (!file.Restore(m_folders[static_cast<std::size_t>(entry.folder)].c_str(), entry.fileName.c_str(), m_options))
        return;
    m_restored = file.ErrorState() == BackupFile::State::None;
    EndDialog(Window(), IDOK);
}

void RestoreBackupDialog::OnDelete()
{
    if (m_selected < 0)
        return;
    const BackupListEntry& entry = m_entries[static_cast<std::size_t>(m_selected)];
    const std::wstring path = vellumate::ToDevicePath(
        BackupPath(m_folders[static_cast<std::size_t>(entry.folder)].c_str(), entry.fileName.c_str()));
    // A file that stays (read-only, or its card went) stays in the list too,
    // and the user is told why nothing happened.
    if (!DeleteFileW(path.c_str()) && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        SimMessageBoxes messages;
        messages.SetOwner(Window());
        messages.Error(IDS_BACKUP_NOT_DELETED);
        return;
    }
    m_entries.erase(m_entries.begin() + m_selected);
    Select(m_selected);
}

bool RestoreBackupDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_INITMENUPOPUP) {
        OnMenuOpening(reinterpret_cast<HMENU>(wParam));
        result = 0;
        return true;
    }
    if (message == WM_COMMAND) {
        switch (LOWORD(wParam)) {
        case IDOK:  // the action key
        case ID_RESTORE_BACKUP:
            OnRestore();
            break;
        case ID_SEARCH_BACKUPS:
            Search();
            break;
        case ID_DELETE_BACKUP:
            OnDelete();
            break;
        case ID_CLOSE_BACKUPS:
        case IDCANCEL:
            EndDialog(window, IDCANCEL);
            break;
        default:
            return DialogCore::HandleMessage(window, message, wParam, lParam, result);
        }
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}
