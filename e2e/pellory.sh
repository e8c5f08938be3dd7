#!/usr/bin/env bash
# Pellory on the sample SIM: the entries sorted by name, the keypad search
# narrowing the list and Back widening it key by key, the duplicates views,
# the radio going off (Pellory closes without a word) and the card being
# taken out (Pellory says so, then closes).
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

start pellory Pellory
wait_for "the entries sorted by name" in_order Pellory \
    'text "My number:' 'text "  Anna Schmidt /m"' 'text "  Anna Schmidt /w"' 'text "  Åsa Öberg"' 'text "  Balance"' \
    'text "  Bernard Dupré"' 'text "  Carla Baxter /m"' 'text "  Céline Lefèvre"'
expect "the soft keys New and Menu" soft_keys New Menu
shot list >/dev/null

# 2-2-7: "Car" of Carla; each Back takes one key off again.
press 2
wait_for "the search for 2" has_line Pellory 'text "Search: 2 '
press 2 7
wait_for "the search for 227" has_line Pellory 'text "Search: 227 '
expect "Carla found, and nobody else" has_line Pellory 'text "> [x] Carla Baxter /m  1/1"'
expect "her number below" has_line Pellory 'text "= +5215555012345"'
shot search >/dev/null
press back
wait_for "the search for 22 again" has_line Pellory 'text "Search: 22 '
press back back
wait_for "the whole list again" has_line Pellory 'text "My number:'
expect "every entry listed" has_line Pellory 'text "My number:' ' S1/43"'

# The duplicates the sample plants: "Pizza Roma" twice, "Taxi" three times.
press soft2
choose Show
choose Duplicates
wait_for "the duplicates" has_line Pellory 'text "Duplicates '
expect "both Pizza Roma entries and all three Taxi entries" in_order Pellory \
    'text "> [x] Pizza Roma' 'text "  Pizza Roma"' 'text "  Taxi"' 'text "  Taxi"' 'text "  Taxi"'
lacks_line Pellory 'text "  Balance"' || fail "an entry without a twin among the duplicates"
press soft2
choose Show
choose "Redundant Duplicates"
wait_for "the redundant copies" has_line Pellory 'text "Redundant copies '
expect "one Pizza Roma and two Taxi entries" in_order Pellory \
    'text "> [x] Pizza Roma' 'text "  Taxi"' 'text "  Taxi"'
lacks_line Pellory 'text "  Pizza Roma"' || fail "the first Pizza Roma among the redundant copies"
# Digits mean nothing over the duplicates.
press 2
expect "the redundant copies still" has_line Pellory 'text "Redundant copies '
press back
wait_for "the whole list after Back" has_line Pellory 'text "My number:'

# The radio goes off: Pellory closes and says nothing.
vm device sim radio off >/dev/null
wait_for "Pellory gone after the radio went off" absent Pellory
lacks_line '"Error"' 'Static' || fail "a message after the radio went off"
vm device sim radio on >/dev/null

# The card goes: Pellory says so first.
start pellory Pellory
vm device sim remove >/dev/null
wait_for "the message that the card was removed" has_line '"Error"' 'The SIM card was removed.'
press enter
wait_for "Pellory gone after the card went" absent Pellory
vm device sim insert >/dev/null
