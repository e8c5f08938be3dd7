// The handset's file system root "\" and how handset paths map onto it.
//
// In a session the root is the root of the current drive (the device's drive
// D:), so "\My Documents" means what it says. VELLUMATE_ROOT, when set, names
// another folder as the root (tests use a temporary one).
#pragma once

#include "platform/DeviceProfile.h"

#include <optional>
#include <string>
#include <string_view>

namespace vellumate {

inline constexpr wchar_t RootVariable[] = L"VELLUMATE_ROOT";

// The root as a Win32 path ending in "\": VELLUMATE_ROOT, or the root of the
// current drive ("D:\" on the handset).
std::wstring DeviceRoot();

// A handset path ("\Storage Card\x") as a Win32 path below DeviceRoot();
// any other path (with a drive, a UNC path, a relative path) is returned as is.
std::wstring ToDevicePath(std::wstring_view path);

// Where `path` lies below the root: "" for the root itself, "Storage Card\x"
// below it; nothing for a path outside the device.
std::optional<std::wstring> PathBelowDeviceRoot(std::wstring_view path);

// The first component of a path below the root ("Storage Card" of
// "Storage Card\DCIM").
std::wstring_view TopFolderOf(std::wstring_view pathBelowRoot) noexcept;

// The profile's inserted card whose folder is `name`, provided that folder
// exists in the root; nullptr otherwise.
const CardProfile* MountedCard(const DeviceProfile& profile, std::wstring_view name);

// Whether `path` names an existing folder.
bool IsFolder(const std::wstring& path) noexcept;

}  // namespace vellumate
