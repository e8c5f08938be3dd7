#include "filemanager/DuplicateNames.h"

namespace {

// Far more copies than a folder holds: a predicate that calls every name
// taken must not hang the copy.
constexpr int LastNumber = 1000000;

}  // namespace

String DuplicateName(const String& name, const String& firstPrefix, const String& numberedPrefix,
                     const std::function<bool(const String&)>& taken)
{
    String candidate = firstPrefix + name;
    for (int n = 2; n <= LastNumber && taken(candidate); ++n) {
        String prefix;
        prefix.FormatText(numberedPrefix, n);
        candidate = prefix + name;
    }
    return candidate;
}
