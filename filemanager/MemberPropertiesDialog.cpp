#include "filemanager/MemberPropertiesDialog.h"

#include "filemanager/ArchiveBrowserDialog.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/FileFormats.h"
#include "filemanager/ItemIcons.h"
#include "filemanager/PropertiesResources.h"
#include "framework/Paths.h"

#include <shellapi.h>

namespace {

String SizeText(std::uint64_t bytes)
{
    return FormatSize(static_cast<DWORD>(bytes >> 32), static_cast<DWORD>(bytes), false, 4, 1024);
}

// A member is no file of the device: a file is typed by its extension, a
// folder as the personal folder is.
String MemberTypeName(const MemberSummary& member)
{
    if (member.isFolder)
        return ShellTypeName(PersonalFolderPath());
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(TypeProbeName(member.leaf), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                        SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES))
        return String();
    info.szTypeName[_countof(info.szTypeName) - 1] = L'\0';
    return String(info.szTypeName);
}

}  // namespace

void ShowMemberProperties(HWND parent, const MemberSummary& member)
{
    MemberPropertiesDialog dialog(parent, member);
    RunModal(dialog);
}

MemberPropertiesDialog::MemberPropertiesDialog(HWND parent, MemberSummary member)
    : DialogCore(IDD_MEMBER_PROPERTIES, parent, IDM_DONE_BAR, IDS_PROPERTIES_CAPTION, true), m_member(std::move(member))
{
}

InitResult MemberPropertiesDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    HWND window = Window();
    SetDlgItemTextW(window, IDC_MEMBER_NAME, m_member.leaf);
    SetDlgItemTextW(window, IDC_MEMBER_TYPE, MemberTypeName(m_member));
    SetDlgItemTextW(window, IDC_MEMBER_FOLDER, m_member.folder.IsEmpty() ? String(L"\\") : m_member.folder);
    SetDlgItemTextW(window, IDC_MEMBER_SIZE, SizeText(m_member.uncompressed));
    SetDlgItemTextW(window, IDC_MEMBER_PACKED, SizeText(m_member.compressed));
    SetDlgItemTextW(window, IDC_MEMBER_SAVED, CompressionText(m_member.compressed, m_member.uncompressed));
    if (m_member.time != 0) {
        FILETIME time{static_cast<DWORD>(m_member.time), static_cast<DWORD>(m_member.time >> 32)};
        SetDlgItemTextW(window, IDC_MEMBER_TIME, FormatFileTime(time));
    }
    if (m_member.isFolder) {
        String counts;
        counts.FormatResource(IDS_TREE_COUNTS, FormatCount(m_member.folders).Chars(),
                              FormatCount(m_member.files).Chars());
        SetDlgItemTextW(window, IDC_MEMBER_CONTENTS, counts);
    } else {
        ShowWindow(GetDlgItem(window, IDC_MEMBER_CONTENTS_LABEL), SW_HIDE);
        ShowWindow(GetDlgItem(window, IDC_MEMBER_CONTENTS), SW_HIDE);
    }
    return InitResult::Continue;
}

bool MemberPropertiesDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && (LOWORD(wParam) == ID_DONE || LOWORD(wParam) == IDOK)) {
        EndDialog(window, IDCANCEL);
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}

void ArchiveBrowserDialog::ShowSelectedProperties()
{
    const std::vector<int> selected = SelectedRows();
    if (selected.size() != 1)
        return;
    ShowMemberProperties(Window(), SummarizeRow(*m_listing, m_archive->members, selected.front()));
}
