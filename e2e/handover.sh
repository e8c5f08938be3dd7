#!/usr/bin/env bash
# When a program ends, the keys go to the window that comes to the front
# (the program behind it, or the home screen), never to a soft-key bar.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

program_in_front() { in_front Obrel || in_front MSStart; }
no_bar_in_front() { ! in_front menu_worker; }
# The home screen's highlighted row.
home_highlight() { window_lines MSStart | grep '^  text "> ' || true; }
home_highlight_moved() { [ "$(home_highlight)" != "$1" ]; }

vm run obrel >/dev/null
wait_for "Obrel in front" in_front Obrel
wait_for "Obrel's first page" has_line Obrel 'text "Memory (RAM)"'
vm run tarnwell >/dev/null
wait_for "Tarnwell in front" in_front "File Manager"

press soft2
choose Exit
wait_for "Tarnwell gone" absent "File Manager"
wait_for "Obrel or the home screen in front" program_in_front
expect "no soft-key bar in front" no_bar_in_front

if in_front Obrel; then
    press right
    wait_for "the right key reaching Obrel" has_line Obrel 'text "Flash Storage"'
else
    before=$(home_highlight)
    press down
    wait_for "the down key reaching the home screen" home_highlight_moved "$before"
fi
