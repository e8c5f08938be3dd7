// What backs the OBEX service: the nearby devices of the device profile and
// their inbox folders. Each device's inbox is the folder "obex\NAME" beside
// the profile (VELLUMATE_OBEX names another folder to hold the inboxes); an
// object beamed to the device becomes a file there once it arrived whole.
#pragma once

#include "platform/DeviceProfile.h"
#include "platform/Handles.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vellumate::obex {

inline constexpr wchar_t InboxesVariable[] = L"VELLUMATE_OBEX";
inline constexpr wchar_t InboxesFolderName[] = L"obex";

// The folder that holds the inboxes, as a Windows path; empty outside a
// device.
std::wstring InboxesFolder();
// The device's inbox folder; empty outside a device.
std::wstring InboxFolder(std::wstring_view device);

// The names of the devices in range now, in the order of the profile.
std::vector<std::wstring> DevicesInRange();
// The device as the profile says now: present, and its link budget.
struct DeviceState {
    bool present = false;
    std::int64_t failAfter = -1;
};
DeviceState CurrentDeviceState(std::wstring_view device);

// Whether an object's name may become a file of an inbox: one component,
// not "." or "..", none of the characters a file name cannot have.
bool IsObjectName(std::wstring_view name) noexcept;

// An object arriving in an inbox: its bytes go to a hidden file beside the
// final one, which becomes the named file at Complete; an object that is
// never completed leaves nothing behind.
class IncomingObject {
public:
    IncomingObject() = default;
    ~IncomingObject();
    IncomingObject(const IncomingObject&) = delete;
    IncomingObject& operator=(const IncomingObject&) = delete;

    // Opens the part file in the device's inbox (made when missing); the
    // system's error code on failure.
    DWORD Open(std::wstring_view device, std::wstring_view name);
    DWORD Write(const void* bytes, DWORD count);
    std::uint64_t Written() const noexcept { return m_written; }
    // Flushes the part and renames it over any older file of that name.
    DWORD Complete();
    // Throws the part away.
    void Discard() noexcept;

private:
    FileHandle m_file;
    std::wstring m_partPath;
    std::wstring m_finalPath;
    std::uint64_t m_written = 0;
};

}  // namespace vellumate::obex
