#include "filemanager/TemporaryFolders.h"

#include "filemanager/DeleteTree.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/PreferenceBits.h"
#include "filemanager/archive/Win32ArchiveFiles.h"

#include "platform/FlashCard.h"
#include "platform/Handles.h"
#include "platform/SpecialFolders.h"

namespace {

DWORD g_preferences = 0;

String PersonalFolder()
{
    wchar_t path[MAX_PATH] = L"";
    if (!handset::SHGetSpecialFolderPath(nullptr, path, CSIDL_PERSONAL, FALSE))
        return String();
    return NormalizeFolderPath(path);
}

}  // namespace

String PersonalTopFolder()
{
    const String personal = PersonalFolder();
    if (personal.IsEmpty())
        return String();
    const int slash = personal.Find(L'\\', 1);
    return slash < 0 ? personal.Mid(1) : personal.Mid(1, slash - 1);
}

String FirstStorageCard()
{
    const String personalTop = PersonalTopFolder();
    WIN32_FIND_DATAW found{};
    vellumate::FindHandle cards(FindFirstFlashCard(&found));
    if (!cards)
        return String();
    do {
        const String name(found.cFileName);
        if (name.CompareNoCase(L"Release") != 0 && name.CompareNoCase(personalTop) != 0)
            return name;
    } while (FindNextFlashCard(cards.Get(), &found));
    return String();
}

TemporaryFolderPlaces FindTemporaryFolders()
{
    TemporaryFolderPlaces places;
    const String card = FirstStorageCard();
    if (!card.IsEmpty())
        places.card = L"\\" + card + L"\\" + TemporaryFolderName;
    places.device = JoinPath(PersonalFolder(), TemporaryFolderName);
    return places;
}

String ChooseTemporaryFolder(const TemporaryFolderPlaces& places, DWORD preferences)
{
    if ((preferences & PreferenceArchiveTemporaryOnCard) && !places.card.IsEmpty())
        return places.card;
    return places.device;
}

void SetTemporaryFolderPreferences(DWORD preferences) noexcept
{
    g_preferences = preferences;
}

String MakeTemporaryFolder()
{
    const String folder = ChooseTemporaryFolder(FindTemporaryFolders(), g_preferences);
    Win32OutputSink files;
    return files.MakeFolders(folder.Chars()) ? folder : String();
}

void DeleteTemporaryFolders()
{
    const TemporaryFolderPlaces places = FindTemporaryFolders();
    for (const String& folder : {places.card, places.device})
        if (!folder.IsEmpty() && EntryExists(folder))
            DeleteEntry(folder);
}
