// The picture on the screen.
#pragma once

#include "platform/driver/PngWriter.h"

#include <optional>
#include <string>

namespace vellumate {

// The top-left `width` x `height` pixels of the screen; parts beyond a smaller
// screen are black. Nothing when the screen cannot be read.
std::optional<RgbImage> CaptureScreen(int width, int height);

// Writes `bytes` as the whole content of the file at `path`; false and the
// Win32 error in GetLastError when that fails.
bool WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes);

}  // namespace vellumate
