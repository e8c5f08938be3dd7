#!/usr/bin/env bash
# `vellumate device mail|calls|notes` against what programs see: every store
# the tool writes on the host must read back through the platform's database
# functions (a probe program under Wine) with the same counts and sizes the
# tool shows, and bad requests and damaged volumes must be named, not obeyed.
#
#   store_commands.sh VELLUMATE_TOOL WINE_RUN PROBE_EXE
set -euo pipefail
tool=$1 wine_run=$2 probe_exe=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VELLUMATE_DEVICE=$work/device
unset VELLUMATE_PROFILE VELLUMATE_ROOT

fail() { echo "FAILED: $*" >&2; exit 1; }

windows_path() { local path; path=$(readlink -m "$1"); echo "Z:${path//\//\\}"; }

# What the tool shows for the three stores, without the lines naming them.
shown() {
    { "$tool" device mail show; "$tool" device calls show; "$tool" device notes show; } | grep -v '^[a-z ]*: /'
}
# What a program reads through the platform.
probe() {
    VELLUMATE_PROFILE=$(windows_path "$VELLUMATE_DEVICE/profile.ini") \
    VELLUMATE_ROOT=$(windows_path "$VELLUMATE_DEVICE/root") "$wine_run" "$probe_exe" | tr -d '\r'
}
agree() {
    local tool_says program_sees
    tool_says=$(shown)
    program_sees=$(probe)
    [ "$tool_says" = "$program_sees" ] ||
        fail "$1: the tool and the platform differ:"$'\n'"$(diff <(echo "$tool_says") <(echo "$program_sees"))"
}
expect_line() { grep -qxF -- "$1" <<<"$2" || fail "expected '$1' among:"$'\n'"$2"; }
expect_match() { grep -qE -- "$1" <<<"$2" || fail "expected a line like '$1' among:"$'\n'"$2"; }

# A fresh device has the sample's stores.
out=$("$tool" device mail show)
expect_match '^mail store: .*/root/cemail.vol$' "$out"
expect_match '^41000 all e-mail: 60 items, [0-9]+ bytes, [0-9.]+ KB$' "$out"
expect_match '^41003 all text messages: 30 items, ' "$out"
expect_match '^unread 0x10000001 \(Inbox\): counter [1-9][0-9]*, unread messages [1-9][0-9]* of [0-9]+$' "$out"
out=$("$tool" device calls show)
expect_match '^41009 call log: 20 items, ' "$out"
expect_match '^41012 speed dial: 8 items, ' "$out"
out=$("$tool" device notes show)
expect_match '^41021 voice notes: 4 items, [0-9]+ bytes' "$out"
[ "$(head -c 4 "$VELLUMATE_DEVICE/root/My Documents/Notes/Note 1.wav")" = RIFF ] || fail "a voice note is no WAV file"
agree "the sample"

# Filled: any size, the same store for the same seed.
"$tool" device mail fill --messages 300 --texts 40 --seed 7 >/dev/null
"$tool" device calls fill --calls 55 --speed-dials 12 --seed 7 >/dev/null
"$tool" device notes fill --notes 6 --seed 7 >/dev/null
first=$(shown)
expect_match '^41000 all e-mail: 300 items, ' "$first"
expect_match '^41003 all text messages: 40 items, ' "$first"
expect_match '^41009 call log: 55 items, ' "$first"
expect_match '^41021 voice notes: 6 items, ' "$first"
agree "a filled store"
"$tool" device mail fill --messages 300 --texts 40 --seed 7 >/dev/null
[ "$(shown)" = "$first" ] || fail "the same seed made another store"
"$tool" device mail fill --messages 300 --texts 40 --seed 8 >/dev/null
[ "$(shown)" != "$first" ] || fail "another seed made the same store"

# Cleared: the folders stay, empty, with no unread messages; no body or attachment file is left.
"$tool" device mail clear >/dev/null
"$tool" device calls clear >/dev/null
"$tool" device notes clear >/dev/null
out=$(shown)
expect_line "41000 all e-mail: 0 items, 0 bytes, 0 B" "$out"
expect_line "41003 all text messages: 0 items, 0 bytes, 0 B" "$out"
expect_line "unread 0x10000001 (Inbox): counter 0, unread messages 0 of 0" "$out"
expect_line "41009 call log: 0 items, 0 bytes, 0 B" "$out"
expect_line "41021 voice notes: 0 items, 0 bytes, 0 B" "$out"
[ -z "$(find "$VELLUMATE_DEVICE/root/MAPI" -type f)" ] || fail "files of cleared messages are left"
agree "cleared stores"
# A cleared store stays cleared: the sample is not put back.
"$tool" device show >/dev/null
expect_line "41000 all e-mail: 0 items, 0 bytes, 0 B" "$("$tool" device mail show)"

# Refused requests change nothing.
"$tool" device mail fill --messages 12 >/dev/null
before=$(shown)
! "$tool" device mail fill --messages lots 2>/dev/null || fail "took a count that is no number"
! "$tool" device mail fill --messages 2000000 2>/dev/null || fail "took more messages than a store holds"
! "$tool" device calls fill --speed-dials 99 2>/dev/null || fail "took more speed dials than there are keys"
! "$tool" device notes fill --colour red 2>/dev/null || fail "took an unknown option"
! "$tool" device mail show --messages 3 2>/dev/null || fail "show took an option"
[ "$(shown)" = "$before" ] || fail "a refused request changed a store"

# A damaged volume is named and shows nothing; the programs see nothing either.
head -c 3000 /dev/urandom >"$VELLUMATE_DEVICE/root/cemail.vol"
out=$("$tool" device mail show)
expect_match '^mail store: .* cannot be mounted: ' "$out"
expect_line "41000 all e-mail: 0 items, 0 bytes, 0 B" "$out"
agree "a damaged mail store"
echo "store commands: ok"
