#!/usr/bin/env bash
# Tarnwell opens files, in "Business": Enter on a text file opens it in the
# device's viewer; Enter on a file of a type without association offers Open
# With, the viewer chosen opens it, Yes associates the type, and the next
# Enter goes straight to the viewer.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

start tarnwell "File Manager"
press_until "\"My Documents\" selected in the tree" down has_line "File Manager" '"My Documents"' selected
press soft1
wait_for "the files of \\My Documents\\" has_line "File Manager" 'text " \My Documents\"'
press_until "\"Business\" selected" down has_line "File Manager" 'text "> Business"'
press enter
wait_for "the files of Business" has_line "File Manager" 'text " \My Documents\Business\"'

# An associated type: the viewer shows the name and the first lines.
press_until "\"Quarterly report.txt\" selected" down has_line "File Manager" 'text "> Quarterly report.txt'
press enter
wait_for "the viewer in front" in_front VellumateViewer
expect "the file's name and first line" in_order VellumateViewer \
    'text "Quarterly report.txt"' 'text "Quarterly report'
shot viewer >/dev/null
press back
wait_for "the list again" in_front "File Manager"

# No association: Open With, with the programs of the device.
press up
wait_for "\"Budget.csv\" selected" has_line "File Manager" 'text "> Budget.csv'
press enter
wait_for "the open-with dialog" in_front '"Open With"'
expect "the file's name" has_line '"Open With"' 'id=1075 "Budget.csv"'
wait_for "the viewer among the programs" has_line '"Open With"' 'row ' '"vmview.exe"'
shot open-with >/dev/null
press_until "\"vmview.exe\" selected" down has_line '"Open With"' '"vmview.exe"' selected
press soft1
wait_for "the association question" in_front '"Attention"'
press enter
wait_for "the viewer with the file" has_line VellumateViewer 'text "Budget.csv"'
expect "its first line" has_line VellumateViewer 'text "Item,Amount,Currency"'
press soft1
wait_for "the list again" in_front "File Manager"

# The type is associated now: Enter opens the viewer at once.
press enter
wait_for "the viewer without a question" has_line VellumateViewer 'text "Budget.csv"'
command=$(vm exec wine reg query 'HKCR\csvfile\shell\open\command' 2>/dev/null | tr -d '\r')
[[ $command == *'"\Windows\vmview.exe" %1'* ]] || fail "the association's command is not the viewer's: $command"
press soft1
wait_for "the list again" in_front "File Manager"
