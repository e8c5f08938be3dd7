#!/usr/bin/env bash
# `vellumate device` against what programs see: every edit the tool makes must
# read back through the platform's own parser (a probe program under Wine),
# card folders must move with their files, and a damaged profile must be
# named by the tool and survived by the programs.
#
#   device_commands.sh VELLUMATE_TOOL WINE_RUN PROBE_EXE
set -euo pipefail
tool=$1 wine_run=$2 probe_exe=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VELLUMATE_DEVICE=$work/device
unset VELLUMATE_PROFILE VELLUMATE_ROOT

fail() { echo "FAILED: $*" >&2; exit 1; }

windows_path() { local path; path=$(readlink -m "$1"); echo "Z:${path//\//\\}"; }

# What the platform reports now.
probe() {
    seen=$(VELLUMATE_PROFILE=$(windows_path "$VELLUMATE_DEVICE/profile.ini") \
           VELLUMATE_ROOT=$(windows_path "$VELLUMATE_DEVICE/root") "$wine_run" "$probe_exe" | tr -d '\r')
}
expect() { grep -qxF -- "$1" <<<"$seen" || fail "expected '$1' among:"$'\n'"$seen"; }
expect_not() { ! grep -qxF -- "$1" <<<"$seen" || fail "did not expect '$1' among:"$'\n'"$seen"; }

# A fresh device is the sample.
"$tool" device show >/dev/null 2>&1
probe
expect "oem Vellumate VM-176 Reference Handset"
expect "main 1 82 3950"
expect "card Storage Card 134217728 101711872"

# Every kind of edit, read back by the platform.
"$tool" device battery main --percent 5 >/dev/null
"$tool" device battery main --charging on >/dev/null
"$tool" device battery backup --none >/dev/null
"$tool" device memory --total 64M --available 10M >/dev/null
"$tool" device store --size 40M --free 1M >/dev/null
"$tool" device card insert "SD Two" --size 1G --free 512M >/dev/null
"$tool" device card remove "Storage Card" >/dev/null
probe
expect "main 10 5 3440"
expect "ac 1"
expect "backup 128 255 0"
expect "memory 67108864 10485760"
expect "store 41943040 1048576"
expect "card SD Two 1073741824 536870912"
expect_not "card Storage Card 134217728 101711872"
[ -f "$VELLUMATE_DEVICE/cards/Storage Card/Read me.txt" ] || fail "the removed card's files are not parked"
[ ! -e "$VELLUMATE_DEVICE/root/Storage Card" ] || fail "the removed card is still in the root"

# A card comes back with its files, whatever the case of its name.
"$tool" device card insert "storage card" >/dev/null
probe
expect "card Storage Card 134217728 101711872"
[ -f "$VELLUMATE_DEVICE/root/Storage Card/Read me.txt" ] || fail "the card's files did not come back"

# Refused edits change nothing.
! "$tool" device card insert "My Documents" 2>/dev/null || fail "an ordinary folder became a card"
! "$tool" device memory --available 1G 2>/dev/null || fail "more memory available than there is"
! "$tool" device battery backup --charging on 2>/dev/null || fail "an absent battery charges"
probe
expect "memory 67108864 10485760"
expect "backup 128 255 0"

# A damaged line: the tool names it and edits nothing; programs keep going.
echo "this line is junk" >>"$VELLUMATE_DEVICE/profile.ini"
if message=$("$tool" device battery main --percent 50 2>&1); then fail "edited a damaged profile"; fi
grep -q "line .*this line is junk" <<<"$message" || fail "the damaged line is not named: $message"
grep -q "device reset --profile" <<<"$message" || fail "no way out is offered: $message"
probe
expect "main 10 5 3440"

# A profile that is no text at all: defaults for the programs.
head -c 512 /dev/urandom >"$VELLUMATE_DEVICE/profile.ini"
shown=$("$tool" device show 2>&1)
grep -q "is not UTF-8 text\|is not text" <<<"$shown" || fail "device show does not say the profile is damaged: $shown"
probe
expect "oem Vellumate Handset"
expect_not "card SD Two 1073741824 536870912"

# Back to the sample's hardware, files kept.
"$tool" device reset --profile >/dev/null
probe
expect "oem Vellumate VM-176 Reference Handset"
expect "card Storage Card 134217728 101711872"
[ -d "$VELLUMATE_DEVICE/root/SD Two" ] || fail "reset --profile lost a card's files"
echo "device commands: all checks passed"
