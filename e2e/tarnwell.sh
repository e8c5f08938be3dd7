#!/usr/bin/env bash
# Tarnwell: open a folder from the tree, sort its files by size, and come
# back up to the folder it was opened from.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

vm run tarnwell >/dev/null
wait_for "Tarnwell in front, showing the folder tree" in_front "File Manager"
wait_for "the tree's root row" has_line "File Manager" 'row "Device'
expect "the tree's soft keys" soft_keys Files Menu
shot tree >/dev/null

# The action key opens a folder with subfolders in the tree, and shows the
# files of one without.
press_until "\"My Documents\" selected in the tree" down has_line "File Manager" '"My Documents"' selected
press enter
wait_for "the subfolders of \"My Documents\" in the tree" in_order "File Manager" '"My Documents" expanded' '"Business"'
press down
wait_for "\"Business\" selected in the tree" has_line "File Manager" '"Business"' selected
press enter
wait_for "the files of \\My Documents\\Business\\" has_line "File Manager" 'text " \My Documents\Business\"'
wait_for "the files in name order" in_order "File Manager" \
    'text "> .."' 'text "  Archive.zip' 'text "  Budget.csv' 'text "  Quarterly report.txt'
expect "the list's soft keys" soft_keys Folders Menu
byName=$(shot by-name)

press soft2
choose "Sort By"
wait_for "the Sort By menu" in_order menu_popup 'Name [radio]' 'Size'
choose Size
wait_for "the menu closed" lacks_line menu_popup 'Size'
wait_for "the files in size order" in_order "File Manager" \
    'text "> .."' 'text "  Budget.csv  1.28K"' 'text "  Archive.zip  2.32K"' 'text "  Quarterly report.txt  17.0K"'
bySize=$(shot by-size)
# The three file rows under "..".
region_changed "the rows after sorting" "$byName" "$bySize" 176x60+0+60

# Back goes up one level, to the folder the list was opened from, with the
# folder just left selected.
press back
wait_for "the list of \\My Documents\\" has_line "File Manager" 'text " \My Documents\"'
wait_for "\"Business\" selected in \\My Documents\\" has_line "File Manager" 'text "> Business"'
# The folder's files come under its subfolders (the list scrolls to them).
press_until "the first file under the subfolders" down in_order "File Manager" 'text "  Templates"' 'text "> Read me.txt'
press soft1
wait_for "the tree again, at \"My Documents\"" has_line "File Manager" '"My Documents" expanded selected'
expect "the tree's soft keys" soft_keys Files Menu
shot back-in-tree >/dev/null
