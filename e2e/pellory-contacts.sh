#!/usr/bin/env bash
# Pellory and the handset's Contacts: two marked SIM entries copied into
# Contacts, where their labels put the numbers into a home and a mobile field
# of one contact; then a contact's two numbers copied from the contacts list
# onto the SIM under names made of the contact's names and the labels.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

# contact_has NAME PROPERTY VALUE: the contact shown as NAME holds VALUE in PROPERTY.
contact_has() {
    awk -v name="$1" -v want="  $2: $3" '
        /^[^ ]/ { inside = index($0, name) > 0 }
        inside && $0 == want { found = 1 }
        END { exit found ? 0 : 1 }' <(vm device contacts show)
}
no_contact() { ! contact_has "$@"; }

start pellory Pellory
wait_for "the list" has_line Pellory 'text "My number:'
expect "no Mike O'Neil in Contacts yet" no_contact "Mike O'Neil" FirstName Mike

# Both Mike O'Neil entries ("/h" and "/m"), marked together, to Contacts.
press 6 4 5 3
wait_for "the two Mike entries" has_line Pellory 'text "Search: 6453 '
press soft2
choose Mark
choose "All Entries"
wait_for "both marked" has_line Pellory ' S2/'
press soft2
choose Contacts
choose "Copy Marked to Contacts"
wait_for "the list back after the copy" in_front Pellory
expect "a contact Mike O'Neil" contact_has "Mike O'Neil" LastName "O'Neil"
expect "the /h number in the home field" contact_has "Mike O'Neil" HomeTelephoneNumber +15555550100
expect "the /m number in the mobile field of the same contact" \
    contact_has "Mike O'Neil" MobileTelephoneNumber +15555550101
[ "$(vm device contacts show | grep -c "Mike O'Neil")" -eq 1 ] || fail "Mike O'Neil is in Contacts more than once"

# From Contacts: Ann Lee is the first contact; Enter on her name marks both
# her numbers, and Copy writes them onto the SIM.
press back back back back
wait_for "the whole list" has_line Pellory 'text "My number:'
press soft2
choose Contacts
choose "Copy from Contacts..."
wait_for "the contacts list" has_line "\"Pellory\"" 'text "> Ann  Lee  1/'
expect "her mobile number, digits only, with its label" has_line "\"Pellory\"" 'text "  01614960101  m"'
expect "her home number" has_line "\"Pellory\"" 'text "  01614960102  h"'
expect "contacts with numbers only" lacks_line "\"Pellory\"" 'Plumber'
shot contacts >/dev/null
press enter
wait_for "both of Ann's numbers marked" has_line "\"Pellory\"" 'text "  [x] 01614960102  h"'
expect "the name line marked with them" has_line "\"Pellory\"" 'text "> [x] Ann  Lee  1/'
press soft1
wait_for "the list back after the copy" has_line Pellory 'text "My number:'
expect "Ann's mobile on the card" on_card 01614960101 "Ann Lee/m"
expect "Ann's home number on the card" on_card 01614960102 "Ann Lee/h"
press 2 6 6
wait_for "the new entries in the list" has_line Pellory 'Ann Lee/h'
shot after-copy >/dev/null
