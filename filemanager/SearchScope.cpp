#include "filemanager/SearchScope.h"

#include "filemanager/DeviceFiles.h"
#include "framework/Paths.h"

#include <windows.h>

namespace {

bool HasWildcard(const String& text)
{
    return text.FindOneOf(L"*?") >= 0;
}

// Every component between the "\"s must be a name the handset accepts; an
// empty one ("\A\\B") is not.
bool ComponentsAreNames(const String& folder)
{
    for (int start = 1; start <= folder.Length();) {
        int end = folder.Find(L'\\', start);
        if (end < 0)
            end = folder.Length();
        if (!ValidateFileName(folder.Mid(start, end - start), nullptr, nullptr, nullptr))
            return false;
        start = end + 1;
    }
    return true;
}

bool IsExistingFolder(const String& folder)
{
    WIN32_FIND_DATAW entry;
    return folder.IsEmpty() || (FindEntry(folder, entry) && (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY));
}

}  // namespace

String WidenPattern(const String& pattern)
{
    const int dot = pattern.ReverseFind(L'.');
    if (dot < 0) {
        if (!HasWildcard(pattern))
            return L"*" + pattern + L"*";
        // "ab*" has an empty extension; "ab?" keeps its length.
        return pattern.Find(L'?') >= 0 ? pattern : pattern + L".*";
    }
    const String name = pattern.Left(dot);
    String extension = pattern.Mid(dot + 1);
    if (!extension.IsEmpty())
        extension += L'*';
    else if (name.Find(L'?') < 0)
        extension = L"*";
    return name + L"." + extension;
}

std::vector<String> SplitPatterns(const String& patternField)
{
    std::vector<String> patterns;
    for (int start = 0; start < patternField.Length();) {
        int end = patternField.Find(L' ', start);
        if (end < 0)
            end = patternField.Length();
        if (end > start)
            patterns.push_back(WidenPattern(patternField.Mid(start, end - start)));
        start = end + 1;
    }
    return patterns;
}

SearchScope ResolveSearchScope(const String& patternField, const String& folderField)
{
    SearchScope scope;
    String folder = folderField;
    if (folder.Length() > 0 && folder[folder.Length() - 1] == L'\\')
        folder.Delete(folder.Length() - 1);
    String patterns = patternField;
    const int separator = patternField.ReverseFind(L'\\');
    if (separator >= 0) {
        folder = patternField.Left(separator);
        patterns = patternField.Mid(separator + 1);
    }

    if (!folder.IsEmpty() && folder[0] != L'\\') {
        scope.refusal = ScopeRefusal::BadFolder;
        scope.refusedText = folder;
        return scope;
    }
    if (patternField.Find(L"\\\\") == 0) {
        scope.refusal = ScopeRefusal::NetworkPath;
        scope.refusedText = patternField;
        return scope;
    }
    if (!ComponentsAreNames(folder) || !IsExistingFolder(folder)) {
        scope.refusal = ScopeRefusal::BadFolder;
        scope.refusedText = folder;
        return scope;
    }
    scope.folder = folder;
    scope.patterns = SplitPatterns(patterns);
    return scope;
}
