#!/usr/bin/env bash
# Pellory shows the phone's figures as `./vellumate device phone` sets them:
# its own number in the list's title, read again whenever the list comes back
# to the front, and the phone information, reached from the menu, with the
# card's capacity, the serial number, the message centre, the subscriber
# number and the provider.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

vm device phone --own +441632960111 --smsc +447700900123 --serial 490154203237518 \
    --subscriber 310150123456789 >/dev/null
start pellory Pellory
wait_for "the own number in the title" has_line Pellory 'text "My number: +441632960111'

press soft2
choose "SIM Card"
choose "Phone Info"
wait_for "the phone information" has_line '"Pellory"' 'Static id=1052 "490154203237518"'
expect "the capacity" has_line '"Pellory"' 'Static id=1063 "250 entries"'
expect "the name length" has_line '"Pellory"' 'Static id=1064 "Name: 16 chars"'
expect "the message centre" has_line '"Pellory"' 'Static id=1056 "+447700900123"'
expect "the subscriber number" has_line '"Pellory"' 'Static id=1054 "310150123456789"'
expect "the provider" has_line '"Pellory"' 'Static id=1055 "Vellum Mobile"'
expect "the Done key" soft_keys Done ""
shot phone-info >/dev/null

press soft1
wait_for "the list again" in_front Pellory

# A new own number is read when the list comes back to the front.
vm device phone --own +441632960222 >/dev/null
press soft2
choose "SIM Card"
choose "Phone Info"
wait_for "the phone information again" has_line '"Pellory"' 'Static id=1052'
press back
wait_for "the list with the new number" has_line Pellory 'text "My number: +441632960222'
