#!/usr/bin/env bash
# Tarnwell's archives, with keys only: Enter on "Locked.zip" in the list opens
# its browser; its encrypted members refuse a wrong password before anything
# is written and extract with "vellum"; extracting into a folder picked in
# the folder chooser asks before replacing (skip, then replace all) and does
# not ask with "overwrite"; testing a damaged copy of "Archive.zip" names the
# damaged member; extract-here makes the folder named after "Trip.zip".
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

# same_as_member ARCHIVE MEMBER FILE [PASSWORD]: FILE holds the member's bytes.
same_as_member() {
    python3 -c '
import sys, zipfile
pwd = sys.argv[4].encode() if len(sys.argv) > 4 else None
sys.exit(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2], pwd=pwd) != open(sys.argv[3], "rb").read())' "$@"
}

# extract_into_card: from the browser, the extract dialog with the storage
# card chosen in the folder chooser (into a folder named after the archive).
extract_into_card() {
    press soft2
    choose "Extract..."
    wait_for "the extract dialog" in_front '"Extract To"'
    press soft2
    choose "Choose Folder..."
    wait_for "the folder chooser" has_line '"Extract To"' 'SysTreeView32 id=1000' focused
    press_until "the storage card chosen" down has_line '"Extract To"' 'row   "Storage Card"' selected
    press soft1
    wait_for "the card as the destination" has_line '"Extract To"' 'ComboBox id=1001 "\Storage Card"'
}

start tarnwell "File Manager"
locked=$(device_file '\My Documents\Locked.zip')
# The damaged copy, made where the list has not looked yet: a byte in the
# middle of the report's deflated data flipped.
python3 - "$(device_file '\My Documents\Business\Archive.zip')" "$(device_file '\My Documents\Personal\Broken.zip')" <<'EOF'
import sys, zipfile
data = bytearray(open(sys.argv[1], "rb").read())
info = zipfile.ZipFile(sys.argv[1]).getinfo("Reports/Quarterly report.txt")
at = info.header_offset
start = at + 30 + int.from_bytes(data[at + 26:at + 28], "little") + int.from_bytes(data[at + 28:at + 30], "little")
data[start + info.compress_size // 2] ^= 0x55
open(sys.argv[2], "wb").write(data)
EOF

press_until "\"My Documents\" selected in the tree" down has_line "File Manager" '"My Documents"' selected
press soft1
wait_for "the files of \\My Documents\\" has_line "File Manager" 'text " \My Documents\"'
press pound
press_until "\"Locked.zip\" selected" up has_line "File Manager" 'text "> Locked.zip'

# Enter on a zip archive opens its browser.
press enter
wait_for "the archive browser" in_front '"Locked.zip"'
expect "the folder, then the plain member" in_order '"Locked.zip"' 'row 0 "Private" ""' 'row 1 "Open.txt" "32B"'
press enter
wait_for "the folder \\Private" has_line '"Locked.zip"' 'Static id=1111 "\Private"'
expect "the encrypted members marked" in_order '"Locked.zip"' 'row 0 "+Diary.txt" "378B"' 'row 1 "+PIN.txt" "6B"'
press soft2
choose Select
choose "All Items"
wait_for "both members selected" in_order '"Locked.zip"' '"+Diary.txt" "378B" selected' '"+PIN.txt" "6B" selected'

# A wrong password is refused before anything is written; Cancel stops.
press soft2
choose "Extract..."
wait_for "the extract dialog" in_front '"Extract To"'
expect "the selected members" has_line '"Extract To"' 'ComboBox id=1149 "The selected items"'
press soft1
wait_for "the password question" in_front '"Password"'
expect "the member asked for" has_line '"Password"' 'id=1075 "Diary.txt"'
expect "the question's soft keys" soft_keys OK Cancel
press text:wrong
press soft1
wait_for "the wrong password refused" has_line '"Error"' '"The password is wrong."'
expect_no_file '\My Documents\Locked'
press enter
wait_for "the password question again, emptied" has_line '"Password"' 'Edit id=1004 ""' focused
press soft2
wait_for "the browser after the cancel" in_front '"Locked.zip"'
expect_no_file '\My Documents\Locked'

# The right password: both members, the second one without a question.
press soft2
choose "Extract..."
wait_for "the extract dialog" in_front '"Extract To"'
press soft1
wait_for "the password question" in_front '"Password"'
press text:vellum
press soft1
wait_for "the browser after the extraction" in_front '"Locked.zip"'
for member in Diary.txt PIN.txt; do
    out=$(device_file "\\My Documents\\Locked\\Private\\$member")
    [ -f "$out" ] || fail "\"$member\" was not extracted with the right password"
    same_as_member "$locked" "Private/$member" "$out" vellum || fail "\"$member\" was extracted with other bytes"
done

# Into a chosen folder: first nothing is in the way.
extract_into_card
press soft1
wait_for "the browser after extracting onto the card" in_front '"Locked.zip"'
diary=$(device_file '\Storage Card\Locked\Private\Diary.txt')
pin=$(device_file '\Storage Card\Locked\Private\PIN.txt')
same_as_member "$locked" Private/Diary.txt "$diary" vellum || fail "Diary.txt was not extracted onto the card"
same_as_member "$locked" Private/PIN.txt "$pin" vellum || fail "PIN.txt was not extracted onto the card"

# Again without "overwrite": the question for each, Skip keeps the first,
# Replace all replaces the second.
echo "changed" >"$diary"
echo "changed" >"$pin"
extract_into_card
press soft1
wait_for "the replace question" in_front '"Replace?"'
expect "the member in the way" has_line '"Replace?"' 'id=1075 "Diary.txt"'
expect "the whole question" has_line '"Replace?"' '"A file of this name is already in this folder. Do you want to replace it?"'
# " checked" with its blank: "unchecked" must not count.
expect "Replace chosen at first" has_line '"Replace?"' '"Replace" @' ' checked'
expect "the question's soft keys" soft_keys OK Cancel
shot replace-question >/dev/null
press_until "Skip chosen" down has_line '"Replace?"' '"Skip" @' ' checked'
press soft1
wait_for "the question for the second member" has_line '"Replace?"' 'id=1075 "PIN.txt"'
press_until "Replace all chosen" down has_line '"Replace?"' '"Replace all" @' ' checked'
press soft1
wait_for "the browser after the questions" in_front '"Locked.zip"'
[ "$(cat "$diary")" = changed ] || fail "the skipped Diary.txt was replaced"
same_as_member "$locked" Private/PIN.txt "$pin" vellum || fail "PIN.txt was not replaced"

# With "overwrite": no question.
extract_into_card
press_until "the overwrite box focused" down has_line '"Extract To"' 'Button id=1112' focused
press enter
wait_for "overwrite ticked" has_line '"Extract To"' 'Button id=1112' ' checked'
press soft1
wait_for "the browser after overwriting" in_front '"Locked.zip"'
same_as_member "$locked" Private/Diary.txt "$diary" vellum || fail "Diary.txt was not overwritten"

# Back twice closes the browser.
press back
wait_for "the archive's root" has_line '"Locked.zip"' 'Static id=1111 "\"'
press back
wait_for "the list again" in_front "File Manager"

# Testing the damaged copy names the damaged member.
# The list was read again after the extraction: its first row is selected.
press_until "\"Personal\" selected" down has_line "File Manager" 'text "> Personal'
press enter
wait_for "the files of Personal" has_line "File Manager" 'text " \My Documents\Personal\"'
press_until "\"Broken.zip\" selected" down has_line "File Manager" 'text "> Broken.zip'
press enter
wait_for "the damaged copy's browser" in_front '"Broken.zip"'
press soft2
choose "Test Archive"
wait_for "the damage reported" has_line '"Error"' '"Quarterly report.txt is damaged: the archive has errors."'
shot test-failed >/dev/null
press enter
wait_for "the browser after the test" in_front '"Broken.zip"'
absent_success() { lacks_line '"Tarnwell"' 'no errors were found'; }
expect "no report of success" absent_success
press back
wait_for "the list again" in_front "File Manager"

# Extract here: "Trip.zip" into the folder "Trip" beside it.
press back
wait_for "the files of \\My Documents\\" has_line "File Manager" 'text " \My Documents\"'
press pound
wait_for "\"Trip.zip\" selected" has_line "File Manager" 'text "> Trip.zip'
press soft2
choose "Zip Archive"
choose "Extract Here"
trip=$(device_file '\My Documents\Trip.zip')
for member in "Trip/Itinerary.txt" "Trip/Packing list.txt" "Trip/Tickets/Train.txt" "Notes.txt"; do
    out=$(device_file "\\My Documents\\Trip\\${member//\//\\}")
    wait_for "\"$member\" extracted" test -f "$out"
    same_as_member "$trip" "$member" "$out" || fail "\"$member\" was extracted with other bytes"
done
press_until "the new folder \"Trip\" in the list" down has_line "File Manager" 'text "> Trip"'
