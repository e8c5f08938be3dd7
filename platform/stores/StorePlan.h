// What the store generator writes: a handset's mail store, call log, speed
// dial and voice notes, made from a seed so that the same request always
// gives the same store, byte for byte. The plan is plain data; StoreWriter
// puts it into the volumes and files, StorePrediction says what a scan of it
// finds.
//
// Portable C++ without Win32; text is UTF-16 code units in wchar_t, as the
// platform counts it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vellumate::stores {

struct PlannedAttachment {
    std::uint32_t id = 0;
    std::wstring name;
    std::uint32_t size = 0;  // bytes of its file
};

struct PlannedMessage {
    std::uint32_t id = 0;
    std::uint32_t folderId = 0;
    bool text = false;         // a text message (no body file, no attachments)
    bool hasFlags = true;      // drafts carry no flags: they count as read
    bool read = true;
    std::wstring subject;      // e-mail: the subject; text message: its first words
    std::wstring sender;       // the other party: sender, or recipient of sent mail
    std::uint64_t time = 0;    // file time, UTC
    std::wstring header;       // e-mail: the header lines kept in "pmailMsgs"
    std::wstring body;         // text message: its text, kept in "pmailMsgs"
    std::uint32_t bodySize = 0;  // e-mail: bytes of its body file
    std::vector<PlannedAttachment> attachments;

    bool IsUnread() const noexcept { return hasFlags && !read; }
};

struct PlannedCall {
    std::wstring number;
    std::wstring name;         // empty for a number not in the contacts
    std::uint64_t time = 0;    // file time, UTC
    std::uint32_t duration = 0;  // seconds; 0 for a missed call
    std::uint32_t direction = 0;
};

struct PlannedSpeedDial {
    std::uint32_t key = 0;
    std::wstring number;
    std::wstring name;
};

struct PlannedNote {
    std::wstring name;         // "Note 1.wav"
    std::uint32_t dataBytes = 0;  // sound bytes after the 44-byte header
};

struct StoreRequest {
    std::uint32_t seed = 1;
    std::uint32_t emails = 60;
    std::uint32_t texts = 30;
    std::uint32_t calls = 20;
    std::uint32_t speedDials = 8;
    std::uint32_t notes = 4;
};

// The most each part may have: what a handset's store could hold, and what
// keeps the numbers of one plan inside their 32-bit fields.
inline constexpr std::uint32_t MaxMessages = 1000000;
inline constexpr std::uint32_t MaxCalls = 100000;
inline constexpr std::uint32_t MaxSpeedDials = 98;  // keys 2 to 99
inline constexpr std::uint32_t MaxNotes = 1000;

struct StorePlan {
    std::vector<PlannedMessage> messages;  // e-mail first, then text messages
    std::vector<PlannedCall> calls;        // newest first
    std::vector<PlannedSpeedDial> speedDials;
    std::vector<PlannedNote> notes;
};

// The plan for a request; counts above the maxima are cut to them.
StorePlan MakeStorePlan(const StoreRequest& request);

// The bytes of files the plan names: an e-mail's body, an attachment, a voice
// note (a RIFF/WAVE file: 8 kHz, 8-bit mono PCM).
std::string BodyFileBytes(const PlannedMessage& message);
std::string AttachmentFileBytes(const PlannedMessage& message, const PlannedAttachment& attachment);
std::string NoteFileBytes(const PlannedNote& note);
inline constexpr std::uint32_t WaveHeaderBytes = 44;
inline constexpr std::uint32_t NoteSampleRate = 8000;

}  // namespace vellumate::stores
