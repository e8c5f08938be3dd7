// BackupFile: one save of the general phonebook to a backup file on a
// storage card, or one restore from such a file. It lives for one command
// and reaches the user only through SimMessages, in the order its steps meet
// the messages; no window code.
//
// A save never leaves half a file where a good backup was: the file is
// written beside its place, flushed, and only then renamed over it. A restore
// reads and checks the whole file before it asks about sizes, and clears the
// SIM only for a file that is sound.
#pragma once

#include "simmanager/BackupFormat.h"
#include "simmanager/SimAccess.h"
#include "simmanager/SimMessages.h"

#include <windows.h>

#include <cstdint>
#include <string>

// The extension of backup files, and the pattern that finds them in a folder.
inline constexpr wchar_t BackupExtension[] = L".ztc";

// The handset path of a file of a storage folder: "\FOLDER\NAME".
std::wstring BackupPath(const wchar_t* folder, const wchar_t* name);

class BackupFile {
public:
    enum class State : std::uint32_t {
        None = 0,
        OverwriteDeclined = 1,  // the file exists and the user kept it
        CannotCreate = 2,       // error 40241
        CannotOpen = 3,         // no message
        NotBackup = 4,          // error 40223
        SmallerDeclined = 5,
        LargerDeclined = 6,
        BadName = 7,  // error 40240
    };

    BackupFile(SimAccess& sim, SimMessages& messages) noexcept : m_sim(sim), m_messages(messages) {}
    BackupFile(const BackupFile&) = delete;
    BackupFile& operator=(const BackupFile&) = delete;

    // Writes every filled slot of the current store to "\FOLDER\NAME.ztc",
    // asking 40220 before an existing file is replaced. True when the file
    // is written.
    bool Save(const wchar_t* folder, const wchar_t* name);

    // Asks 40237, then restores "\FOLDER\FILENAME" into the current store
    // (40221 for a file of a smaller SIM, 40222 of a larger one, which is then
    // packed into the first positions). True when the file could be opened,
    // whatever came of it: the restore dialog has done its work then.
    bool Restore(const wchar_t* folder, const wchar_t* fileName, const ViewOptions& options);

    State ErrorState() const noexcept { return m_state; }
    const std::wstring& Path() const noexcept { return m_path; }
    // Figures of the file written, or of the file read.
    const BackupFigures& WrittenFigures() const noexcept { return m_written; }
    const BackupFigures& ReadFigures() const noexcept { return m_read; }
    bool Packed() const noexcept { return m_pack; }
    // Whether every record that was to be restored is on the card: packed,
    // each one with a number; otherwise each one at a position of the store.
    bool WroteAll() const noexcept { return m_wroteAll; }

private:
    bool Fail(State state, UINT message = 0);
    bool MakePath(const wchar_t* folder, const wchar_t* name, const wchar_t* extension);
    bool ReadWhole(Backup& backup);
    bool AskAboutSize();
    void WriteRecords(const Backup& backup);

    SimAccess& m_sim;
    SimMessages& m_messages;
    std::wstring m_path;
    BackupFigures m_written;
    BackupFigures m_read;
    State m_state = State::None;
    bool m_closed = false;  // the file was opened (and is closed again)
    bool m_pack = false;    // a file of a larger SIM goes into the first positions
    bool m_wroteAll = false;
};
