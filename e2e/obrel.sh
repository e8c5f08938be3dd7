#!/usr/bin/env bash
# Obrel: step the page ring both ways and with the left soft key, then
# change the main battery from outside and see the new figure on the power page.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

# The title strip of a page: its icon and its name.
TitleArea=176x28+0+22
# The main battery's bar on the power page, and the backup battery's under it.
MainBar=168x20+4+74
BackupBar=168x20+4+114

# page TITLE NEXT: the page of that title is shown, and the left soft key
# names the page after it.
page() {
    wait_for "the page \"$1\"" has_line Obrel "text \"$1\""
    expect "Obrel in front" in_front Obrel
    expect "the soft keys of the page \"$1\"" soft_keys "$2" Menu
}

vm run obrel >/dev/null
wait_for "Obrel in front" in_front Obrel
page "Memory (RAM)" Flash
previous=$(shot memory)

# The right key steps the ring forward, round to where it began.
for title in "Flash Storage:Power:flash" "Power:Device:power" "Device Info:Memory:device" "Memory (RAM):Flash:memory-again"; do
    IFS=: read -r name next picture <<<"$title"
    press right
    page "$name" "$next"
    current=$(shot "$picture")
    region_changed "the title after the page \"$name\" came" "$previous" "$current" "$TitleArea"
    previous=$current
done

# The left key steps it back, and the left soft key forward.
press left
page "Device Info" Memory
press soft1
page "Memory (RAM)" Flash
press left
page "Device Info" Memory
press left
page "Power" Device

# The figure a person sees now, and another one for the battery to take.
wait_for "the main battery's figure" in_order Obrel 'text "  Main battery"' 'text "  ['
before=$(sed -n 's/^ *text "  \[\([0-9]*\)%\]"$/\1/p' <<<"$(window_lines Obrel)" | head -n 1)
[ -n "$before" ] || fail "no figure under \"Main battery\""
percent=37
[ "$before" != "$percent" ] || percent=58
oldPower=$(shot power-before)

vm device battery main --percent "$percent" >/dev/null
wait_for "the main battery at $percent%" in_order Obrel \
    'text "  Main battery"' "text \"  [$percent%]\"" 'text "  Backup battery"'
expect "the page still \"Power\"" has_line Obrel 'text "Power"'
newPower=$(shot power-after)
region_changed "the main battery's bar after the change" "$oldPower" "$newPower" "$MainBar"
[ "$(pixels_differ "$oldPower" "$newPower" "$BackupBar")" -eq 0 ] ||
    fail "the backup battery's bar changed with the main battery's figure"
