#include "filemanager/PropertiesDialog.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/FileFormats.h"
#include "filemanager/FileOperationResources.h"
#include "filemanager/NameDialogsResources.h"
#include "filemanager/OperationMessages.h"
#include "filemanager/PropertiesResources.h"
#include "framework/DialogControls.h"
#include "framework/Paths.h"

#include "platform/shellexec/ShellShortcuts.h"

#include <algorithm>
#include <string>

namespace {

struct AttributeBox {
    int control;
    DWORD bit;
};

constexpr AttributeBox AttributeBoxes[] = {
    {IDC_PROP_READ_ONLY, FILE_ATTRIBUTE_READONLY},
    {IDC_PROP_HIDDEN, FILE_ATTRIBUTE_HIDDEN},
    {IDC_PROP_ARCHIVE, FILE_ATTRIBUTE_ARCHIVE},
    {IDC_PROP_SYSTEM, FILE_ATTRIBUTE_SYSTEM},
    {IDC_PROP_IN_ROM, 0x40},
    {IDC_PROP_IS_FOLDER, FILE_ATTRIBUTE_DIRECTORY},
    {IDC_PROP_COMPRESSED, FILE_ATTRIBUTE_COMPRESSED},
    {IDC_PROP_TEMPORARY, FILE_ATTRIBUTE_TEMPORARY},
    {IDC_PROP_ROM_MODULE, 0x2000},
    {IDC_PROP_OFFLINE, FILE_ATTRIBUTE_OFFLINE},
};

constexpr int EditableBoxes[] = {IDC_PROP_READ_ONLY, IDC_PROP_HIDDEN, IDC_PROP_ARCHIVE};

String SizeText(std::uint64_t bytes)
{
    return FormatSize(static_cast<DWORD>(bytes >> 32), static_cast<DWORD>(bytes), false, 4, 1024);
}

bool IsShortcutName(const String& name)
{
    return name.Length() > 4 && _wcsicmp(name.Chars() + name.Length() - 4, L".lnk") == 0;
}

void Hide(HWND dialog, std::initializer_list<int> controls)
{
    for (int control : controls)
        ShowWindow(GetDlgItem(dialog, control), SW_HIDE);
}

}  // namespace

PropertiesDialog::PropertiesDialog(HWND parent, PropertiesRequest request)
    : DialogCore(IDD_PROPERTIES, parent, request.isRoot ? IDM_DONE_BAR : IDM_PROPERTIES_BAR, IDS_PROPERTIES_CAPTION,
                 true),
      m_request(std::move(request))
{
}

PropertiesDialog::~PropertiesDialog()
{
    m_stop.store(true);
    m_worker.Join();
}

String PropertiesDialog::ItemPath() const
{
    return m_request.isRoot ? String() : JoinPath(m_request.folder, m_request.name);
}

InitResult PropertiesDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    if (!ShowItem()) {
        ShowOperationError(Window(), IDS_FOLDER_GONE, 0, ItemPath());
        EndDialog(Window(), IDCANCEL);
        return InitResult::Stop;
    }
    if ((m_isFolder || m_request.isRoot) && !StartTotals()) {
        m_finished.store(true);
        ShowOperationError(Window(), IDS_NO_WORKER, 0);
    }
    if (!m_request.isRoot) {
        LinkFieldsVertically(Window(), {IDC_PROP_NAME, IDC_PROP_READ_ONLY, IDC_PROP_HIDDEN, IDC_PROP_ARCHIVE});
        TickBoxesWithActionKey(Window(), {IDC_PROP_READ_ONLY, IDC_PROP_HIDDEN, IDC_PROP_ARCHIVE});
        SendDlgItemMessageW(Window(), IDC_PROP_NAME, EM_LIMITTEXT, MaxPathLength, 0);
        SetEditTextSelected(Window(), IDC_PROP_NAME, m_editable.shown);
        m_focusSet = true;
    }
    return InitResult::Continue;
}

bool PropertiesDialog::ShowItem()
{
    HWND window = Window();
    SetDlgItemTextW(window, IDC_PROP_FOLDER, m_request.folder + L"\\");
    if (m_request.isRoot) {
        m_isFolder = true;
        SetDlgItemTextW(window, IDC_PROP_FOLDER, L"\\");
        Hide(window,
             {IDC_PROP_NAME_LABEL, IDC_PROP_NAME, IDC_PROP_TYPE_LABEL, IDC_PROP_TYPE, IDC_PROP_CREATED_LABEL,
              IDC_PROP_CREATED, IDC_PROP_WRITTEN_LABEL, IDC_PROP_WRITTEN, IDC_PROP_ACCESSED_LABEL, IDC_PROP_ACCESSED});
        for (const AttributeBox& box : AttributeBoxes)
            ShowWindow(GetDlgItem(window, box.control), SW_HIDE);
        return true;
    }

    WIN32_FIND_DATAW entry;
    if (!FindEntry(ItemPath(), entry))
        return false;
    m_attributes = entry.dwFileAttributes;
    m_isFolder = (m_attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    m_editable = MakeEditableName(m_request.name, m_isFolder, m_request.preferences);
    SetDlgItemTextW(window, IDC_PROP_TYPE, ShellTypeName(ItemPath()));
    SetDlgItemTextW(window, IDC_PROP_CREATED, FormatFileTime(entry.ftCreationTime));
    SetDlgItemTextW(window, IDC_PROP_WRITTEN, FormatFileTime(entry.ftLastWriteTime));
    SetDlgItemTextW(window, IDC_PROP_ACCESSED, FormatFileTime(entry.ftLastAccessTime));
    for (const AttributeBox& box : AttributeBoxes)
        CheckDlgButton(window, box.control, (m_attributes & box.bit) ? BST_CHECKED : BST_UNCHECKED);

    if (m_isFolder) {
        Hide(window, {IDC_PROP_WRITTEN_LABEL, IDC_PROP_WRITTEN, IDC_PROP_ACCESSED_LABEL, IDC_PROP_ACCESSED});
        return true;
    }
    SetDlgItemTextW(window, IDC_PROP_SIZE, FormatSize(entry.nFileSizeHigh, entry.nFileSizeLow, false, 4, 1024));
    if (!IsShortcutName(m_request.name)) {
        Hide(window, {IDC_PROP_DETAIL_LABEL, IDC_PROP_DETAIL});
        return true;
    }
    String label;
    label.LoadResourceText(IDS_TARGET_LABEL);
    SetDlgItemTextW(window, IDC_PROP_DETAIL_LABEL, label);
    std::wstring shortcut(ItemPath().Chars());
    wchar_t target[MAX_PATH + 1] = L"";
    if (!handset::SHGetShortcutTarget(shortcut.data(), target, MAX_PATH + 1))
        target[0] = L'\0';
    SetDlgItemTextW(window, IDC_PROP_DETAIL, target);
    return true;
}

bool PropertiesDialog::StartTotals()
{
    HWND window = Window();
    const String folder = ItemPath();
    return m_worker.Start([this, window, folder] {
        try {
            TotalFolder(folder, m_stop, [window](const FolderTotals& totals) {
                // Sent: the dialog shows these totals before the walk goes on.
                SendMessageW(window, WM_TOTALS, 0, reinterpret_cast<LPARAM>(&totals));
            });
        } catch (...) {
            // The totals shown so far stay; the dialog waits for the end
            // below before it can close.
        }
        m_finished.store(true);
        PostMessageW(window, WM_TOTALS_DONE, 0, 0);
    });
}

void PropertiesDialog::ShowTotals(const FolderTotals& totals)
{
    SetDlgItemTextW(Window(), IDC_PROP_SIZE, SizeText(totals.bytes));
    String counts;
    counts.FormatResource(IDS_TREE_COUNTS, FormatCount(totals.folders).Chars(), FormatCount(totals.files).Chars());
    SetDlgItemTextW(Window(), IDC_PROP_DETAIL, counts);
}

void PropertiesDialog::OnTotalsDone()
{
    m_worker.Join();
    const Pending pending = std::exchange(m_pending, Pending::Nothing);
    if (pending == Pending::Apply)
        Apply();
    else if (pending == Pending::Cancel)
        Close(PropertiesOutcome::Cancelled);
}

bool PropertiesDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_TOTALS:
        if (const auto* totals = reinterpret_cast<const FolderTotals*>(lParam))
            ShowTotals(*totals);
        result = 0;
        return true;
    case WM_TOTALS_DONE:
        OnTotalsDone();
        result = 0;
        return true;
    case WM_COMMAND:
        // The name sits at the top, the boxes at the bottom of a dialog
        // taller than the screen.
        if (HIWORD(wParam) == EN_SETFOCUS && LOWORD(wParam) == IDC_PROP_NAME) {
            ScrollTo(0);
            return false;
        }
        if (HIWORD(wParam) == BN_SETFOCUS) {
            ScrollTo(INT_MAX);
            result = 0;
            return true;
        }
        switch (LOWORD(wParam)) {
        case ID_PROPERTIES_OK:
        case IDOK:
            if (m_request.isRoot)
                RequestCancel();
            else
                RequestApply();
            result = 0;
            return true;
        case ID_PROPERTIES_CANCEL:
        case ID_DONE:
        case IDCANCEL:
            RequestCancel();
            result = 0;
            return true;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}

void PropertiesDialog::RequestApply()
{
    if (Counting()) {
        m_pending = Pending::Apply;
        m_stop.store(true);
        return;
    }
    Apply();
}

void PropertiesDialog::RequestCancel()
{
    if (Counting()) {
        m_pending = Pending::Cancel;
        m_stop.store(true);
        return;
    }
    Close(PropertiesOutcome::Cancelled);
}

void PropertiesDialog::Apply()
{
    HWND window = Window();
    const String typed = ControlText(window, IDC_PROP_NAME);
    const String newName = typed + m_editable.hiddenExtension;
    const String& oldName = m_request.name;
    // The name is judged before anything changes, so that a refused name
    // leaves the item as it was while the dialog stays open. A name left as
    // it was is not judged: an item named otherwise than the checks allow
    // can still have its attributes changed.
    const bool renaming = newName != oldName;
    if (renaming && !IsAcceptableNewName(newName)) {
        ShowOperationError(window, IDS_BAD_NEW_NAME, 0);
        SetEditTextSelected(window, IDC_PROP_NAME, typed);
        return;
    }
    if (renaming && newName.CompareNoCase(oldName) != 0 && FolderHasEntry(m_request.folder, newName)) {
        ShowOperationError(window, IDS_FILE_NAME_TAKEN, 0);
        SetEditTextSelected(window, IDC_PROP_NAME, typed);
        return;
    }

    DWORD wanted = 0;
    for (int control : EditableBoxes)
        for (const AttributeBox& box : AttributeBoxes)
            if (box.control == control && IsDlgButtonChecked(window, control) == BST_CHECKED)
                wanted |= box.bit;
    m_change = WriteEditableAttributes(ItemPath(), m_attributes, wanted);
    if (m_change == AttributeChange::Written)
        m_attributes = (m_attributes & ~EditableAttributes) | wanted;

    if (!renaming) {
        Close(PropertiesOutcome::Unchanged);
        return;
    }
    m_newName = newName;
    Close(MoveToNewName(m_request.folder, oldName, newName) ? PropertiesOutcome::Renamed
                                                            : PropertiesOutcome::RenameFailed);
}

void PropertiesDialog::Close(PropertiesOutcome outcome)
{
    m_outcome = outcome;
    EndDialog(Window(), outcome == PropertiesOutcome::RenameFailed ? 2 : static_cast<INT_PTR>(outcome));
}

void PropertiesDialog::ScrollTo(int offset)
{
    HWND window = Window();
    RECT client{};
    GetClientRect(window, &client);
    // The lowest control's bottom, in the contents' own coordinates.
    int bottom = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT box{};
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&box), 2);
        bottom = std::max(bottom, static_cast<int>(box.bottom) + m_scrolled);
    }
    const int target = std::clamp(offset, 0, std::max(0, bottom + 2 - static_cast<int>(client.bottom)));
    if (target == m_scrolled)
        return;
    ScrollWindowEx(window, 0, m_scrolled - target, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    m_scrolled = target;
}

void ReportPropertiesFailure(HWND owner, const PropertiesDialog& dialog)
{
    const UINT attributesFailed = dialog.AttributesChanged() == AttributeChange::Failed ? IDS_ATTRIBUTES_FAILED : 0;
    if (dialog.Outcome() == PropertiesOutcome::RenameFailed)
        ShowOperationError(owner, IDS_RENAME_FAILED, attributesFailed);
    else if (attributesFailed)
        ShowOperationError(owner, attributesFailed, 0);
}
