#include "simmanager/MenuRules.h"

#include "simmanager/resource.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

namespace {

// Reserved commands of the menu that have no action.
constexpr UINT ReservedCommands[] = {40204, 40205, 40206, 40207, 40208};

bool IsOneOf(UINT command, std::initializer_list<UINT> commands) noexcept
{
    return std::find(commands.begin(), commands.end(), command) != commands.end();
}

// The commands that change entries: only on the general phonebook of a ready SIM.
bool NeedsReadySim(UINT command) noexcept
{
    return IsOneOf(command, {ID_EDIT_ENTRY, ID_DELETE_MARKED, ID_BACKUP, ID_RESTORE, ID_COPY_FROM_CONTACTS,
                             ID_DUPLICATE_MARKED, ID_ADD_PREFIX, ID_REMOVE_PREFIX, ID_REPLACE_TEXT, ID_MARK_ENTRIES,
                             ID_MARK_ALL});
}

// The commands that need the phonebooks read once, whatever the SIM does now.
bool NeedsLoadedPhonebooks(UINT command) noexcept
{
    return IsOneOf(command, {ID_DIAL, ID_COPY_TO_CONTACTS, ID_PHONE_INFO, ID_SETTINGS}) ||
           std::find(std::begin(ReservedCommands), std::end(ReservedCommands), command) != std::end(ReservedCommands);
}

bool GreyedByView(UINT command, const MenuContext& context) noexcept
{
    if (!context.hasFocus && IsOneOf(command, {ID_DIAL, ID_EDIT_ENTRY, ID_DELETE_MARKED, ID_COPY_TO_CONTACTS,
                                               ID_ADD_PREFIX, ID_REMOVE_PREFIX, ID_DUPLICATE_MARKED, ID_REPLACE_TEXT}))
        return true;
    if (context.markedCount >= 2 && IsOneOf(command, {ID_DIAL, ID_EDIT_ENTRY}))
        return true;
    return context.viewEmpty &&
           IsOneOf(command, {ID_DIAL, ID_DELETE_MARKED, ID_EDIT_ENTRY, ID_COPY_TO_CONTACTS, ID_BACKUP,
                             ID_DUPLICATE_MARKED, ID_ADD_PREFIX, ID_REMOVE_PREFIX, ID_REPLACE_TEXT, ID_MARK_ENTRIES,
                             ID_MARK_ALL});
}

}  // namespace

EnableState MenuCommandState(UINT command, const MenuContext& context) noexcept
{
    const bool usable = context.genericStore && context.simReady;
    const bool ruled = NeedsReadySim(command) || NeedsLoadedPhonebooks(command);
    if (!ruled && !GreyedByView(command, context))
        return std::nullopt;
    if (!usable) {
        if (NeedsReadySim(command))
            return false;
        // Without a ready SIM the phonebooks read at the start still serve.
        return context.phonebooksLoaded ? EnableState(true) : EnableState(false);
    }
    return !GreyedByView(command, context);
}

UINT ShownFilterCommand(ViewKind kind) noexcept
{
    switch (kind) {
    case ViewKind::Duplicates:
        return ID_SHOW_DUPLICATES;
    case ViewKind::Redundant:
        return ID_SHOW_REDUNDANT;
    default:
        return ID_SHOW_ALL;
    }
}
