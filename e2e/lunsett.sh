#!/usr/bin/env bash
# Lunsett: with Tarnwell, Obrel and an application that ignores close
# requests running, the task list shows them and not the home shell; it
# switches to each, closes Obrel, ends the holdout after its question, closes
# all others, hides what InvisApp.txt names (by executable and, for a known
# application, by its shortcut), and its system panel follows the device's
# memory and battery.
set -euo pipefail
# shellcheck source=e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_begin

List='"Task Manager"'
Panel='"System Info"'

# holdout [OPTIONS]: the platform's application that ignores close requests.
holdout() {
    (vm exec setsid wine 'D:\Windows\vmholdout.exe' "$@" >/dev/null 2>&1 </dev/null &)
}

# select_row TITLE: steps up the list to the row, or down when it is below.
select_row() {
    local tries
    for tries in 1 2 3 4 5 6; do
        read_screen
        has_line "$List" row "\"$1\" selected" && return 0
        press up
    done
    press_until "the row \"$1\" selected" down has_line "$List" row "\"$1\" selected"
}

# back_to_list: starting Lunsett again brings the running one forward.
# The home screen may take the front while the activation crosses between
# the processes; a person then starts Lunsett once more.
back_to_list() {
    local tries deadline
    for tries in 1 2 3; do
        vm run lunsett >/dev/null
        deadline=$(($(now_ms) + 3000))
        while [ "$(now_ms)" -lt "$deadline" ]; do
            read_screen
            in_front "$List" && return 0
            sleep 0.2
        done
    done
    fail "the task list did not come to the front (started $tries times)"
}

# gone NAME: the session has no process of that name.
gone() { ! pid_of "$1" >/dev/null; }

wait_gone() {
    local deadline=$(($(now_ms) + E2E_WAIT * 1000))
    while ! gone "$1"; do
        [ "$(now_ms)" -lt "$deadline" ] || fail "the process $1 still runs"
        sleep 0.2
    done
}

start obrel Obrel
start tarnwell "File Manager"
holdout
wait_for "the holdout's window" has_line VellumateHoldout "does not close"

vm run lunsett >/dev/null
wait_for "the task list in front" in_front "$List"
wait_for "three applications listed" has_line "$List" '"Running applications: 3"'
expect "Obrel listed" has_line "$List" row '"System Info"'
expect "Tarnwell listed" has_line "$List" row '"File Manager"'
expect "the holdout listed" has_line "$List" row '"Holdout"'
expect "the home screen not listed" lacks_line "$List" row '"Home"'
expect "the title strip not listed" lacks_line "$List" row '"Task Manager"'
expect "the soft keys" soft_keys "Switch To" Menu
expect "the free memory strip" has_line "$List" 'id=1002 "Free memory: ' ' KB"'
shot list

# Switching brings each to the front.
select_row "System Info"
press enter
wait_for "Obrel in front" in_front Obrel
back_to_list
select_row "File Manager"
press enter
wait_for "Tarnwell in front" in_front "File Manager"
back_to_list

# Closing Obrel removes its row and its process.
select_row "System Info"
press 7
wait_for "Obrel's row gone" lacks_line "$List" row '"System Info"'
expect "two applications left" has_line "$List" '"Running applications: 2"'
wait_gone obrel.exe

# The holdout refuses; about a second later the question names it.
select_row "Holdout"
asked=$(now_ms)
press 7
wait_for "the terminate question" has_line '"Not Responding"' '"Holdout does not respond.'
waited=$(($(now_ms) - asked))
[ "$waited" -ge 800 ] || fail "the question came after $waited ms, before the second of waiting"
expect "the holdout refused the close request" has_line VellumateHoldout "Close requests refused: 1"
shot question
press enter
wait_for "the holdout's row gone" lacks_line "$List" row '"Holdout"'
wait_gone vmholdout.exe
expect "Tarnwell still listed" has_line "$List" row '"File Manager"'

# Close all others keeps the selected one.
start obrel Obrel
holdout /title Willing /closable
wait_for "the second holdout" has_line VellumateHoldout "closes when asked"
back_to_list
wait_for "three applications again" has_line "$List" '"Running applications: 3"'
select_row "File Manager"
press soft2
choose "Close Others"
wait_for "only Tarnwell left" has_line "$List" '"Running applications: 1"'
expect "Tarnwell kept" has_line "$List" row '"File Manager" selected'
wait_gone obrel.exe
wait_gone vmholdout.exe
pid_of tarnwell.exe >/dev/null || fail "Tarnwell was closed with the others"

# Exit, hide Obrel and the calendar in the file beside the program, start again.
press soft2
choose Exit
wait_for "Lunsett ended" absent "$List"
invisible=$(device_file '\Program Files\Vellumate\InvisApp.txt')
printf '\\Windows\\vmshell.exe\r\n \t\\PROGRAM FILES\\Vellumate\\obrel.exe\t \r\n\\Windows\\Start Menu\\Calendar.lnk' >"$invisible"
start obrel Obrel
holdout /class Calendar /title Calendar /closable
holdout /title Visible /closable
wait_for "the calendar's window" has_line Calendar "closes when asked"
wait_for "the visible holdout's window" has_line VellumateHoldout "closes when asked"
vm run lunsett >/dev/null
wait_for "the task list in front" in_front "$List"
wait_for "two applications listed" has_line "$List" '"Running applications: 2"'
expect "Obrel hidden" lacks_line "$List" row '"System Info"'
expect "the calendar hidden by its shortcut" lacks_line "$List" row '"Calendar"'
expect "a holdout of another name listed" has_line "$List" row '"Visible"'
expect "Tarnwell listed" has_line "$List" row '"File Manager"'

# The system panel follows the device's memory and battery.
press soft2
choose "System Info"
wait_for "the system panel" in_front "$Panel"
expect "the panel's OK" has_line menu_worker 'text "left: OK"'
expect "the processor" has_line "$Panel" 'id=1008 "ARM"'
expect "the system" has_line "$Panel" 'id=1009 "Windows CE"'
shot panel
vm device memory --available 12582912 >/dev/null
changed=$(now_ms)
wait_for "12.00 MB of program memory free" has_line "$Panel" 'id=1011 "12.00 MB"'
waited=$(($(now_ms) - changed))
[ "$waited" -le 3500 ] || fail "the panel took $waited ms to show the new memory"
vm device battery main --percent 37 >/dev/null
changed=$(now_ms)
wait_for "the main battery at 37%" has_line "$Panel" 'id=1020 "Medium (37%)"'
waited=$(($(now_ms) - changed))
[ "$waited" -le 3500 ] || fail "the panel took $waited ms to show the new battery"
press down down down down
shot panel-scrolled
press soft1
wait_for "back in the task list" in_front "$List"
expect "the memory strip after the change" has_line "$List" 'id=1002 "Free memory: 12,288 KB"'

# Close all asks first: Back declines and nothing closes; OK closes every
# listed application and leaves the hidden Obrel and calendar running.
press 2
wait_for "the close-all question" has_line '"Close All"' '"Close all running applications?'
press back
wait_for "the task list back in front" in_front "$List"
expect "nothing closed" has_line "$List" '"Running applications: 2"'
press 2
wait_for "the close-all question again" has_line '"Close All"' '"Close all running applications?'
press enter
wait_for "every listed application closed" has_line "$List" '"Running applications: 0"'
wait_gone tarnwell.exe
wait_for "the visible holdout closed" absent VellumateHoldout
expect "the hidden calendar left open" has_line Calendar "closes when asked"
pid_of obrel.exe >/dev/null || fail "the hidden Obrel was closed with the listed applications"
shot empty
