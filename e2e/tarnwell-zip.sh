#!/usr/bin/env bash
# Tarnwell: browse the sample archive "Archive.zip" from the list's menu, open
# its folder and come back, extract every member into a folder named after
# the archive, test the archive, and close the browser to a list that shows
# the new folder.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

start tarnwell "File Manager"
press_until "\"My Documents\" selected in the tree" down has_line "File Manager" '"My Documents"' selected
press soft1
wait_for "the files of \\My Documents\\" has_line "File Manager" 'text " \My Documents\"'
press_until "\"Business\" selected" down has_line "File Manager" 'text "> Business'
press enter
wait_for "the files of \\My Documents\\Business\\" has_line "File Manager" 'text " \My Documents\Business\"'
press_until "\"Archive.zip\" selected" down has_line "File Manager" 'text "> Archive.zip'
press soft2
choose "Zip Archive"
choose Browse

# The archive's root: its folder first, then its file with its size.
wait_for "the archive browser" in_front '"Archive.zip"'
expect "the root of the archive" has_line '"Archive.zip"' 'Static id=1111 "\"'
expect "the folder before the file" in_order '"Archive.zip"' 'row 0 "Reports" ""' 'row 1 "Budget.csv" "1.28K"'
expect "the number of rows" has_line '"Archive.zip"' '"2 items"'
expect "the browser's soft keys" soft_keys Open Menu
shot browser >/dev/null

press enter
wait_for "the folder \\Reports" has_line '"Archive.zip"' 'Static id=1111 "\Reports"'
expect "the members of the folder" in_order '"Archive.zip"' '"Quarterly report.txt"' '"Summary.txt" "47B"'
shot folder >/dev/null
press back
wait_for "the root again, the folder selected" has_line '"Archive.zip"' 'row 0 "Reports" ""' selected

# Extract: all members, into the folder named after the archive.
press soft2
choose "Extract..."
wait_for "the extract dialog" in_front '"Extract To"'
expect "into a folder of the archive's name" has_line '"Extract To"' '"Into the folder \"Archive\""' checked
press down
press right
wait_for "all members chosen" has_line '"Extract To"' 'ComboBox id=1149 "All items"'
shot extract >/dev/null
press soft1
wait_for "the browser again after the extraction" in_front '"Archive.zip"'
absent_extract() { absent '"Extract To"'; }
expect "the extract dialog closed" absent_extract
sample=$(device_file '\My Documents\Business\Archive.zip')
for member in "Budget.csv" "Reports/Quarterly report.txt" "Reports/Summary.txt"; do
    out=$(device_file "\\My Documents\\Business\\Archive\\${member//\//\\}")
    [ -f "$out" ] || fail "\"$member\" was not extracted"
    python3 -c 'import sys, zipfile; sys.exit(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]) != open(sys.argv[3], "rb").read())' \
        "$sample" "$member" "$out" || fail "\"$member\" was extracted with other bytes than the archive holds"
done

# Test: every member is read and checked.
press soft2
choose "Test Archive"
wait_for "the test's result" has_line '"Tarnwell"' '"Archive.zip was tested: no errors were found."'
shot tested >/dev/null
press enter
wait_for "the browser again after the test" in_front '"Archive.zip"'

# Back at the root closes the browser; the list was read again.
press back
wait_for "the list again, in front" in_front "File Manager"
expect "the extracted folder in the list" has_line "File Manager" 'text "  Archive"'
expect_no_file '\My Documents\~Zantric Zip Temporary Files'
