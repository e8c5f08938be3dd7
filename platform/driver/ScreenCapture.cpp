#include "platform/driver/ScreenCapture.h"

#include "platform/Handles.h"

#include <algorithm>

namespace vellumate {

std::optional<RgbImage> CaptureScreen(int width, int height)
{
    WindowDC screen(nullptr);
    if (!screen)
        return std::nullopt;
    MemoryDCHandle memory(::CreateCompatibleDC(screen.Get()));
    if (!memory)
        return std::nullopt;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle bitmap(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return std::nullopt;

    {
        SelectObjectScope selected(memory.Get(), bitmap.Get());
        const int copyWidth = std::min(width, ::GetDeviceCaps(screen.Get(), HORZRES));
        const int copyHeight = std::min(height, ::GetDeviceCaps(screen.Get(), VERTRES));
        // The DIB section starts out black, which is what lies off a smaller screen.
        if (!::BitBlt(memory.Get(), 0, 0, copyWidth, copyHeight, screen.Get(), 0, 0, SRCCOPY))
            return std::nullopt;
        ::GdiFlush();
    }

    RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    const auto* source = static_cast<const std::uint8_t*>(bits);  // B, G, R, unused
    std::uint8_t* target = image.pixels.data();
    for (std::size_t pixel = 0; pixel < static_cast<std::size_t>(width) * static_cast<std::size_t>(height); ++pixel) {
        target[0] = source[2];
        target[1] = source[1];
        target[2] = source[0];
        source += 4;
        target += 3;
    }
    return image;
}

bool WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes)
{
    FileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    if (!::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return false;
    if (written != bytes.size()) {
        ::SetLastError(ERROR_WRITE_FAULT);
        return false;
    }
    return true;
}

}  // namespace vellumate
