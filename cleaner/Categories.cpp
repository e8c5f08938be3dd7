#include "cleaner/Categories.h"

#include "cleaner/resource.h"

#include <iterator>

namespace {

using enum CategoryContent;

constexpr Category Table[] = {
    {IDS_CATEGORY_ALL_MAIL, ID_DELETE_ALL_MAIL, Mail, 0, AllMessages},
    {IDS_CATEGORY_READ_MAIL, ID_DELETE_READ_MAIL, Mail, 0, ReadMessages},
    {IDS_CATEGORY_INBOX, ID_DELETE_INBOX, Mail, 0x10000001, AllMessages},
    {IDS_CATEGORY_OUTBOX, ID_DELETE_OUTBOX, Mail, 0x20000001, AllMessages},
    {IDS_CATEGORY_SENT, ID_DELETE_SENT, Mail, 0x30000001, AllMessages},
    {IDS_CATEGORY_DELETED, ID_DELETE_DELETED, Mail, 0x40000001, AllMessages},
    {IDS_CATEGORY_DRAFTS, ID_DELETE_DRAFTS, Mail, 0x60000001, AllMessages},
    {IDS_CATEGORY_ALL_TEXTS, ID_DELETE_ALL_TEXTS, TextMessages, 0, AllMessages},
    {IDS_CATEGORY_READ_TEXTS, ID_DELETE_READ_TEXTS, TextMessages, 0, ReadMessages},
    {IDS_CATEGORY_CALL_LOG, ID_DELETE_CALL_LOG, CallLog, 0, 0},
    {IDS_CATEGORY_SPEED_DIAL, ID_DELETE_SPEED_DIAL, SpeedDial, 0, 0},
    {IDS_CATEGORY_VOICE_NOTES, ID_DELETE_VOICE_NOTES, VoiceNotes, 0, 0},
};

}  // namespace

std::span<const Category> Categories() noexcept
{
    return Table;
}

const Category* CategoryNamed(UINT name) noexcept
{
    for (const Category& category : Table) {
        if (category.name == name)
            return &category;
    }
    return nullptr;
}

const Category* CategoryOfCommand(UINT command) noexcept
{
    for (const Category& category : Table) {
        if (category.command == command)
            return &category;
    }
    return nullptr;
}
