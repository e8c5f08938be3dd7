// What the find dialog's fields ask for: the folder to search and the name
// patterns, checked before any search starts. No window code: the find
// dialog shows the refusals.
#pragma once

#include "framework/String.h"

#include <vector>

// Why a search cannot start.
enum class ScopeRefusal {
    None,
    // The folder does not start with "\", has a component that is no valid
    // name, or does not exist (as a folder).
    BadFolder,
    // The pattern field starts with "\\", a network path the handset has not.
    NetworkPath,
};

struct SearchScope {
    ScopeRefusal refusal = ScopeRefusal::None;
    // The text the refusal quotes: the folder, or for NetworkPath the whole
    // pattern field.
    String refusedText;
    // The handset folder to search ("" for the root) and the patterns, each
    // widened, in the order of the field.
    String folder;
    std::vector<String> patterns;
};

// Widens one pattern the way a person types it: split at its last "." into
// name and extension; a name without "*" or "?" and without any "." becomes
// "*" + name + "*"; a non-empty extension gets "*" appended; an empty one
// becomes "*" unless the name holds a "?" ("a." gives "a.*", "a?." stays).
String WidenPattern(const String& pattern);

// The field split at blanks, each piece widened; empty pieces are dropped.
std::vector<String> SplitPatterns(const String& patternField);

// Resolves the two fields: the folder field loses a trailing "\"; when the
// pattern field holds a "\", the text before its last "\" is the folder and
// the rest the patterns. The empty folder is the root. Checks the folder
// (and the network form of the pattern field) against the file system.
SearchScope ResolveSearchScope(const String& patternField, const String& folderField);
