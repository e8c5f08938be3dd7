#!/usr/bin/env bash
# `vellumate device contacts` and `device phone` against what programs see:
# the contacts the tool adds are those a program reads through the object
# model, a program's saved contact is what the tool shows, and the phone
# figures the tool sets are what the text-message service and the cellular
# line answer.
#
#   contacts_commands.sh VELLUMATE_TOOL WINE_RUN PROBE_EXE
set -euo pipefail
tool=$1 wine_run=$2 probe_exe=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VELLUMATE_DEVICE=$work/device
unset VELLUMATE_PROFILE VELLUMATE_ROOT VELLUMATE_SIM VELLUMATE_CONTACTS

fail() { echo "FAILED: $*" >&2; exit 1; }
windows_path() { local path; path=$(readlink -m "$1"); echo "Z:${path//\//\\}"; }
probe() {
    seen=$(VELLUMATE_PROFILE=$(windows_path "$VELLUMATE_DEVICE/profile.ini") \
           VELLUMATE_ROOT=$(windows_path "$VELLUMATE_DEVICE/root") "$wine_run" "$probe_exe" "$@" | tr -d '\r') || true
}
expect() { grep -qxF -- "$1" <<<"$seen" || fail "expected '$1' among:"$'\n'"$seen"; }

# The sample's contacts, as a program reads them.
shown=$("$tool" device contacts show)
grep -q "^36 contacts" <<<"$shown" || fail "the sample's contacts are not shown: $(head -3 <<<"$shown")"
probe contacts
expect "Ann|Lee|(0161) 496-0101|0161 496 0102"
expect "||07700 900 888|"

# What the tool adds a program reads, and what a program saves the tool shows.
"$tool" device contacts clear >/dev/null
"$tool" device contacts add FirstName=Ann LastName=Lee "MobileTelephoneNumber=(0161) 555-0101" >/dev/null
! "$tool" device contacts add Nickname=Annie 2>/dev/null || fail "an unknown property was taken"
probe contacts
[ "$seen" = "Ann|Lee|(0161) 555-0101|" ] || fail "the program reads: $seen"
probe add Dee Khan "+44 161 555 0102"
expect "ok"
shown=$("$tool" device contacts show)
grep -qxE "contact [0-9]+: Dee Khan" <<<"$shown" || fail "the program's contact is not shown: $shown"
grep -qx "  HomeTelephoneNumber: +44 161 555 0102" <<<"$shown" || fail "its number is not in its field: $shown"

# The phone figures the tool sets are what the services answer.
"$tool" device phone --own +441632960123 --smsc "" --serial 490154203237518 --subscriber 310150123456789 >"$work/phone.txt"
grep -qx "message centre:    (none)" "$work/phone.txt" || fail "device phone: $(cat "$work/phone.txt")"
probe sms
expect "own +441632960123"
expect "smsc "
probe line
expect "serial 490154203237518"
expect "subscriber 310150123456789"
! "$tool" device phone --own "call me" 2>/dev/null || fail "a number that cannot be dialled was taken"
echo "contacts and phone commands: ok"
