// MainWindow: sending the selected file by mail, beaming the selected files,
// starting the beam receiver.
#include "filemanager/SendCommands.h"

#include "filemanager/BeamDialog.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/MainWindow.h"

#include "platform/shellexec/ShellExecute.h"

#include <shellapi.h>

namespace {

void StartProgram(HWND owner, const wchar_t* program, const String& parameters)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = program;
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    handset::ShellExecuteEx(&info);
}

bool IsFilePath(const String& path)
{
    const DWORD attributes = GetFileAttributesW(ToLongFileSystemPath(path));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void SendByMail(HWND owner, const String& path)
{
    String parameters;
    parameters.FormatText(L"-attach \"%s\"", path.Chars());
    StartProgram(owner, L"tmail.exe", parameters);
}

void StartBeamReceiver(HWND owner)
{
    StartProgram(owner, L"tobex.exe", String(L"\"\\windows\\\""));
}

void MainWindow::SendSelectedByMail()
{
    const int index = m_list.SingleSelectedIndex();
    if (!m_listMode || index < 0 || m_list.Item(index).IsFolder())
        return;
    SendByMail(Window(), JoinPath(m_list.CurrentPath(), m_list.Item(index).name));
}

void MainWindow::BeamSelected()
{
    if (!m_listMode)
        return;
    const StringArray selected = m_list.SelectedPaths();
    std::vector<String> files;
    for (int i = 0; i < selected.GetSize(); ++i)
        if (IsFilePath(selected[i]))
            files.push_back(selected[i]);
    BeamFiles(Window(), files);
}

void MainWindow::ReceiveBeam()
{
    StartBeamReceiver(Window());
}
