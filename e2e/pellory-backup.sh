#!/usr/bin/env bash
# Pellory's backups with keys only: the general phonebook saved to the
# storage card (a file of 148 bytes of header and 114 bytes for each of the
# sample's 43 entries), the card changed, the backup restored and the old
# entries back; then the same backup restored onto a SIM of 20 positions,
# which takes the first twenty entries with a number and says that not all
# of them fitted.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

# new_card POSITIONS NAME NUMBER: a card of that many positions holding one
# entry, put into the handset while Pellory is closed.
new_card() {
    local file="$E2E_TMP/card.txt"
    printf '[card]\npresent=yes\nradio=on\nmin_index=1\nmax_index=%s\nnumber_length=40\nname_length=16\n' "$1" >"$file"
    printf 'provider=Vellum Mobile\nprovider_display=1\n\n[phonebook:16]\n1\t%s\t2\t%s\n' "$3" "$2" >>"$file"
    vm device sim radio off >/dev/null
    wait_for "Pellory gone" absent Pellory
    vm device sim seal "$file" >/dev/null
    start pellory Pellory
}

restore_before() {
    press soft2
    choose "SIM Card"
    choose "Restore from Card..."
    wait_for "the restore dialog with the backup" has_line '"Restore"' 'text "> Before  '
    shot restore >/dev/null
    press soft1
    wait_for "the question before the SIM is rewritten" has_line '"Error"' 'Restoring replaces every entry'
    press enter
}

start pellory Pellory
wait_for "the list" has_line Pellory 'text "My number:' ' S1/43"'

# Back up: the menu, the name, Save.
press soft2
choose "SIM Card"
choose "Back Up to Card..."
wait_for "the save dialog" in_front '"Back Up"'
expect "the storage card chosen" has_line '"Back Up"' 'row 0 "Storage Card" selected'
expect "Save dimmed without a name" soft_keys "Save (dimmed)" Cancel
press text:Before
wait_for "the name typed" has_line '"Back Up"' 'Edit id=1030 "Before"'
shot save >/dev/null
press soft1
wait_for "the list again" in_front Pellory
backup=$(device_file '\Storage Card\Before.ztc')
[ -f "$backup" ] || fail "no Before.ztc on the storage card"
[ "$(stat -c %s "$backup")" -eq $((148 + 43 * (2 + 2 * 16 + 2 * 40))) ] || fail "Before.ztc is $(stat -c %s "$backup") bytes"
[ "$(head -c 28 "$backup" | iconv -f UTF-16LE -t UTF-8)" = "Pellory 1.10 1" ] || fail "Before.ztc does not begin with its identification"

# Another card's entries, then the backup restored over them.
new_card 250 Stranger 999
wait_for "only the new card's entry" has_line Pellory 'text "My number:' ' S1/1"'
restore_before
wait_for "the sample's entries back" has_line Pellory 'text "My number:' ' S1/43"'
expect "the stranger gone from the card" off_card Stranger
expect "Anna back at her position" on_card 1 +441632960001 "Anna Schmidt /m"
expect "the last position back too" on_card 61 +6625550123
expect "every entry on the card" on_card "43 of 250 positions used"

# A smaller card: the backup's entries go into its first positions.
new_card 20 Stranger 999
restore_before
wait_for "the question about the larger SIM" has_line '"Error"' 'more positions'
press enter
wait_for "the notice that not all fitted" has_line '"Error"' 'Some entries of the backup'
press enter
wait_for "a full card of twenty entries" has_line Pellory 'text "My number:' ' S1/20"'
expect "all twenty positions used" on_card "20 of 20 positions used"
off_card Stranger || fail "the stranger still on the smaller card"
