#!/usr/bin/env bash
# Tarnwell, in "Personal": rename a file, then change only the case of its
# name; make a folder; choose a selection from the check list and delete it
# item by item, answering the question; switch the question off in the
# preferences and delete a file without it.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

Personal='\My Documents\Personal'

start tarnwell "File Manager"
press_until "\"My Documents\" selected in the tree" down has_line "File Manager" '"My Documents"' selected
press soft1
wait_for "the files of \\My Documents\\" has_line "File Manager" 'text " \My Documents\"'
press_until "\"Personal\" selected" down has_line "File Manager" 'text "> Personal"'
press enter
wait_for "the files of $Personal\\" has_line "File Manager" "text \" $Personal\\\""

# rename NEW: the 7 key on the selected file, NEW typed over the old name.
rename() {
    press 7
    wait_for "the rename dialog" in_front '"Rename"'
    expect "the whole name selected for typing over" has_line '"Rename"' "Edit id=1050 \"$1\"" focused
    press "text:$2" soft1
    wait_for "the list again" in_front "File Manager"
    wait_for "\"$2\" in the list, selected" has_line "File Manager" "text \"> $2 "
}
press down
wait_for "\"Notes.txt\" selected" has_line "File Manager" 'text "> Notes.txt'
rename Notes.txt Diary.txt
expect_file "$Personal\\Diary.txt"
expect_no_file "$Personal\\Notes.txt"
# A change of case alone is the same file: no question, and the disk keeps
# the new letters.
rename Diary.txt DIARY.txt
expect_file "$Personal\\DIARY.txt"
expect_no_file "$Personal\\Diary.txt"

# A new folder, from the Edit menu, named over the proposed name.
press soft2
choose Edit
choose "New Folder..."
wait_for "the new-folder dialog" in_front '"New Folder"'
expect "the folder it is made in" has_line '"New Folder"' "Static id=1051 \"$Personal\\\""
expect "the proposed name" has_line '"New Folder"' 'Edit id=1005 "New Folder"' focused
shot new-folder >/dev/null
press text:Letters soft1
wait_for "\"Letters\" in the list, selected" has_line "File Manager" 'text "> Letters"'
[ -d "$(device_file "$Personal\\Letters")" ] || fail "no folder \"Letters\" on the device"

# Choose Items: "Letters" comes ticked (it is selected); the action key
# ticks "Shopping list.txt" as well.
press soft2
choose Select
choose "Choose Items..."
wait_for "the check list" in_front '"Choose Items"'
expect "every item of the folder, the first one focused" in_order '"Choose Items"' \
    'row 0 "DIARY.txt" selected focused' 'row 1 "Shopping list.txt"' 'row 2 "Letters"'
press down enter
shot choose-items >/dev/null
press soft1
wait_for "the chosen items selected" in_order "File Manager" \
    'text "  DIARY.txt' 'text "> Shopping list.txt' 'text "> Letters"'
expect "two of three selected" has_line "File Manager" 'text " 2/3  80 Bytes"'

# Delete with the question: one item at a time, the last selected first.
press 3
wait_for "the delete question" in_front '"Delete"'
expect "the last selected item asked about" has_line '"Delete"' 'id=1075 "Shopping list.txt"'
expect "\"Delete this item\" chosen" has_line '"Delete"' '"Delete this item"' checked focused
shot delete-question >/dev/null
press soft1
wait_for "the question about \"Letters\"" has_line '"Delete"' 'id=1075 "Letters"'
expect "no \"all remaining\" for the last item" has_line '"Delete"' '"Delete all remaining items"' disabled
expect_no_file "$Personal\\Shopping list.txt"
press soft1
wait_for "the list again" in_front "File Manager"
wait_for "only \"DIARY.txt\" left" has_line "File Manager" 'text " 0/1"'
expect "\"DIARY.txt\" in the list" has_line "File Manager" 'text "  DIARY.txt'
expect_no_file "$Personal\\Letters"

# Preferences: down to "Deleting an item" under "Ask before", untick it.
# The list's menu is longer than its number keys: walk down to the item.
press soft2
wait_for "the list's menu" has_line menu_popup 'Open'
press_until "\"Preferences...\" focused" down has_line menu_popup 'text ">' 'Preferences...'
press enter
wait_for "the preferences" in_front '"Preferences"'
expect "the question on" has_line '"Preferences"' '"Deleting an item"' checked
press_until "\"Deleting an item\" focused" down has_line '"Preferences"' '"Deleting an item"' focused
press enter
wait_for "\"Deleting an item\" unticked" has_line '"Preferences"' '"Deleting an item"' unchecked focused
shot preferences >/dev/null
press soft1
wait_for "the list again" in_front "File Manager"

# Delete without the question: the file goes at once.
press down
wait_for "\"DIARY.txt\" selected" has_line "File Manager" 'text "> DIARY.txt'
press 3
wait_for "\"DIARY.txt\" gone from the list" has_line "File Manager" 'text " 0/0"'
expect "no question" absent '"Delete"'
expect_no_file "$Personal\\DIARY.txt"
