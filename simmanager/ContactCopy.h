// Copying phone numbers between the SIM phonebook and the Contacts database:
// the list of contacts with their numbers, the marked numbers into free SIM
// slots, and the marked SIM entries into contacts. The contacts calls raise
// error reports (ContactsSession.h) that the caller's error frame catches.
#pragma once

#include "simmanager/ContactList.h"
#include "simmanager/EntryView.h"
#include "simmanager/SimAccess.h"
#include "simmanager/SimMessages.h"

class ContactsSession;

// Every contact with a name part and a number, in the database's order, its
// numbers reduced to the number characters.
ContactList ReadContactList(ContactsSession& session, const NumberKindLabels& labels);

// The marked numbers of the list, contact by contact and kind by kind, each
// into the next empty slot of the current store under its composed name,
// then the current view sorted again. False, with error 40149 and nothing
// written, when there are fewer empty slots than marked numbers. Numbers that
// no slot takes are told once (40172) at the end.
bool CopyNumbersToSim(const ContactList& list, SimAccess& sim, const NumberKindLabels& labels,
                      const ViewOptions& options, SimMessages& messages);

// The restriction that finds the contacts a SIM entry may belong to.
String ContactRestriction(const wchar_t* firstName, const wchar_t* lastName);

// Every marked row of the current view into Contacts: the number goes into
// its kind's property of the contact with the entry's first and last name
// whose property is free, else into a new contact; an entry whose number a
// contact of that name already holds (in its digits) is left out.
void CopyMarkedToContacts(ContactsSession& session, const EntryView& view, const NumberKindLabels& labels,
                          SimMessages& messages);
