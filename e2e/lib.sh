# shellcheck shell=bash
# The end-to-end tests' harness, sourced by each test. A test starts a
# headless session on a device of its own in a temporary folder, drives the
# installed programs only through ./vellumate press, reads them through
# ./vellumate screen and ./vellumate shot, and leaves nothing behind: the
# session is stopped and the folder removed when the test ends, however it ends.
#
#   e2e_begin                     the temporary device; call first
#   vm ARGS...                    ./vellumate on that device
#   wait_for WHAT CHECK ARGS...   reads the screen until CHECK passes, or fails the test
#   expect WHAT CHECK ARGS...     the same on the screen as it is now
#   fail MESSAGE                  ends the test, printing the screen
#   start PROGRAM WINDOW          runs PROGRAM and waits for its WINDOW in front
#   press_until WHAT KEY CHECK ARGS...
#                                 presses KEY, a few times at most, until CHECK passes
#   device_file PATH              where the device's file PATH ("\My Documents") lies on disk
#   expect_file / expect_no_file PATH
#                                 PATH is there / is not there on the device
#   on_card / off_card TEXT...    a line of ./vellumate device sim show holds / no line holds every TEXT
#
# Checks on the screen read last (E2E_SCREEN), by top-level window, as
# ./vellumate screen names it ("Obrel", "File Manager", "menu_popup"), or by
# a dialog's caption in double quotes ('"Copy To"' is the dialog of that caption):
#
#   in_front WINDOW               the window is the foreground window
#   absent WINDOW                 no window of that name is on the screen
#   has_line WINDOW TEXT...       one of its lines holds every TEXT, in that order
#   in_order WINDOW TEXT...       lines holding each TEXT follow one another in that order
#   lacks_line WINDOW TEXT...     none of its lines holds every TEXT
#   soft_keys LEFT RIGHT          the soft-key bar in front shows these two labels

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
E2E_NAME=$(basename "$0" .sh)
E2E_TOOL=$E2E_ROOT/vellumate
# Pictures stay here after the test, so a failure can be looked at.
E2E_SHOTS=${VELLUMATE_BUILD:-$E2E_ROOT/build}/e2e/$E2E_NAME
# How long a screen may take to show what a key asked for.
E2E_WAIT=${E2E_WAIT:-10}
E2E_TMP=""
E2E_SCREEN=""
E2E_FAILED=""
E2E_FAILED_AT=""

# Headless always: a session on the caller's display would take it over.
unset DISPLAY

e2e_begin() {
    E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/vellumate-e2e-$E2E_NAME.XXXXXX")
    rm -rf "$E2E_SHOTS"
    mkdir -p "$E2E_SHOTS"
    trap e2e_end EXIT
    trap 'exit 130' INT TERM HUP
    # A command that fails outside the checks ends the test (set -e): say which.
    trap 'E2E_FAILED_AT="line $LINENO: $BASH_COMMAND"' ERR
    # A copy of a prepared Wine prefix takes seconds; making one takes many.
    if [ -n "${E2E_PREFIX_TEMPLATE:-}" ] && [ -d "$E2E_PREFIX_TEMPLATE" ]; then
        mkdir -p "$E2E_TMP/device"
        cp -a "$E2E_PREFIX_TEMPLATE" "$E2E_TMP/device/prefix"
    fi
    note "device $E2E_TMP/device"
}

# The device's folders are handed to each command rather than exported, so
# that only the processes of the session carry them in their environment.
vm() {
    VELLUMATE_STATE=$E2E_TMP/state VELLUMATE_DEVICE=$E2E_TMP/device "$E2E_TOOL" "$@"
}

note() { echo "  $E2E_NAME: $*"; }

# Milliseconds since some fixed moment.
now_ms() {
    local micro=${EPOCHREALTIME/[.,]/}
    echo $((micro / 1000))
}

fail() {
    E2E_FAILED=1
    echo "FAIL $E2E_NAME: $*" >&2
    if [ -n "$E2E_SCREEN" ]; then
        echo "--- the screen read last:" >&2
        printf '%s\n' "$E2E_SCREEN" >&2
        echo "---" >&2
    fi
    if [ -n "$E2E_TMP" ] && vm shot "$E2E_SHOTS/failure.png" >/dev/null 2>&1; then
        echo "the screen at the failure: $E2E_SHOTS/failure.png" >&2
    fi
    exit 1
}

read_screen() {
    E2E_SCREEN=$(vm screen 2>&1) || E2E_SCREEN="(./vellumate screen failed) $E2E_SCREEN"
}

# wait_for WHAT CHECK ARGS...: reads the screen every fifth of a second until
# CHECK ARGS holds, for at most E2E_WAIT seconds; WHAT says what was awaited.
wait_for() {
    local what=$1 deadline
    shift
    deadline=$(($(now_ms) + E2E_WAIT * 1000))
    while :; do
        read_screen
        "$@" && return 0
        [ "$(now_ms)" -lt "$deadline" ] || fail "$what (not seen within ${E2E_WAIT} s)"
        sleep 0.2
    done
}

expect() {
    local what=$1
    shift
    read_screen
    "$@" || fail "$what"
}

start() {
    vm run "$1" >/dev/null
    wait_for "$1 in front, showing its window \"$2\"" in_front "$2"
}

# press KEY...: one key at a time, as a person presses them.
press() {
    vm press "$@" || fail "./vellumate press $* failed"
}

# press_until WHAT KEY CHECK ARGS...: presses KEY until CHECK ARGS holds on
# the screen, as a person steps through a list to the row wanted.
press_until() {
    local what=$1 key=$2 tries
    shift 2
    for tries in 1 2 3 4 5 6 7 8 9 10 11 12; do
        read_screen
        "$@" && return 0
        press "$key"
    done
    wait_for "$what (after pressing $key $tries times)" "$@"
}

# choose LABEL: waits for an open menu with an item LABEL and presses that
# item's number key, so a test does not depend on where the item stands.
menu_key() {
    sed -n "s/^  text \"[> ] \([0-9]\) $1\( \[.*\]\)\{0,1\}\"\$/\1/p" <<<"$(window_lines menu_popup)" | head -n 1
}
menu_has() { [ -n "$(menu_key "$1")" ]; }
choose() {
    wait_for "the menu item \"$1\"" menu_has "$1"
    press "$(menu_key "$1")"
}

# ---------------------------------------------------------------- checks

# The lines of the first top-level window of that name (or, quoted, of the
# first dialog of that caption), its own line first.
window_lines() {
    local name=$1 line inside=""
    while IFS= read -r line; do
        if [[ $line != " "* ]]; then
            [ -z "$inside" ] || break
            if [[ $name == '"'* ]]; then
                [[ $line == "#32770 $name @"* ]] && inside=1
            else
                [[ $line == "$name \""* ]] && inside=1
            fi
        fi
        [ -z "$inside" ] || printf '%s\n' "$line"
    done <<<"$E2E_SCREEN"
}

# line_holds LINE TEXT...: LINE holds every TEXT, in that order.
line_holds() {
    local rest=$1 text
    shift
    for text in "$@"; do
        [[ $rest == *"$text"* ]] || return 1
        rest=${rest#*"$text"}
    done
}

has_line() {
    local line
    while IFS= read -r line; do
        line_holds "$line" "${@:2}" && return 0
    done < <(window_lines "$1")
    return 1
}

lacks_line() { ! has_line "$@"; }

in_order() {
    local line texts=("${@:2}") next=0
    while IFS= read -r line; do
        [ "$next" -lt ${#texts[@]} ] || break
        if [[ $line == *"${texts[$next]}"* ]]; then next=$((next + 1)); fi
    done < <(window_lines "$1")
    [ "$next" -eq ${#texts[@]} ]
}

absent() { [ -z "$(window_lines "$1")" ]; }

in_front() {
    local first
    first=$(window_lines "$1" | head -n 1)
    [[ $first == *" foreground" ]]
}

# The bars of all programs sit at the bottom of the screen; the first one
# listed is on top of the others, so it is the one a person sees.
# An empty TEXT is a key that shows nothing.
soft_keys() {
    has_line menu_worker "text \"left: $1\"" || return
    if [ -z "$2" ]; then
        lacks_line menu_worker 'text "right:'
    else
        has_line menu_worker "text \"right: $2\""
    fi
}

# ---------------------------------------------------------------- the device's files

# device_file PATH: where the device's file PATH (as the device names it,
# "\My Documents\Read me.txt") lies on disk.
device_file() {
    local path=${1//\\//}
    echo "$E2E_TMP/device/root/${path#/}"
}

expect_file() {
    [ -e "$(device_file "$1")" ] || fail "$1 is not on the device"
}

expect_no_file() {
    [ ! -e "$(device_file "$1")" ] || fail "$1 is still on the device"
}

# ---------------------------------------------------------------- the SIM card

on_card() {
    local line
    while IFS= read -r line; do
        line_holds "$line" "$@" && return 0
    done < <(vm device sim show)
    return 1
}

off_card() { ! on_card "$@"; }

# ---------------------------------------------------------------- pictures

# shot NAME: the screen as $E2E_SHOTS/NAME.png, checked to be a whole screen
# with something on it; prints the file's path.
shot() {
    local file="$E2E_SHOTS/$1.png" size colours
    vm shot "$file" >/dev/null || fail "./vellumate shot $file failed"
    [ -s "$file" ] || fail "./vellumate shot wrote no picture to $file"
    size=$(identify -format '%wx%h' "$file" 2>/dev/null) || fail "$file is not a picture"
    [ "$size" = 176x220 ] || fail "$file is $size, not the 176x220 screen"
    colours=$(identify -format '%k' "$file")
    [ "$colours" -gt 8 ] || fail "$file has only $colours colours: the screen is blank"
    echo "$file"
}

# pixels_differ A B GEOMETRY: how many pixels of the region WxH+X+Y differ
# between the pictures A and B.
pixels_differ() {
    local count
    # compare writes the count to stderr and exits 1 when the pictures differ.
    count=$(compare -metric AE "$1[$3]" "$2[$3]" null: 2>&1) || true
    [[ $count =~ ^[0-9]+$ ]] || fail "cannot compare $1 and $2: $count"
    echo "$count"
}

# region_changed WHAT A B GEOMETRY: fails unless the region differs.
region_changed() {
    local count
    count=$(pixels_differ "$2" "$3" "$4")
    [ "$count" -gt 0 ] || fail "$1: the region $4 of $(basename "$2") and $(basename "$3") is the same"
}

# ---------------------------------------------------------------- processes

# The processes started for this test's device: each carries the device's
# folder in its environment, whatever the tool did or did not record.
session_processes() {
    local dir entry name
    for dir in /proc/[0-9]*; do
        {
            while IFS= read -r -d '' entry; do
                if [[ $entry == "VELLUMATE_DEVICE=$E2E_TMP/"* ]]; then
                    read -r name <"$dir/comm"
                    echo "${dir#/proc/} $name"
                    break
                fi
            done <"$dir/environ"
        } 2>/dev/null || true
    done
}

# pid_of NAME: the session's process of that name (exactly), if any.
pid_of() {
    local pid name
    while read -r pid name; do
        if [ "$name" = "$1" ]; then echo "$pid"; return 0; fi
    done < <(session_processes)
    return 1
}

# Stops the session and checks that it took every process of the device with
# it; removes the device in any case.
e2e_end() {
    local rc=$? left
    trap - EXIT ERR
    if [ "$rc" -ne 0 ] && [ -z "$E2E_FAILED" ]; then
        echo "FAIL $E2E_NAME: a command failed (exit $rc) at ${E2E_FAILED_AT:-an unknown place}" >&2
    fi
    if [ -n "$E2E_TMP" ]; then
        vm session stop >/dev/null 2>&1 || true
        left=$(session_processes)
        if [ -n "$left" ]; then
            echo "FAIL $E2E_NAME: ./vellumate session stop left processes of the device running:" >&2
            echo "$left" >&2
            # shellcheck disable=SC2046 # one pid a word
            kill -9 $(cut -d' ' -f1 <<<"$left") 2>/dev/null || true
            rc=1
        fi
        rm -rf "$E2E_TMP"
    fi
    if [ "$rc" -eq 0 ]; then echo "ok $E2E_NAME"; fi
    exit "$rc"
}
