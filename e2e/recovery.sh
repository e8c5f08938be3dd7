#!/usr/bin/env bash
# A session whose X server and Wine server were killed: the next
# ./vellumate run notices, clears what is left and shows the program in a
# fresh session within seconds.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

Limit=15

vm run tarnwell >/dev/null
wait_for "Tarnwell in front" in_front "File Manager"

xvfb=$(pid_of Xvfb) || fail "the session has no Xvfb"
server=$(pid_of wineserver || pid_of wineserver64) || fail "the session has no wineserver"
# The display the dead X server leaves its lock for, from its command line.
display=$(tr '\0' '\n' <"/proc/$xvfb/cmdline" | sed -n 's/^:\([0-9]*\)$/\1/p')
[ -n "$display" ] || fail "no display number on Xvfb's command line"
mapfile -t before < <(session_processes | cut -d' ' -f1)
note "killing Xvfb $xvfb (display :$display) and wineserver $server"
kill -9 "$xvfb" "$server"
while kill -0 "$xvfb" 2>/dev/null || kill -0 "$server" 2>/dev/null; do sleep 0.1; done

started=$(now_ms)
vm run obrel >/dev/null || fail "./vellumate run obrel failed after the servers were killed"
E2E_WAIT=$Limit wait_for "Obrel in front after the servers were killed" in_front Obrel
took=$(($(now_ms) - started))
note "Obrel shown $((took / 1000)).$(printf '%03d' $((took % 1000))) s after ./vellumate run"
[ "$took" -le $((Limit * 1000)) ] || fail "Obrel took $took ms to show, more than $Limit s"
expect "Obrel's soft keys" soft_keys Flash Menu
shot obrel-fresh >/dev/null

# The old session's programs and services (Tarnwell, the home shell, Wine's
# own) are gone, not waiting for their server for ever.
now=" $(session_processes | cut -d' ' -f1 | xargs) "
for pid in "${before[@]}"; do
    [[ $now != *" $pid "* ]] || fail "process $pid ($(cat "/proc/$pid/comm" 2>&1)) of the killed session is still running"
done
expect "Tarnwell gone with the killed session" absent "File Manager"
# The killed server's display lock is gone or belongs to a live server.
lock=/tmp/.X$display-lock
if [ -f "$lock" ]; then
    owner=$(tr -dc '0-9' <"$lock")
    kill -0 "$owner" 2>/dev/null || fail "the dead X server's lock $lock (process $owner) is still there"
fi
