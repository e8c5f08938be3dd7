// Screen text: the rows a window paints itself, published for the session
// driver, which has no other way to read them.
//
// A window that draws its own rows (a list pane, a strip, the home screen)
// calls PublishScreenText from its paint code with the text it shows, lines
// separated by '\n', and WithdrawScreenText when it is destroyed. The text
// lives in a named file mapping that the program keeps open, so a reader in
// another process gets it by name, without a message to the window.
//
// Convention for lists: a highlighted row begins with "> ", the other rows of
// the same list with two spaces, so that a reader sees which row is current.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Publishes `text` as what `window` shows now, replacing what it published
// before. Text beyond ScreenTextCapacity characters is cut at the last line
// break that fits. Never throws; returns false when the mapping could not be
// made (the window then simply has no published text).
bool PublishScreenText(HWND window, std::wstring_view text) noexcept;

// Removes the window's published text. Call on WM_DESTROY.
void WithdrawScreenText(HWND window) noexcept;

// The text a window of any process has published, or nothing.
std::optional<std::wstring> ReadScreenText(HWND window);

namespace vellumate {

// Largest published text, in UTF-16 units. A 176 x 220 screen shows far less.
inline constexpr std::uint32_t ScreenTextCapacity = 16 * 1024;

// Layout of the shared memory: this header, then `capacity` UTF-16 units.
// `sequence` is odd while the owner writes, so that a reader can retry
// instead of reading half a text.
struct ScreenTextHeader {
    std::uint32_t magic;
    volatile LONG sequence;
    std::uint32_t length;
    std::uint32_t capacity;
};
inline constexpr std::uint32_t ScreenTextMagic = 0x54534D56;  // "VMST"

// "Local\VellumateScreenText.<window handle as 16 upper-case hex digits>"
std::wstring ScreenTextMappingName(HWND window);

}  // namespace vellumate
