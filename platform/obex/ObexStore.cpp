#include "platform/obex/ObexStore.h"

#include "platform/DeviceFiles.h"
#include "platform/ProfileSource.h"

namespace vellumate::obex {

std::wstring InboxesFolder()
{
    const std::wstring named = EnvironmentText(InboxesVariable);
    return named.empty() ? DeviceFilePath(InboxesFolderName) : named;
}

std::wstring InboxFolder(std::wstring_view device)
{
    const std::wstring folder = InboxesFolder();
    if (folder.empty())
        return folder;
    return folder + (folder.back() == L'\\' || folder.back() == L'/' ? L"" : L"\\") + std::wstring(device);
}

std::vector<std::wstring> DevicesInRange()
{
    std::vector<std::wstring> names;
    const std::shared_ptr<const DeviceProfile> profile = CurrentDeviceProfile();
    for (const ObexDeviceProfile& device : profile->obexDevices)
        if (device.present)
            names.push_back(device.name);
    return names;
}

DeviceState CurrentDeviceState(std::wstring_view device)
{
    const std::shared_ptr<const DeviceProfile> profile = CurrentDeviceProfile();
    const ObexDeviceProfile* found = profile->FindObexDevice(device);
    if (!found)
        return {};
    return {found->present, found->failAfter};
}

bool IsObjectName(std::wstring_view name) noexcept
{
    if (name.empty() || name.size() > MAX_PATH - 16 || name == L"." || name == L".." || name.back() == L'.' ||
        name.back() == L' ')
        return false;
    for (wchar_t c : name)
        if (c < 0x20 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
            return false;
    return true;
}

IncomingObject::~IncomingObject()
{
    Discard();
}

DWORD IncomingObject::Open(std::wstring_view device, std::wstring_view name)
{
    Discard();
    const std::wstring inbox = InboxFolder(device);
    if (inbox.empty())
        return ERROR_PATH_NOT_FOUND;
    // The folder of the inboxes first: a device added by hand may have none.
    ::CreateDirectoryW(InboxesFolder().c_str(), nullptr);
    if (!::CreateDirectoryW(inbox.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        return ::GetLastError();
    m_finalPath = inbox + L"\\" + std::wstring(name);
    m_partPath = inbox + L"\\~" + std::wstring(name) + L"." + std::to_wstring(::GetCurrentProcessId()) + L".part";
    m_file.Reset(
        ::CreateFileW(m_partPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!m_file) {
        const DWORD error = ::GetLastError();
        m_partPath.clear();
        return error;
    }
    m_written = 0;
    return ERROR_SUCCESS;
}

DWORD IncomingObject::Write(const void* bytes, DWORD count)
{
    if (!m_file)
        return ERROR_INVALID_HANDLE;
    DWORD done = 0;
    if (!::WriteFile(m_file.Get(), bytes, count, &done, nullptr))
        return ::GetLastError();
    m_written += done;
    return done == count ? ERROR_SUCCESS : ERROR_DISK_FULL;
}

DWORD IncomingObject::Complete()
{
    if (!m_file)
        return ERROR_INVALID_HANDLE;
    if (!::FlushFileBuffers(m_file.Get())) {
        const DWORD error = ::GetLastError();
        Discard();
        return error;
    }
    m_file.Reset();
    ::SetFileAttributesW(m_partPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!::MoveFileExW(m_partPath.c_str(), m_finalPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = ::GetLastError();
        Discard();
        return error;
    }
    m_partPath.clear();
    return ERROR_SUCCESS;
}

void IncomingObject::Discard() noexcept
{
    m_file.Reset();
    if (!m_partPath.empty())
        ::DeleteFileW(m_partPath.c_str());
    m_partPath.clear();
}

}  // namespace vellumate::obex
