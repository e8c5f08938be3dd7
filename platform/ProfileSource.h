// The running handset's device profile, found through the environment and
// read fresh: a change of the file is seen by the next query of any process,
// without restarting anything.
//
// VELLUMATE_PROFILE holds the profile's Windows path (the vellumate tool sets
// it for every process of a session). Without the variable, or when the file
// is missing or unreadable, the programs see the defaults of DeviceProfile.
#pragma once

#include "platform/DeviceProfile.h"

#include <memory>
#include <string>

namespace vellumate {

inline constexpr wchar_t ProfileVariable[] = L"VELLUMATE_PROFILE";

// The value of an environment variable of this process, empty when unset.
std::wstring EnvironmentText(const wchar_t* name);

// Reads and parses a profile file. A missing or unreadable file is a problem
// on line 0, with the defaults.
ProfileReading ReadDeviceProfileFile(const std::wstring& path);

// The profile as the file says now. The file is parsed again only when its
// name, size or last-write time changed since the previous query. Never null;
// safe to call from any thread.
std::shared_ptr<const DeviceProfile> CurrentDeviceProfile() noexcept;

}  // namespace vellumate
