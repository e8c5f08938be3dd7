#!/usr/bin/env bash
# `vellumate device sim` against what programs see: the card the tool shows,
# loads and changes is the one a program reads through the SIM manager (a
# probe under Wine), what a program writes is what the tool shows, a program
# that watches the card hears of the tool's changes, and a damaged card is
# named by the tool, refused by programs and never rewritten.
#
#   sim_commands.sh VELLUMATE_TOOL WINE_RUN PROBE_EXE
set -euo pipefail
tool=$1 wine_run=$2 probe_exe=$3

work=$(mktemp -d)
watcher=""
cleanup() {
    [ -z "$watcher" ] || kill "$watcher" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export VELLUMATE_DEVICE=$work/device
unset VELLUMATE_PROFILE VELLUMATE_ROOT VELLUMATE_SIM

fail() { echo "FAILED: $*" >&2; exit 1; }

windows_path() { local path; path=$(readlink -m "$1"); echo "Z:${path//\//\\}"; }
probe_env() {
    VELLUMATE_PROFILE=$(windows_path "$VELLUMATE_DEVICE/profile.ini") \
    VELLUMATE_ROOT=$(windows_path "$VELLUMATE_DEVICE/root") "$wine_run" "$probe_exe" "$@"
}
# What the SIM manager answers now.
probe() { seen=$(probe_env "$@" | tr -d '\r') || true; }
expect() { grep -qxF -- "$1" <<<"$seen" || fail "expected '$1' among:"$'\n'"$seen"; }
shows() { "$tool" device sim show; }

# A fresh device has the sample's card.
"$tool" device show >"$work/show.txt" 2>&1
grep -q "^sim: *inserted, radio on, 43 of 250 positions used, provider Vellum Mobile" "$work/show.txt" ||
    fail "device show does not tell the card: $(cat "$work/show.txt")"
grep -q "^last call: none" "$work/show.txt" || fail "device show does not tell the last call"
probe caps
expect "caps 1 250 40 16"
probe read 16 13
expect "entry +8613800138000"$'\t'"1"$'\t'"王小明 /m"
probe read 8 1
expect "entry +441632960999"$'\t'"1"$'\t'"My number"

# What a program writes, the tool shows.
probe write 16 200 "+302105550999" "Νίκος /w"
expect "ok"
shown=$(shows)
grep -qE "^ +200  \+302105550999 +Νίκος /w$" <<<"$shown" || fail "the program's entry is not shown: $shown"

# A card loaded by the tool is what programs read; a damaged one is refused.
sed 's/^13\t+8613800138000\t1\t王小明 \/m$/13\t+8613900139000\t1\t王大明/' "$VELLUMATE_DEVICE/sim.txt" >"$work/edited.txt"
! "$tool" device sim load "$work/edited.txt" 2>"$work/err.txt" || fail "loaded a card whose seal is broken"
grep -q "checksum" "$work/err.txt" || fail "the broken seal is not named: $(cat "$work/err.txt")"
"$tool" device sim seal "$work/edited.txt" >/dev/null
probe read 16 13
expect "entry +8613900139000"$'\t'"1"$'\t'"王大明"
probe read 16 200
expect "entry +302105550999"$'\t'"1"$'\t'"Νίκος /w"

# Shrinking the card never drops entries; lengths and capacity read back.
! "$tool" device sim set --capacity 100 2>"$work/err.txt" || fail "shrank the card over an entry"
grep -q "200 \"Νίκος /w\"" "$work/err.txt" || fail "the entry in the way is not named: $(cat "$work/err.txt")"
"$tool" device sim set --capacity 220 --number-length 20 >/dev/null
probe caps
expect "caps 1 220 20 16"

# A program that watches the card hears of the tool's changes.
probe_env watch 30000 >"$work/notify.txt" &
watcher=$!
for _ in $(seq 100); do grep -q ready "$work/notify.txt" 2>/dev/null && break; sleep 0.1; done
grep -q ready "$work/notify.txt" || fail "the watching probe did not start"
heard() {
    local _
    for _ in $(seq 100); do grep -qx -- "$1" < <(tr -d '\r' <"$work/notify.txt") && return 0; sleep 0.1; done
    fail "the program did not hear '$1': $(cat "$work/notify.txt")"
}
"$tool" device sim radio off >/dev/null
heard "notify 263"
probe caps
expect "error 0x8800006B"
"$tool" device sim radio on >/dev/null
heard "notify 264"
"$tool" device sim remove >/dev/null
heard "notify 256"
probe read 16 13
expect "error 0x8800000D"
"$tool" device sim insert >/dev/null
heard "notify 257"
kill "$watcher" 2>/dev/null || true
wait "$watcher" 2>/dev/null || true
watcher=""

# A damaged card: the tool names the line, programs see a failing card, and
# nothing rewrites it.
echo "this line is junk" >>"$VELLUMATE_DEVICE/sim.txt"
cp "$VELLUMATE_DEVICE/sim.txt" "$work/damaged.txt"
shown=$("$tool" device show 2>&1)
grep -q "^sim: *damaged: line .*there is text after the end line" <<<"$shown" ||
    fail "device show does not say the card is damaged: $shown"
! "$tool" device sim radio off 2>/dev/null || fail "changed a damaged card"
probe caps
expect "error 0x88000001"
probe write 16 201 "123" "x"
expect "error 0x88000001"
cmp -s "$work/damaged.txt" "$VELLUMATE_DEVICE/sim.txt" || fail "the damaged card was rewritten"

# Back to the sample's card with the profile; the last call is told.
"$tool" device reset --profile >/dev/null
probe read 16 13
expect "entry +8613800138000"$'\t'"1"$'\t'"王小明 /m"
probe call "+441632960002"
expect "call -2"  # no shell runs: the number is kept all the same
shown=$("$tool" device show)
grep -q "^last call: +441632960002 at 20" <<<"$shown" || fail "the last call is not told: $shown"
echo "sim commands: all checks passed"
