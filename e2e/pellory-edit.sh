#!/usr/bin/env bash
# Pellory changes the card: a new entry made in the editor, which the card
# keeps over a restart; an edit, a prefix added to marked numbers and a
# delete of marked entries, which it keeps too; and Talk, which the home
# shell shows as a call.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

start pellory Pellory
wait_for "the list" has_line Pellory 'text "My number:'

# A new entry: the left soft key, a name, Down to the number, OK.
press soft1
wait_for "the editor for a new entry" in_front '"New Entry"'
press text:Zed down
wait_for "the number field in focus" has_line '"New Entry"' 'Edit id=1002 ""' focused
press 5 5 5 0 1 0 0 soft1
wait_for "the new entry focused in the list" has_line Pellory 'text "> [x] Zed  '
expect "its number below" has_line Pellory 'text "= 5550100"'
expect "the new entry on the card" on_card 5550100 Zed

# The card keeps it over a restart (the radio off closes Pellory).
vm device sim radio off >/dev/null
wait_for "Pellory gone" absent Pellory
vm device sim radio on >/dev/null
start pellory Pellory
press 9 3 3
wait_for "Zed found by its keys" has_line Pellory 'text "> [x] Zed  1/1"'

# Edit: Enter opens the editor on the entry; the number gets another digit.
press enter
wait_for "the editor on Zed" in_front '"Edit Entry"'
expect "the name in the editor" has_line '"Edit Entry"' 'Edit id=1001 "Zed"'
press down
wait_for "the number field in focus" has_line '"Edit Entry"' 'Edit id=1002 "5550100"' focused
press 7
wait_for "a digit added at the end" has_line '"Edit Entry"' 'Edit id=1002 "55501007"'
press soft1
wait_for "the list after the edit" in_front Pellory
expect "the edited number on the card" on_card 55501007 Zed

# Add a prefix to the three Taxi numbers, marked together.
press 8 2 9
wait_for "the three Taxi entries" has_line Pellory 'text "Search: 829 '
press soft2
choose Mark
choose "All Entries"
wait_for "all three marked" has_line Pellory 'S3/44"'
press soft2
choose Numbers
choose "Add Prefix..."
wait_for "the prefix dialog" in_front '"Add Prefix"'
press 4 9 soft1
wait_for "the list after the prefix" in_front Pellory
expect "the prefix on the first Taxi number" on_card 28 490555999000 Taxi
expect "and on the third" on_card 30 490555999000 Taxi

# Delete: both Pizza Roma entries, marked together, OK to the question.
press 7 4 9
wait_for "the two Pizza Roma entries" has_line Pellory 'text "Search: 749 '
press soft2
choose Mark
choose "All Entries"
wait_for "both marked" has_line Pellory 'S2/44"'
press soft2
choose Delete
wait_for "the delete question" has_line '"Error"' 'Delete the marked entries'
press enter
wait_for "the search without them" has_line Pellory 'text "No match: 749 '
expect "Pizza Roma gone from the card" off_card "Pizza Roma"

# The card keeps the edit, the prefix and the delete over a restart.
vm device sim radio off >/dev/null
wait_for "Pellory gone" absent Pellory
vm device sim radio on >/dev/null
start pellory Pellory
wait_for "the list again, two entries fewer" has_line Pellory 'text "My number:' ' S1/42"'
press 9 3 3
wait_for "Zed found" has_line Pellory 'text "> [x] Zed  1/1"'
expect "with the edited number" has_line Pellory 'text "= 55501007"'
press back back back
press 8 2 9
wait_for "the Taxi entries" has_line Pellory 'text "> [x] Taxi  1/3"'
expect "with the prefix" has_line Pellory 'text "= 490555999000"'
press back back back
press 7 4 9
wait_for "no Pizza Roma" has_line Pellory 'text "No match: 749 '

# Talk on Balance: the home shell shows the call.
press back back back
wait_for "the whole list" has_line Pellory 'text "My number:'
press 2 2 5
wait_for "Balance found" has_line Pellory 'text "> [x] Balance  1/2"'
press talk
wait_for "the calling notice" has_line VellumateCallNotice '*100#'
shot calling >/dev/null
press end
wait_for "the notice gone" absent VellumateCallNotice
expect "the call kept as the last dialled" grep -q '\*100#' "$E2E_TMP/device/lastcall.txt"
