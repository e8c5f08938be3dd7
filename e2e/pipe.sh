#!/usr/bin/env bash
# ./vellumate run with its output in a pipe returns as soon as the program
# is started, whether it starts the session too or finds one running: what
# it leaves running holds no end of the pipe open.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

# piped LIMIT: ./vellumate run obrel | tail, given LIMIT seconds; prints how
# many milliseconds it took.
piped() {
    local started rc=0 out
    started=$(now_ms)
    # shellcheck disable=SC2016 # $0 is the inner shell's
    out=$(VELLUMATE_STATE=$E2E_TMP/state VELLUMATE_DEVICE=$E2E_TMP/device \
          timeout "$1" bash -c '"$0" run obrel | tail -n 3' "$E2E_TOOL" 2>&1) || rc=$?
    [ "$rc" -ne 124 ] || fail "./vellumate run obrel | tail did not end within $1 s"
    [ "$rc" -eq 0 ] || fail "./vellumate run obrel | tail failed ($rc): $out"
    [[ $out == *"started obrel"* ]] || fail "./vellumate run obrel | tail printed: $out"
    echo $(($(now_ms) - started))
}

# The device's Wine prefix first, so that the cold start below measures the
# session and not the prefix's making.
vm session start >/dev/null
vm session stop >/dev/null

took=$(piped 30)
note "run | tail with no session: $took ms"
wait_for "Obrel in front" in_front Obrel

# A second start finds the first Obrel and brings it to the front.
took=$(piped 10)
note "run | tail in the running session: $took ms"
wait_for "Obrel still in front" in_front Obrel
[ "$(session_processes | grep -c ' obrel.exe$')" -eq 1 ] || fail "a second Obrel is running"
