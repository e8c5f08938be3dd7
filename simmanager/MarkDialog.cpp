#include "simmanager/MarkDialog.h"

#include "simmanager/resource.h"

#include "framework/MenuBars.h"

#include "platform/Painting.h"
#include "platform/ScreenText.h"

#include <tuple>
#include <utility>

MarkDialog::MarkDialog(HWND parent, EntryView& copy, EntryListPainter& painter, ListPicture look,
                       std::wstring ownNumber, int filledSlots) noexcept
    : DialogCore(IDD_MARK_ENTRIES, parent, IDM_MARK_ENTRIES_BAR, 0, true), m_copy(copy), m_painter(painter),
      m_look(std::move(look)), m_ownNumber(std::move(ownNumber)), m_filledSlots(filledSlots), m_pane(*this)
{
    m_look.view = &m_copy;
}

InitResult MarkDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    if (!m_pane.CreateOverClient(Window())) {
        EndDialog(Window(), IDCANCEL);
        return InitResult::Stop;
    }
    SetFocus(m_pane.Window());
    m_focusSet = true;
    Changed();
    return InitResult::Continue;
}

void MarkDialog::Changed()
{
    EnableMenuBarButton(MenuBar(), ID_DIALOG_DONE, m_copy.MarkedCount() > 0);
    if (m_pane.Window())
        InvalidateRect(m_pane.Window(), nullptr, FALSE);
}

void MarkDialog::PaneKey(UINT key)
{
    RECT client{};
    GetClientRect(m_pane.Window(), &client);
    const int page = m_painter.Geometry().RowsPerPage(client);
    switch (key) {
    case VK_UP: m_copy.MoveFocus(-1, page); break;
    case VK_DOWN: m_copy.MoveFocus(1, page); break;
    case VK_LEFT: m_copy.MoveFocus(-page, page); break;
    case VK_RIGHT: m_copy.MoveFocus(page, page); break;
    default: return;
    }
    Changed();
}

void MarkDialog::PaintPane(HWND pane)
{
    vellumate::BufferedPaint paint(pane);
    std::tie(m_look.titleLeft, m_look.titleRight) = MakeTitleTexts(&m_copy, nullptr, 0, m_ownNumber, m_filledSlots);
    m_painter.Paint(paint.Dc(), paint.Client(), m_look);
    PublishScreenText(pane, m_painter.ScreenText(paint.Client(), m_look));
}

bool MarkDialog::OnCommand(UINT command)
{
    switch (command) {
    case IDOK:  // the action key
        if (m_copy.FocusedRow() >= 0)
            m_copy.ToggleMark(m_copy.FocusedRow());
        break;
    case ID_MARK_EVERY_ROW:
        m_copy.MarkAll();
        break;
    case ID_CLEAR_EVERY_MARK:
        m_copy.ClearMarks();
        break;
    case ID_DIALOG_DONE:
        if (m_copy.MarkedCount() == 0)
            return true;  // greyed
        m_done = true;
        EndDialog(Window(), IDOK);
        return true;
    case ID_EDITOR_CANCEL:
    case IDCANCEL:
        EndDialog(Window(), IDCANCEL);
        return true;
    default:
        return false;
    }
    Changed();
    return true;
}

bool MarkDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && OnCommand(LOWORD(wParam))) {
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}
