// A store volume file on the host, through the volume's portable core: what
// the vellumate tool fills and shows without Wine.
#pragma once

#include "platform/stores/StoreVolume.h"

#include <filesystem>
#include <memory>
#include <string>

namespace vellumate::stores {

// The volume mounted (made first when `create` and it is missing); nullptr
// with the reason in `error` when it cannot be, or is missing and not made.
std::unique_ptr<StoreVolume> MountHostVolume(const std::filesystem::path& file, bool create, std::string& error);

// Marks a folder hidden and system for the handset, in the extended attribute
// Wine keeps those two in, as the mail application's own folders are: a file
// manager that hides system files then leaves it out. Quietly nothing where
// the file system keeps no such attributes.
void HideAsSystemFolder(const std::filesystem::path& folder) noexcept;

}  // namespace vellumate::stores
