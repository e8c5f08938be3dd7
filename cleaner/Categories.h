// The clean-up categories: what each one holds, where it lives and which
// command deletes it. A category is named by the number of its name string;
// the two strings after it are its count label and its description.
#pragma once

#include <windows.h>

#include <span>

enum class CategoryContent { Mail, TextMessages, CallLog, SpeedDial, VoiceNotes };

// Which messages a category takes, by their read flag.
inline constexpr DWORD ReadMessages = 1;
inline constexpr DWORD UnreadMessages = 2;
inline constexpr DWORD AllMessages = ReadMessages | UnreadMessages;

struct Category {
    UINT name;      // string number; also the scan dialog's title
    UINT command;   // the main window's delete command
    CategoryContent content;
    DWORD folderId;  // one e-mail folder, or 0 for every folder of the service
    DWORD filter;    // ReadMessages, AllMessages; 0 for what has no messages

    UINT CountLabel() const noexcept { return name + 1; }
    UINT Description() const noexcept { return name + 2; }
    bool HasMessages() const noexcept
    {
        return content == CategoryContent::Mail || content == CategoryContent::TextMessages;
    }
};

std::span<const Category> Categories() noexcept;
const Category* CategoryNamed(UINT name) noexcept;
const Category* CategoryOfCommand(UINT command) noexcept;
