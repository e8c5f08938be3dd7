#!/usr/bin/env bash
# Tarnwell: copy a file from "My Documents" onto the storage card, where one
# of that name waits to be replaced; move a folder of the card back into
# "My Documents" from the tree; duplicate a file twice beside itself.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

start tarnwell "File Manager"
press_until "\"My Documents\" selected in the tree" down has_line "File Manager" '"My Documents"' selected
press soft1
wait_for "the files of \\My Documents\\" has_line "File Manager" 'text " \My Documents\"'

# Copy: the 2 key on "Read me.txt" (up from the last row, past the archives),
# the card in the folder chooser, and the question about the card's own one.
press pound
press_until "\"Read me.txt\" selected" up has_line "File Manager" 'text "> Read me.txt'
press 2
wait_for "the folder chooser" in_front '"Copy To"'
expect "the folder of the item above the chooser" has_line '"Copy To"' 'Static id=1098 "\My Documents\"'
press_until "the storage card chosen" down has_line '"Copy To"' 'row   "Storage Card"' selected
expect "the chooser's soft keys" soft_keys OK Cancel
press soft1
wait_for "the question whether to replace the card's file" in_front '"Replace?"'
expect "the card's file, then the new one" in_order '"Replace?"' \
    '"Replace this item:"' '"...\Read me.txt"' '"45 Bytes, ' '"with this one?"' '"...\Read me.txt"' '"448 Bytes, '
expect "Replace chosen at first" has_line '"Replace?"' '"Replace" @' 'checked focused'
expect "Replace all greyed for a single item" has_line '"Replace?"' '"Replace all"' disabled
shot replace-question >/dev/null
press soft1
wait_for "the list again, in front" in_front "File Manager"
expect "\"Read me.txt\" still selected" has_line "File Manager" 'text "> Read me.txt  448B"'
cmp -s "$(device_file '\My Documents\Read me.txt')" "$(device_file '\Storage Card\Read me.txt')" ||
    fail "the card's \"Read me.txt\" was not replaced by the one of \\My Documents"

# Move: the card's "Music" folder, from the tree with the 6 key, back into
# "My Documents"; its node goes with it.
press soft1
wait_for "the tree again" has_line "File Manager" 'SysTreeView32' focused
press_until "the storage card selected in the tree" down has_line "File Manager" '"Storage Card"' selected
press enter
wait_for "the card's folders in the tree" in_order "File Manager" '"Storage Card" expanded' '"DCIM"' '"Music"'
press_until "\"Music\" selected in the tree" down has_line "File Manager" 'row     "Music"' selected
press 6
wait_for "the folder chooser" in_front '"Move To"'
expect "the folder that holds \"Music\" above the chooser" has_line '"Move To"' 'Static id=1098 "\Storage Card\"'
press_until "\"My Documents\" chosen" down has_line '"Move To"' 'row   "My Documents"' selected
press soft1
wait_for "\"Music\" under \"My Documents\", selected" in_order "File Manager" \
    'row   "My Documents" expanded' 'row     "Music" selected' 'row   "Program Files"'
wait_for "Tarnwell in front again after the move" in_front "File Manager"
card_without_music() { ! in_order "File Manager" '"Storage Card"' '"Music"'; }
expect "no \"Music\" left under the card" card_without_music
expect_file '\My Documents\Music\Doorbell.wav'
expect_no_file '\Storage Card\Music'
shot moved >/dev/null

# Duplicate: "Budget.csv" twice, from the Edit menu; the second copy is
# numbered. Each copy joins the list as the selection.
press_until "\"Business\" selected in the tree" up has_line "File Manager" 'row     "Business"' selected
press soft1
wait_for "the files of \\My Documents\\Business\\" has_line "File Manager" 'text " \My Documents\Business\"'
for copy in "Copy of Budget.csv" "Copy (2) of Budget.csv"; do
    press 1
    press_until "\"Budget.csv\" selected" down has_line "File Manager" 'text "> Budget.csv'
    press soft2
    choose Edit
    choose Duplicate
    wait_for "\"$copy\" in the list, selected" has_line "File Manager" "text \"> ${copy:0:15}"
    expect "one row selected" has_line "File Manager" 'text " 1/'
    cmp -s "$(device_file '\My Documents\Business\Budget.csv')" "$(device_file "\\My Documents\\Business\\$copy")" ||
        fail "\"$copy\" is not a copy of \"Budget.csv\""
done
expect "both copies under the original" in_order "File Manager" \
    'text "  Budget.csv' 'text "  Copy of Budget.csv  1.28K"' 'text "> Copy (2) of '
expect_no_file '\My Documents\Business\Copy of Copy of Budget.csv'
shot duplicated >/dev/null
