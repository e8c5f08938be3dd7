#!/usr/bin/env bash
# Corvane on the sample device: the intro, the storage panel, scans that
# count what `./vellumate device mail|calls|notes show` predicts, deleting
# read e-mail (the unread mail and its counts stay), all text messages, a
# call dialled in Pellory with the rest of the call log, and clean all with
# the call log and the voice notes ticked.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

# predicted KIND CATEGORY: "COUNT|SIZE" of the category's line in `device KIND show`.
predicted() {
    vm device "$1" show | sed -n "s/^$2 [^:]*: \([0-9]*\) items, [0-9]* bytes, \(.*\)\$/\1|\2/p" | head -n 1
}
unread_lines() { vm device mail show | grep '^unread ' | sed 's/ of [0-9]*$//'; }

# scan TITLE COUNT-LABEL KIND CATEGORY: the open scan dialog ends counting
# what the tool predicts.
scan() {
    local title=$1 label=$2 expected count size
    expected=$(predicted "$3" "$4")
    [ -n "$expected" ] || fail "no prediction for category $4"
    IFS='|' read -r count size <<<"$expected"
    wait_for "the scan of \"$title\"" in_front "\"$title\""
    wait_for "the scan of \"$title\" done" has_line "\"$title\"" 'text "done"'
    expect "$count counted for \"$title\"" has_line "\"$title\"" "text \"$label $count\""
    expect "$size measured for \"$title\"" has_line "\"$title\"" "text \"Size: $size\""
    SCANNED=$count
}

vm run corvane >/dev/null
wait_for "the intro at the first start" in_front '"Welcome"'
press enter
wait_for "\"do not show again\" ticked" has_line '"Welcome"' 'Do not show this again' checked
press soft1
wait_for "Corvane in front" in_front RIZEMgr
expect "the storage panel" in_order RIZEMgr 'text "Main storage' 'text "Total:' 'text "Used:' 'text "Free:'
shot panel >/dev/null

# All e-mail measured, then kept.
press soft2
choose E-mail
choose "All Messages"
scan "All E-mail" Messages: mail 41000
shot scan >/dev/null
press soft2
wait_for "nothing deleted" has_line RIZEMgr 'text "Nothing was deleted from All E-mail."'

# Read e-mail deleted: the unread messages and their counters stay.
unread_before=$(unread_lines)
press soft2
choose E-mail
choose "Read Messages"
scan "Read E-mail" Messages: mail 41024
read_mail=$SCANNED
[ "$read_mail" -gt 0 ] || fail "the sample has no read e-mail"
press soft1
wait_for "the read e-mail deleted" has_line RIZEMgr "text \"$read_mail e-mail messages were deleted.\""
expect "no read e-mail left" [ "$(predicted mail 41024)" = "0|0 B" ]
[ "$(unread_lines)" = "$unread_before" ] || fail "the unread mail changed: $(unread_lines)"

# All text messages deleted.
press soft2
choose "Text Messages"
choose "All Messages"
scan "All Text Messages" Messages: mail 41003
text_messages=$SCANNED
press soft1
wait_for "the text messages deleted" has_line RIZEMgr "text \"$text_messages text messages were deleted.\""
expect "no text message left" [ "$(predicted mail 41003)" = "0|0 B" ]

# A call placed in Pellory joins the call log.
calls_before=$(predicted calls 41009)
vm run pellory >/dev/null
wait_for "Pellory in front" in_front Pellory
press 2 2 5
wait_for "Balance found" has_line Pellory 'text "> [x] Balance'
press talk
wait_for "the calling notice" has_line VellumateCallNotice '*100#'
press end
calls_after=$(predicted calls 41009)
[ "${calls_after%%|*}" -eq $((${calls_before%%|*} + 1)) ] || fail "the call is not in the log: $calls_before, then $calls_after"
vm run corvane >/dev/null
wait_for "Corvane in front again" in_front RIZEMgr
press soft2
choose "Call Log"
scan "Call Log" Calls: calls 41009
press soft1
wait_for "the call log deleted" has_line RIZEMgr "text \"$SCANNED calls were deleted from the call log.\""
expect "an empty call log" [ "$(predicted calls 41009)" = "0|0 B" ]

# Clean all with the call log (empty now: kept) and the voice notes ticked.
press soft1
wait_for "the clean-all choice" in_front '"Clean All"'
press enter down down down down enter
wait_for "two boxes ticked" in_order '"Clean All"' '"Call log"' 'checked' 
press soft1
wait_for "the call log's scan first" in_front '"Call Log"'
wait_for "the empty call log counted" has_line '"Call Log"' 'text "done"'
press soft2
scan "Voice Notes" Notes: notes 41021
press soft1
wait_for "clean all finished" has_line RIZEMgr 'text "Clean All has finished."'
expect "no voice note left" [ "$(predicted notes 41021)" = "0|0 B" ]
