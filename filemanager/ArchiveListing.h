// What the archive browser shows: the members of one archive folder as rows,
// sorted, the folder it starts in, where going up leads, and which members a
// choice of rows stands for. No window code.
//
// A folder that members lie in but that has no entry of its own (zip writers
// often record none) still shows as a folder row, so that every member can
// be reached.
#pragma once

#include "filemanager/SelectionChoice.h"
#include "framework/String.h"

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct ArchiveMember;

// One row of the browser.
struct ArchiveRow {
    int member = -1;  // the member's index in the archive; -1 for a folder without an entry
    String leaf;      // the name within the folder
    bool isFolder = false;
    bool encrypted = false;
    std::uint32_t size = 0;  // uncompressed; 0 for folders
    std::uint64_t time = 0;  // file time; 0 for a folder without an entry
    std::string sortKey;     // the locale's key of the leaf name
};

// A member's time on the handset as a file time: its DOS time read as local
// time by the framework's date library. The browser's MemberTime.
std::uint64_t HandsetMemberTime(const ArchiveMember& member);

class ArchiveListing {
public:
    // A member's time as a file time, asked for the rows shown only.
    using MemberTime = std::uint64_t (*)(const ArchiveMember& member);

    // The member list stays with the archive, which outlives the listing.
    ArchiveListing(std::span<const ArchiveMember> members, MemberTime memberTime);

    // The folder shown first: the root when some member lies there (or the
    // members lie in more than one top folder); otherwise the folder part of
    // the last member whose folder part is a single component.
    const String& TopFolder() const noexcept { return m_top; }

    // Shows the rows of `folder` ("" the root; matched without regard to
    // case), sorted by the sort state.
    void ShowFolder(const String& folder);
    const String& CurrentFolder() const noexcept { return m_current; }
    bool AtTop() const noexcept { return m_current.CompareNoCase(m_top) == 0; }
    // Where going up leads: the parent folder, the top folder from a folder
    // of the root. False at the top (the browser closes).
    bool UpFolder(String& folder) const;

    int RowCount() const noexcept { return static_cast<int>(m_rows.size()); }
    const ArchiveRow& Row(int index) const { return m_rows[static_cast<size_t>(index)]; }
    // The path of a row's folder ("\"-separated, no leading "\").
    String RowPath(int index) const;

    // The sort state word of the folder list (by name, size or date;
    // ascending or descending). Re-sorts the rows shown.
    DWORD SortState() const noexcept { return m_sortState; }
    void SetSortState(DWORD state);

    // The members that rows stand for, in archive order: a file row its
    // member, a folder row its own entry and every member inside it.
    std::vector<int> MembersOf(std::span<const int> rows) const;
    // Every member of the archive.
    std::vector<int> AllMembers() const;

    // The check commands of check mode over the rows shown.
    void ApplyCheckCommand(CheckCommand command, std::vector<bool>& checks) const;

private:
    struct Entry {
        String folder;  // the member's folder part
        String leaf;
    };
    void Sort();
    bool LiesIn(const Entry& entry, const String& folder) const;

    std::span<const ArchiveMember> m_members;
    MemberTime m_memberTime;
    std::vector<Entry> m_entries;
    String m_top;
    String m_current;
    std::vector<ArchiveRow> m_rows;
    DWORD m_sortState = 0;
};
