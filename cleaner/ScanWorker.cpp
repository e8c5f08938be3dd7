#include "cleaner/ScanWorker.h"

#include "cleaner/MailStoreAccess.h"
#include "cleaner/VoiceNotes.h"

#include <string>

namespace {

void Add(ScanProgress& progress, DWORD size, const std::function<void()>& changed)
{
    progress.count.fetch_add(1);
    progress.size.fetch_add(size);
    changed();
}

void ScanDatabase(ScanProgress& progress, const wchar_t* database, const std::function<void()>& changed)
{
    MailStoreAccess store;
    DWORD count = 0;
    DWORD size = 0;
    if (!store.Mount(PhoneVolume) || !store.DatabaseUsage(database, count, size))
        return;
    progress.count.store(count);
    progress.size.store(size);
    changed();
}

// False when the folder's database cannot be opened: that ends the scan.
bool ScanFolder(ScanProgress& progress, MailStoreAccess& store, const std::wstring& folder, MessageService service,
                DWORD classId, const std::function<void()>& changed)
{
    if (!store.OpenFolder(folder, service, classId, progress.category.filter))
        return false;
    DWORD size = 0;
    while (!progress.stop.load() && store.NextMessage(size))
        Add(progress, size, changed);
    store.CloseFolder();
    return true;
}

void ScanMessages(ScanProgress& progress, const std::function<void()>& changed)
{
    const Category& category = progress.category;
    const MessageService service =
        category.content == CategoryContent::Mail ? MessageService::Mail : MessageService::TextMessages;
    MailStoreAccess store;
    if (!store.Mount(MailVolume))
        return;
    const DWORD classId = store.MessageClassId(service);
    if (!classId)
        return;
    if (category.folderId != 0) {
        std::wstring folder;
        if (store.FindMailFolder(category.folderId, folder))
            ScanFolder(progress, store, folder, service, classId, changed);
        return;
    }
    if (!store.ListFolders(service))
        return;
    for (const std::wstring& folder : store.Folders()) {
        if (progress.stop.load() || !ScanFolder(progress, store, folder, service, classId, changed))
            break;
    }
}

}  // namespace

void RunScan(ScanProgress& progress, const std::function<void()>& changed)
{
    try {
        switch (progress.category.content) {
        case CategoryContent::CallLog:
            ScanDatabase(progress, CallLogDatabase, changed);
            break;
        case CategoryContent::SpeedDial:
            ScanDatabase(progress, SpeedDialDatabase, changed);
            break;
        case CategoryContent::VoiceNotes:
            ForEachVoiceNote([&](const std::wstring&, DWORD size) { Add(progress, size, changed); });
            break;
        case CategoryContent::Mail:
        case CategoryContent::TextMessages:
            ScanMessages(progress, changed);
            break;
        }
    } catch (...) {
        // What was counted stays counted; the scan simply ends.
    }
    progress.stop.store(true);
    changed();
}

ScanThread::ScanThread(ScanProgress& progress, std::function<void()> changed)
    : m_progress(progress), m_thread([&progress, changed = std::move(changed)] { RunScan(progress, changed); })
{
}

ScanThread::~ScanThread()
{
    m_progress.stop.store(true);
    if (m_thread.joinable())
        m_thread.join();
}
