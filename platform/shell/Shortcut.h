// Shortcut files in the handset's own format: one line of text,
//     NN#"\Program Files\Vellumate\tarnwell.exe" arguments
// where NN is the decimal count of the characters after '#' that make up the
// command. Characters beyond that count (a line break) are ignored.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vellumate {

struct Shortcut {
    std::wstring target;     // the program or document, as written (no quotes)
    std::wstring arguments;  // the rest of the command, may be empty
};

enum class ShortcutError {
    None,
    Unreadable,  // the file could not be opened or read
    Damaged,     // the file does not hold a command in the shortcut format
};

struct ShortcutReadResult {
    std::optional<Shortcut> shortcut;
    ShortcutError error = ShortcutError::None;
};

// A shortcut file is a line of text; anything much larger is not a shortcut.
inline constexpr std::size_t MaxShortcutFileBytes = 4096;

// Parses the text of a shortcut file; nothing when it is damaged.
std::optional<Shortcut> ParseShortcut(std::wstring_view text);

// Splits a command ("\"\Windows\vmview.exe\" %1", or an unquoted program
// and its arguments) into its program and arguments, as a shortcut's command
// is split; nothing when it names no program.
std::optional<Shortcut> ParseCommand(std::wstring_view command);

// The text of a shortcut file for `shortcut`, the target in quotation marks.
std::wstring FormatShortcut(const Shortcut& shortcut);

// Reads and parses a shortcut file. The text may be UTF-16 with a byte-order
// mark, UTF-8, or (as older handsets write it) the ANSI code page.
ShortcutReadResult ReadShortcutFile(const std::wstring& path);

// Decodes the bytes of a shortcut file into text (see ReadShortcutFile).
std::wstring DecodeShortcutBytes(std::string_view bytes);

}  // namespace vellumate
