// What the properties of an archive member show: its names, its sizes (for a
// folder the totals of what it holds) and how much the archive saved. No
// window code.
#pragma once

#include "filemanager/ArchiveListing.h"
#include "framework/String.h"

#include <cstdint>
#include <span>

struct ArchiveMember;

struct MemberSummary {
    String leaf;
    String folder;  // the member's folder part, "" at the archive's root
    bool isFolder = false;
    // Inside a folder, at any depth (a folder named only by its members
    // counts too); 0 for a file.
    long long folders = 0;
    long long files = 0;
    std::uint64_t uncompressed = 0;
    std::uint64_t compressed = 0;
    std::uint64_t time = 0;  // file time; 0 for a folder without an entry
};

// The summary of a row of the listing over `members` (the listing's own).
MemberSummary SummarizeRow(const ArchiveListing& listing, std::span<const ArchiveMember> members, int row);

// How much smaller the compressed size is, in per cent: "0 %" for an empty
// member, else two decimals ("37.50 %"), or the whole number when the
// decimals round to ".00" ("50 %"; more than the original reads negative).
String CompressionText(std::uint64_t compressed, std::uint64_t uncompressed);
