#!/usr/bin/env bash
# Tarnwell: find a file in "My Documents" by part of its name, another by a
# text inside it, and a folder by part of its name, which opens in the list;
# then jump to quick folders, with the tree's 4 key and from the menu.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

start tarnwell "File Manager"
press_until "\"My Documents\" selected in the tree" down has_line "File Manager" '"My Documents"' selected
press soft2
choose "Find Files..."
wait_for "the find dialog" in_front '"Find Files"'
expect "every name, in the tree's folder" in_order '"Find Files"' \
    'Edit id=1045 "*.*" @' 'Edit id=1007 "\My Documents\" @' 'Edit id=1044 "" @'
expect "the names field focused" has_line '"Find Files"' 'Edit id=1045' focused
expect "the find dialog's soft keys" soft_keys Search Menu

# search WHAT COUNT: the results of a search, once COUNT are found.
search() {
    press soft1
    wait_for "the results of $1" in_front '"Found Files"'
    wait_for "$2 found" has_line '"Found Files"' "Static id=1047 \"Found: $2\""
}

# Part of a name: "report" is widened to *report*.
press text:report
search "\"report\"" 1
expect "the report, selected" has_line '"Found Files"' 'row 0 "Quarterly report.txt" "17.0K" selected focused'
shot found-by-name >/dev/null

# A text inside: the text files that hold "garage".
press back
wait_for "the find dialog again" in_front '"Find Files"'
expect "the names kept" has_line '"Find Files"' 'Edit id=1045 "report"' focused
press text:*.txt down down text:garage
wait_for "the text typed" has_line '"Find Files"' 'Edit id=1044 "garage"' focused
search "\"garage\" in *.txt" 1
expect "the notes, selected" has_line '"Found Files"' 'row 0 "Notes.txt" "127B" selected focused'
shot found-by-text >/dev/null

# A folder by part of its name, without the text (Back takes it away);
# the action key opens the folder in the list.
press back
wait_for "the find dialog again" in_front '"Find Files"'
press down down back
wait_for "the text taken away" has_line '"Find Files"' 'Edit id=1044 ""' focused
press up up text:emplat
search "\"emplat\"" 1
expect "the folder found" has_line '"Found Files"' 'row 0 "Templates" "" selected focused'
press enter
wait_for "the files of \\My Documents\\Templates\\" has_line "File Manager" 'text " \My Documents\Templates\"'
expect "both dialogs closed" absent '"Find Files"'
expect "the list in front" in_front "File Manager"
expect "the folder's file" has_line "File Manager" 'text "  Agenda.txt  31B"'

# Quick folders from the tree's 4 key: the folder just opened is a recent
# one, numbered, before the device's well-known folders.
press soft1
wait_for "the tree" has_line "File Manager" '"Templates"' selected
press 4
wait_for "the quick folders" in_front '"Quick Folders"'
expect "the recent folder, then the device's" in_order '"Quick Folders"' \
    'row 0 "1. Templates" selected focused' 'row 1 "My Documents"' 'row 2 "Windows"'
expect "the first one's folder under the list" has_line '"Quick Folders"' 'id=1010 "\My Documents\"'
expect "the soft keys" soft_keys Go Cancel
press_until "\"Windows\" selected" down has_line '"Quick Folders"' '"Windows" selected'
wait_for "the folder that holds \"Windows\"" has_line '"Quick Folders"' 'id=1010 "\"'
shot quick-folders >/dev/null
press soft1
wait_for "\"Windows\" current in the tree" has_line "File Manager" 'row   "Windows" expanded selected'
expect "no quick folders" absent '"Quick Folders"'

# And from the menu, back to the recent folder with the action key.
press soft2
choose "Quick Folders"
wait_for "the quick folders" in_front '"Quick Folders"'
press enter
wait_for "\"Templates\" current in the tree" has_line "File Manager" 'row     "Templates"' selected
expect "no quick folders" absent '"Quick Folders"'
