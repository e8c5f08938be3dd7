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

}  // namespace vellumate::stores
