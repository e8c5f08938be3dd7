#include "cleaner/CategoryDeletion.h"

#include "cleaner/MailStoreAccess.h"
#include "cleaner/VoiceNotes.h"
#include "cleaner/resource.h"

#include <string>

namespace {

DeletionResult Done(UINT message, unsigned count)
{
    DeletionResult result;
    result.succeeded = true;
    result.message = message;
    result.count = count & 0xFFFF;
    return result;
}

DeletionResult Failed(UINT message)
{
    DeletionResult result;
    result.message = message;
    result.style = StatusStyle::Error;
    return result;
}

DeletionResult DeleteMessages(const Category& category)
{
    const bool mail = category.content == CategoryContent::Mail;
    const MessageService service = mail ? MessageService::Mail : MessageService::TextMessages;
    const UINT summary = mail ? IDS_MAIL_DELETED : IDS_TEXTS_DELETED;
    MailStoreAccess store;
    if (!store.Mount(MailVolume))
        return Failed(IDS_NO_VOLUME);

    bool countersChanged = false;
    const auto deleteFolder = [&](const std::wstring& folder, unsigned& deleted) {
        bool changed = false;
        const bool ok = store.DeleteMessages(folder, service, category.filter, deleted, changed);
        countersChanged = countersChanged || changed;
        return ok;
    };
    const auto finish = [&](DeletionResult result) {
        result.closeMailWindow = countersChanged && store.MajorVersion() >= 4;
        return result;
    };

    if (category.folderId != 0) {
        std::wstring folder;
        if (!store.FindMailFolder(category.folderId, folder))
            return Failed(IDS_NO_FOLDERS);
        unsigned deleted = 0;
        if (!deleteFolder(folder, deleted))
            return finish(Failed(IDS_MESSAGES_NOT_DELETED));
        return finish(Done(summary, deleted));
    }

    if (!store.ListFolders(service))
        return Failed(IDS_NO_FOLDERS);
    // All e-mail stops at the first folder that fails; the others go on and
    // report the failure at the end.
    const bool stopAtFailure = category.name == IDS_CATEGORY_ALL_MAIL;
    unsigned total = 0;
    bool failed = false;
    for (const std::wstring& folder : store.Folders()) {
        unsigned deleted = 0;
        const bool ok = deleteFolder(folder, deleted);
        total += deleted;
        if (!ok) {
            failed = true;
            if (stopAtFailure)
                break;
        }
    }
    return finish(failed ? Failed(IDS_MESSAGES_NOT_DELETED) : Done(summary, total));
}

DeletionResult DeleteRecords(const wchar_t* database, UINT done, UINT failure)
{
    MailStoreAccess store;
    if (!store.Mount(PhoneVolume))
        return Failed(IDS_NO_VOLUME);
    unsigned deleted = 0;
    bool missing = false;
    if (!store.DeleteAllRecords(database, deleted, missing))
        return Failed(failure);
    return Done(done, deleted);
}

}  // namespace

DeletionResult DeleteCategory(const Category& category)
{
    switch (category.content) {
    case CategoryContent::Mail:
    case CategoryContent::TextMessages:
        return DeleteMessages(category);
    case CategoryContent::CallLog:
        return DeleteRecords(CallLogDatabase, IDS_CALLS_DELETED, IDS_CALLS_NOT_DELETED);
    case CategoryContent::SpeedDial:
        return DeleteRecords(SpeedDialDatabase, IDS_SPEED_DIALS_DELETED, IDS_SPEED_DIALS_NOT_DELETED);
    case CategoryContent::VoiceNotes: {
        unsigned deleted = 0;
        if (!DeleteVoiceNotes(deleted))
            return Failed(IDS_NOTE_NOT_DELETED);
        return Done(IDS_NOTES_DELETED, deleted);
    }
    }
    return Failed(IDS_NO_VOLUME);
}
