#!/usr/bin/env bash
# Tarnwell sends and beams, with keys only: a file sent by e-mail opens the
# mail program with it attached, and sending puts one more message into the
# mail store; two files beamed to a nearby device arrive in its inbox byte
# for byte; a device whose link breaks after the first file gets the second
# when the send is started again.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

vm device show >/dev/null
outgoing=$(device_file '\My Documents\Outgoing')
mkdir -p "$outgoing"
head -c 5000 /dev/urandom >"$outgoing/block.bin"
head -c 8000 /dev/urandom >"$outgoing/photo.jpg"
vm device obex add Pad >/dev/null
vm device obex remove "Desk Laptop" >/dev/null
mails_before=$(vm device mail show | sed -n 's/^41000 all e-mail: \([0-9]*\) items.*/\1/p')

start tarnwell "File Manager"
press_until "\"My Documents\" selected in the tree" down has_line "File Manager" '"My Documents"' selected
press soft1
wait_for "the files of \\My Documents\\" has_line "File Manager" 'text " \My Documents\"'
press_until "\"Outgoing\" selected" down has_line "File Manager" 'text "> Outgoing"'
press enter
wait_for "the files of Outgoing" has_line "File Manager" 'text " \My Documents\Outgoing\"'

# ---- by e-mail
press_until "\"photo.jpg\" selected" down has_line "File Manager" 'text "> photo.jpg'
press soft2
choose Send
choose "By E-mail"
wait_for "the mail program in front" in_front Inbox.MainWnd
expect "the attachment" has_line Inbox.MainWnd 'photo.jpg'
shot tmail >/dev/null
press soft1
wait_for "the list again" in_front "File Manager"
mails_after=$(vm device mail show | sed -n 's/^41000 all e-mail: \([0-9]*\) items.*/\1/p')
[ "$mails_after" = $((mails_before + 1)) ] || fail "the cleaner counts $mails_after e-mail messages, not $((mails_before + 1))"

# ---- beaming both files
press 9
press soft2
choose Send
choose "Beam..."
wait_for "the beam dialog" in_front '"Beam"'
wait_for "the nearby device" has_line '"Beam"' 'Pad'
shot beam >/dev/null
press soft1
wait_for "every file sent" has_line '"Beam"' 'All files were sent.'
shot beam-sent >/dev/null
for f in block.bin photo.jpg; do
    cmp -s "$outgoing/$f" "$E2E_TMP/device/obex/Pad/$f" || fail "$f did not arrive whole on Pad"
done
press soft1
wait_for "the list again" in_front "File Manager"

# ---- a link that breaks after the first file
vm device obex remove Pad >/dev/null
vm device obex add Tablet >/dev/null
vm device obex fail Tablet --after 6000 >/dev/null
press soft2
choose Send
choose "Beam..."
wait_for "the beam dialog" in_front '"Beam"'
wait_for "the tablet" has_line '"Beam"' 'Tablet'
press soft1
wait_for "the failure after one file" has_line '"Beam"' 'Failed 1'
shot beam-failed >/dev/null
[ -e "$E2E_TMP/device/obex/Tablet/block.bin" ] || fail "the first file did not arrive before the link broke"
[ ! -e "$E2E_TMP/device/obex/Tablet/photo.jpg" ] || fail "a part of the second file was kept"
vm device obex fail Tablet --never >/dev/null
press soft1
wait_for "the rest sent" has_line '"Beam"' 'All files were sent.'
cmp -s "$outgoing/photo.jpg" "$E2E_TMP/device/obex/Tablet/photo.jpg" || fail "photo.jpg did not arrive whole on Tablet"
press soft1
wait_for "the list again" in_front "File Manager"
