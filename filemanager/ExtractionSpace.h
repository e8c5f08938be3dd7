// Whether a target folder has room for an extraction. A folder on the
// storage card or in the personal folder's top folder is measured by its
// volume's free space; any other by the object store's. No window code.
#pragma once

#include "framework/String.h"

#include <cstdint>

enum class SpaceFigure { Volume, ObjectStore };

// Which figure counts for `target` (a handset folder path): its first
// component compared with the card's folder and the personal folder's top
// folder, without regard to case.
SpaceFigure SpaceFigureFor(const String& target, const String& cardFolder, const String& personalTopFolder);

// The rule: a volume with 1 GiB or more free always has room; otherwise, and
// for the object store, the free bytes must exceed the need by more than
// 500,000 bytes.
bool HasRoomFor(SpaceFigure figure, std::uint64_t freeBytes, std::uint64_t need) noexcept;

// Measures the target's figure and applies the rule. A figure that cannot be
// had counts as room: the extraction then reports a full disk itself.
bool EnoughSpaceFor(const String& target, std::uint64_t need);
