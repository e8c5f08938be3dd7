// How many file-change notifications this process holds unreleased. Apart
// from the window tests: the shell's headers declare a FolderItem of their
// own, which must not meet the folder list's.
#pragma once

#include <cstddef>

std::size_t UnreleasedNotifications() noexcept;
