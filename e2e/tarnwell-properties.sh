#!/usr/bin/env bash
# Tarnwell's properties, shortcuts and device information, in "My
# Documents": a file's properties show its size and dates, and clearing its
# read-only box changes the file; a folder's properties count its files; a
# shortcut to a file appears in the list, "(2)" the second time, and its
# properties show the target; the device information shows the profile's
# figures.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

Docs='\My Documents'
Notes="$Docs\\Personal\\Notes.txt"

# The list's menu is longer than its number keys: Properties and Device
# Information are reached by walking up from its top, past Exit and About.
menu_item() {
    press soft2
    wait_for "the list's menu" has_line menu_popup 'Open'
    press_until "\"$1\" focused" up has_line menu_popup 'text ">' "$1"
    press enter
}

# The date text of a file time (seconds since 1970) as the list shows it:
# month/day/yy and a 12-hour clock that runs from 00.
date_text() {
    local hour
    hour=$(date -d "@$1" +%H)
    printf '%s %02d:%s\n' "$(date -d "@$1" +%-m/%-d/%y)" $((10#$hour % 12)) "$(date -d "@$1" +'%M %p')"
}

start tarnwell "File Manager"
# The sample's note (the device is there once the session runs), read-only.
notes_file=$(device_file "$Notes")
chmod a-w "$notes_file"
notes_size=$(stat -c %s "$notes_file")
notes_written=$(date_text "$(stat -c %Y "$notes_file")")
press_until "\"My Documents\" selected in the tree" down has_line "File Manager" '"My Documents"' selected
press soft1
wait_for "the files of $Docs\\" has_line "File Manager" "text \" $Docs\\\""
press_until "\"Personal\" selected" down has_line "File Manager" 'text "> Personal"'
press enter
wait_for "the files of Personal" has_line "File Manager" "text \" $Docs\\Personal\\\""
press_until "\"Notes.txt\" selected" down has_line "File Manager" 'text "> Notes.txt'

# ---- a file: its size and dates; the read-only box cleared
menu_item Properties
wait_for "the file's properties" in_front '"Properties"'
expect "its name to edit" has_line '"Properties"' 'Edit id=1034 "Notes.txt"' focused
expect "its folder" has_line '"Properties"' "id=1028 \"$Docs\\Personal\\\""
expect "its size" has_line '"Properties"' "id=1029 \"$notes_size Bytes\""
expect "its last change" has_line '"Properties"' "id=1032 \"$notes_written\""
expect "a creation date" lacks_line '"Properties"' 'id=1031 ""'
expect "read-only ticked" has_line '"Properties"' '"Read-only"' checked
expect "no target for a plain file" lacks_line '"Properties"' '"Target:"'
shot file-properties >/dev/null
press down
wait_for "the read-only box focused" has_line '"Properties"' '"Read-only"' focused
shot file-attributes >/dev/null
press enter
wait_for "read-only cleared" has_line '"Properties"' '"Read-only"' unchecked
press soft1
wait_for "the list again" in_front "File Manager"
[[ $(stat -c %A "$notes_file") == -rw* ]] || fail "Notes.txt is still read-only: $(stat -c %A "$notes_file")"

# ---- a folder: what it holds, counted
press back
wait_for "the files of $Docs\\" has_line "File Manager" "text \" $Docs\\\""
wait_for "\"Personal\" selected again" has_line "File Manager" 'text "> Personal"'
menu_item Properties
wait_for "the folder's properties" in_front '"Properties"'
wait_for "its files counted" has_line '"Properties"' 'id=1030 "Folders: 0   Files: 2"'
expect "no change or access time for a folder" has_line '"Properties"' '"Changed:"' hidden
shot folder-properties >/dev/null
press soft2
wait_for "the list again" in_front "File Manager"

# ---- shortcuts: "Read me" twice into this folder
shortcut() {
    press soft2
    choose Edit
    choose "Create Shortcut..."
    wait_for "the folder chooser" in_front '"Create Shortcut In"'
    expect "the file above the tree" has_line '"Create Shortcut In"' "\"$Docs\\Read me.txt\""
    press_until "\"My Documents\" chosen" down has_line '"Create Shortcut In"' '"My Documents"' selected
    [ "$1" != first ] || shot shortcut-folder >/dev/null
    press soft1
    wait_for "the list again" in_front "File Manager"
}
press_until "\"Read me.txt\" selected" down has_line "File Manager" 'text "> Read me.txt'
shortcut first
wait_for "\"Read me.lnk\" in the list, selected" has_line "File Manager" 'text "> Read me.lnk'
expect_file "$Docs\\Read me.lnk"
press_until "\"Read me.txt\" selected again" up has_line "File Manager" 'text "> Read me.txt'
shortcut second
wait_for "\"Read me(2).lnk\" in the list, selected" has_line "File Manager" 'text "> Read me(2).lnk'
expect_file "$Docs\\Read me(2).lnk"
menu_item Properties
wait_for "the shortcut's properties" in_front '"Properties"'
expect "its target" in_order '"Properties"' '"Target:"' "id=1030 \"$Docs\\Read me.txt\""
shot shortcut-properties >/dev/null
press soft2
wait_for "the list again" in_front "File Manager"

# ---- the device information: the profile's figures
menu_item "Device Information"
wait_for "the device information" in_front '"Device Information"'
expect "the maker" has_line '"Device Information"' 'id=1081 "Vellumate VM-176 Reference Handset"'
expect "the processor" has_line '"Device Information"' 'id=1082 "ARM"'
expect "the system" has_line '"Device Information"' 'id=1083 "Windows CE"'
expect "the version" has_line '"Device Information"' 'id=1084 "4.21 (build 1088)"'
expect "the program memory" has_line '"Device Information"' 'id=1089 "32.00 MB"'
expect "the main battery" has_line '"Device Information"' 'id=1092 "High (82%)"'
shot device-information >/dev/null
vm device battery main --percent 40 --flag 2 >/dev/null
wait_for "the battery as it is now" has_line '"Device Information"' 'id=1092 "Low (40%)"'
press down down down down
shot device-information-cards >/dev/null
expect "the storage card" has_line '"Device Information"' 'id=1100 "128.00 MB"'
press soft1
wait_for "the list again" in_front "File Manager"
