#include "simmanager/ContactCopy.h"

#include "simmanager/ContactsSession.h"
#include "simmanager/NumberRules.h"
#include "simmanager/resource.h"

#include <optional>

ContactList ReadContactList(ContactsSession& session, const NumberKindLabels& labels)
{
    ContactList list;
    for (int index = 1; index <= session.Count(); ++index) {
        const ContactItem item = session.Item(index);
        const String first = item.FirstName();
        const String middle = item.MiddleName();
        const String last = item.LastName();
        if (first.IsEmpty() && middle.IsEmpty() && last.IsEmpty())
            continue;
        String numbers[NumberKindCount];
        for (int kind = 1; kind <= NumberKindCount; ++kind)
            numbers[kind - 1] = KeepNumberCharacters(item.Number(kind));
        list.Append(ContactRow::Make(first, middle, last, numbers, labels));
    }
    return list;
}

bool CopyNumbersToSim(const ContactList& list, SimAccess& sim, const NumberKindLabels& labels,
                      const ViewOptions& options, SimMessages& messages)
{
    PhonebookStore* store = sim.CurrentStore();
    if (!store)
        return false;
    const int empty = store->EmptyCount();
    if (empty < list.MarkedCount()) {
        messages.ErrorNumber(IDS_TOO_FEW_EMPTY_SLOTS, empty);
        return false;
    }
    int failures = 0;
    for (int index = 0; index < list.RowCount(); ++index) {
        const ContactRow& row = list.Row(index);
        for (int kind = 1; kind <= NumberKindCount; ++kind) {
            if (!row.IsPresent(kind) || !row.IsMarked(kind))
                continue;
            const String name = ComposeSimName(row.firstName, row.lastName, labels.Of(kind), store->NameLimit());
            if (!sim.StoreIntoNextEmpty(name, row.lines[kind]))
                ++failures;
        }
    }
    if (EntryView* view = store->CurrentView())
        view->Sort(options.sortKey, options.rowsPerPage);
    // A write the card refused would otherwise pass for a copied number.
    if (failures > 0)
        messages.Error(IDS_SOME_DUPLICATES_FAILED);
    return true;
}

String ContactRestriction(const wchar_t* firstName, const wchar_t* lastName)
{
    String restriction;
    AppendRestrictionClause(restriction, ContactsFolder, 1u << FirstNameBit, RestrictionOperator::Equal, firstName,
                            RestrictionJoiner::None);
    AppendRestrictionClause(restriction, ContactsFolder, 1u << LastNameBit, RestrictionOperator::Equal, lastName,
                            RestrictionJoiner::Or);
    return restriction;
}

namespace {

// The restriction takes anyone with the first name or the last name; only a
// contact with both is the entry's person.
bool IsSamePerson(const ContactItem& contact, const SplitSimName& name)
{
    return contact.FirstName().CompareNoCase(name.firstName) == 0 &&
           contact.LastName().CompareNoCase(name.lastName) == 0;
}

// The contact that is to take the number, or nothing when one of the entry's
// person already holds it.
struct Receiver {
    bool alreadyThere = false;
    std::optional<ContactItem> contact;
};

Receiver FindReceiver(ContactsSession& session, const SplitSimName& name, const String& number)
{
    Receiver receiver;
    const String restriction = ContactRestriction(name.firstName, name.lastName);
    for (std::optional<ContactItem> candidate = session.Find(restriction); candidate; candidate = session.FindNext()) {
        if (!IsSamePerson(*candidate, name))
            continue;
        const String held = candidate->Number(name.kind);
        // The SIM keeps a number's digits only: "(0161) 496-0101" is 01614960101.
        if (held == number || (!held.IsEmpty() && KeepNumberCharacters(held) == KeepNumberCharacters(number))) {
            receiver.alreadyThere = true;
            return receiver;
        }
        if (held.IsEmpty()) {
            receiver.contact = std::move(candidate);
            return receiver;
        }
    }
    return receiver;
}

ContactItem NewContact(ContactsSession& session, const SplitSimName& name)
{
    ContactItem contact = session.Add();
    contact.SetFileAs(name.firstName + L" " + name.lastName);
    contact.SetFileAs(name.lastName + L", " + name.firstName);
    contact.SetFirstName(name.firstName);
    contact.SetMiddleName(L"");
    contact.SetLastName(name.lastName);
    return contact;
}

}  // namespace

void CopyMarkedToContacts(ContactsSession& session, const EntryView& view, const NumberKindLabels& labels,
                          SimMessages& messages)
{
    for (int row = 0; row < view.RowCount(); ++row) {
        const PhonebookSlot* slot = view.IsMarked(row) ? view.SlotAt(row) : nullptr;
        if (!slot)
            continue;
        const SplitSimName name = SplitSimEntryName(slot->Name(), labels);
        if (name.tooLong)
            messages.Error(IDS_NAME_NOT_SPLIT);
        Receiver receiver = FindReceiver(session, name, slot->Number());
        if (receiver.alreadyThere)
            continue;
        ContactItem contact = receiver.contact ? std::move(*receiver.contact) : NewContact(session, name);
        contact.SetNumber(name.kind, slot->Number());
        contact.Save();
    }
}
