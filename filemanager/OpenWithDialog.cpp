#include "filemanager/OpenWithDialog.h"

#include "filemanager/Associations.h"
#include "filemanager/CaptionedMessage.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/DialogParts.h"
#include "filemanager/FileOperationResources.h"
#include "filemanager/OpenWithDialogControls.h"
#include "filemanager/OpenWithResources.h"
#include "filemanager/OperationMessages.h"
#include "filemanager/PreferenceBits.h"

#include "platform/SoftKeyBar.h"
#include "platform/shellexec/ShellExecute.h"

#include <shellapi.h>

namespace {

constexpr int HeadingHeight = 13;

// Left and Right turn the list's pages, as Page Up and Page Down would.
LRESULT CALLBACK PageKeysProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR) noexcept
{
    if (message == WM_KEYDOWN && (wParam == VK_LEFT || wParam == VK_RIGHT))
        return DefSubclassProc(window, message, wParam == VK_LEFT ? VK_PRIOR : VK_NEXT, lParam);
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(window, &PageKeysProcedure, 2);
    return DefSubclassProc(window, message, wParam, lParam);
}

vellumate::FontHandle HeadingFont()
{
    LOGFONTW font{};
    if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font))
        return vellumate::FontHandle();
    font.lfHeight = HeadingHeight;
    font.lfWidth = 0;
    font.lfWeight = FW_BOLD;
    return vellumate::FontHandle(CreateFontIndirectW(&font));
}

}  // namespace

void OpenWithDialog::Sender::OnProgram(const FoundProgram& program)
{
    // Sent, not posted: the row is made before the scan goes on, so the
    // dialog's queue cannot overflow however many programs there are.
    SendMessageW(m_window, WM_PROGRAM_FOUND, 0, reinterpret_cast<LPARAM>(&program));
}

OpenWithDialog::OpenWithDialog(HWND parent, OpenWithMode mode, bool offerAssociation, const String& name,
                               const String& fullPath, DWORD preferences, HKEY classesRoot)
    : DialogCore(IDD_OPEN_WITH, parent, IDM_OPEN_WITH_BAR, mode == OpenWithMode::Associate ? IDS_ASSOCIATE_CAPTION : 0,
                 true),
      m_mode(mode), m_offerAssociation(offerAssociation && mode == OpenWithMode::OpenWith), m_name(name),
      m_fullPath(fullPath), m_skipHidden((preferences & PreferenceHideHidden) != 0), m_classesRoot(classesRoot)
{
}

OpenWithDialog::~OpenWithDialog()
{
    m_cancel.store(true);
    m_worker.Join();
}

HWND OpenWithDialog::List() const noexcept
{
    return GetDlgItem(Window(), IDC_OPEN_WITH_PROGRAMS);
}

InitResult OpenWithDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    ShowFile();

    RECT list{};
    GetWindowRect(List(), &list);
    MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&list), 2);
    RECT client{};
    GetClientRect(Window(), &client);
    m_images = SetUpDialogList(Window(), IDC_OPEN_WITH_PROGRAMS, client.bottom, LVS_EX_FULLROWSELECT, L"Program",
                               ID_DIALOG_OK);
    MoveWindow(List(), 0, list.top, client.right, client.bottom - list.top, FALSE);
    SetWindowSubclass(List(), &PageKeysProcedure, 2, 0);
    m_focusSet = m_images != nullptr;

    if (!StartScan()) {
        ShowOperationError(Window(), IDS_NO_WORKER, 0);
        m_finished.store(true);
        EndDialog(Window(), IDCANCEL);
        return InitResult::Stop;
    }
    return InitResult::Continue;
}

void OpenWithDialog::ShowFile()
{
    HWND window = Window();
    const bool associate = m_mode == OpenWithMode::Associate;
    if (!associate)
        SetWindowTextW(window, L"Open With");
    ShowWindow(GetDlgItem(window, IDC_OPEN_WITH_NAME), associate ? SW_HIDE : SW_SHOW);
    ShowWindow(GetDlgItem(window, IDC_OPEN_WITH_EXTENSION), associate ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(window, IDC_OPEN_WITH_TYPE_LABEL), associate ? SW_SHOW : SW_HIDE);

    const String extension = ExtensionOfName(m_name);
    SetDlgItemTextW(window, IDC_OPEN_WITH_EXTENSION, extension == L"." ? L"" : extension.Chars());
    SetDlgItemTextW(window, IDC_OPEN_WITH_NAME, m_name);

    String heading;
    heading.LoadResourceText(associate ? IDS_ASSOCIATE_HEADING : IDS_OPEN_WITH_HEADING);
    SetDlgItemTextW(window, IDC_OPEN_WITH_HEADING, heading);
    m_headingFont = HeadingFont();
    if (m_headingFont)
        SendDlgItemMessageW(window, IDC_OPEN_WITH_HEADING, WM_SETFONT, reinterpret_cast<WPARAM>(m_headingFont.Get()),
                            FALSE);

    SHFILEINFOW info{};
    if (SHGetFileInfoW(ToFileSystemPath(m_fullPath), 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON) &&
        info.hIcon) {
        m_icon.Reset(info.hIcon);
        SendDlgItemMessageW(window, IDC_OPEN_WITH_ICON, STM_SETICON, reinterpret_cast<WPARAM>(m_icon.Get()), 0);
    }
}

bool OpenWithDialog::StartScan()
{
    HWND window = Window();
    m_sender.SetWindow(window);
    return m_worker.Start([this, window] {
        ScanPrograms(L"", m_skipHidden, m_sender, m_cancel);
        m_finished.store(true);
        PostMessageW(window, WM_SCAN_FINISHED, 0, 0);
    });
}

bool OpenWithDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_PROGRAM_FOUND:
        if (const auto* program = reinterpret_cast<const FoundProgram*>(lParam))
            OnProgramFound(*program);
        result = 0;
        return true;
    case WM_SCAN_FINISHED:
        OnScanFinished();
        result = 0;
        return true;
    case WM_NOTIFY: {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (change && change->hdr.idFrom == IDC_OPEN_WITH_PROGRAMS && change->hdr.code == LVN_ITEMCHANGED &&
            (change->uChanged & LVIF_STATE)) {
            if (change->uNewState & LVIS_SELECTED)
                m_selected = change->iItem;
            else if ((change->uOldState & LVIS_SELECTED) && change->iItem == m_selected)
                m_selected = -1;
            result = 0;
            return true;
        }
        break;
    }
    case WM_HOTKEY:
        if (HIWORD(lParam) == VK_ESCAPE) {
            if (LOWORD(lParam) & MOD_KEYUP)
                Cancel();
            result = 1;
            return true;
        }
        break;
    case WM_CLOSE:
        Cancel();
        result = 0;
        return true;
    default:
        break;
    }
    if (OnOkOrCancel(
            message, wParam, ID_DIALOG_OK, ID_DIALOG_CANCEL, [this] { Choose(); }, [this] { Cancel(); })) {
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}

void OpenWithDialog::OnProgramFound(const FoundProgram& program)
{
    m_programs.push_back(program);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = ProgramCount() - 1;
    item.pszText = const_cast<wchar_t*>(program.name.Chars());
    item.iImage = AddSmallShellIcon(m_images, program.Path());
    ListView_InsertItem(List(), &item);
}

void OpenWithDialog::OnScanFinished()
{
    m_worker.Join();
    if (m_cancel.load())
        EndDialog(Window(), IDCANCEL);
}

void OpenWithDialog::Cancel()
{
    if (m_finished.load()) {
        EndDialog(Window(), IDCANCEL);
        return;
    }
    // The dialog closes when the scan has stopped.
    m_cancel.store(true);
}

void OpenWithDialog::Choose()
{
    if (!m_finished.load() || m_selected < 0 || m_selected >= ProgramCount())
        return;
    const String programPath = Program(m_selected).Path();
    if (m_mode == OpenWithMode::Associate) {
        Associate(programPath);
        EndDialog(Window(), IDOK);
        return;
    }
    if (m_offerAssociation &&
        ShowCaptionedText(Window(), L"Attention", L"Do you want to associate ?", MB_YESNO | MB_ICONQUESTION) == IDYES)
        Associate(programPath);
    // The file was to be opened with the program, associated or not.
    StartProgramWithFile(programPath);
    EndDialog(Window(), IDOK);
}

void OpenWithDialog::Associate(const String& programPath)
{
    const String extension = ExtensionOfName(m_name);
    if (extension.Length() > 1 && WriteAssociation(extension, programPath, 0, m_classesRoot))
        return;
    ShowOperationError(Window(), IDS_NOT_ASSOCIATED, 0);
}

bool OpenWithDialog::StartProgramWithFile(const String& programPath) const
{
    PROCESS_INFORMATION started{};
    // The handset hands a program its arguments alone: the path, unquoted.
    if (!handset::CreateProcessW(programPath, m_fullPath, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                                 &started))
        return false;
    vellumate::KernelHandle process(started.hProcess);
    vellumate::KernelHandle thread(started.hThread);
    return true;
}
