// Stands in for the archive browser until it joins the program: every
// archive is one that cannot be opened.
#include "filemanager/ArchiveBrowser.h"

BrowseResult BrowseArchive(HWND, const String&)
{
    return BrowseResult::CannotOpen;
}
