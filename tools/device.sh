# shellcheck shell=bash
# The device folder and the `vellumate device` commands.

# A device folder: root/ (the handset's "\"), prefix/ (its registry),
# profile.ini (the simulated hardware), sim.txt (its SIM card), contacts.txt
# (its Contacts database), lastcall.txt
# (the last dialled call), session/ (the running session).
ensure_device() {
    ensure_device_folder
    prepare_prefix "$DEVICE/prefix" device "$DEVICE/root"
}

# The device's files without its Wine prefix: enough for the device commands.
ensure_device_folder() {
    if [ ! -d "$DEVICE/root" ]; then
        note "creating the device $DEVICE from the sample device"
        mkdir -p "$DEVICE"
        cp -a "$SAMPLE/root" "$DEVICE/root"
        cp -a "$SAMPLE/profile.ini" "$DEVICE/profile.ini"
    fi
    # Devices made before the SIM card existed get the sample's card.
    [ -e "$(sim_file)" ] || cp "$SAMPLE/sim.txt" "$(sim_file)"
    # And those made before the Contacts database get the sample's contacts.
    [ -e "$(contacts_file)" ] || cp "$SAMPLE/contacts.txt" "$(contacts_file)"
    ensure_device_stores
}

# Copies the built programs into the device (once per command). A new inode
# for every file, so a running program keeps its old image intact.
install_programs() {
    [ -z "${INSTALLED:-}" ] || return 0
    INSTALLED=1
    local progdir="$DEVICE/root/Program Files/Vellumate" windir="$DEVICE/root/Windows" f name
    mkdir -p "$progdir" "$windir"
    for f in "$BUILD/programs"/*; do
        [ -f "$f" ] || continue
        name=$(basename "$f")
        case "$name" in
            vm*.exe|vm*.dll|htmlview.dll|tmail.exe|tobex.exe) dest="$windir/$name" ;;
            *)                    dest="$progdir/$name" ;;
        esac
        # The hidden-applications list beside Lunsett is the user's to edit:
        # installed once, never overwritten.
        if [ "$name" = InvisApp.txt ] && [ -e "$dest" ]; then
            continue
        fi
        if [ ! -f "$dest" ] || ! cmp -s "$f" "$dest"; then
            rm -f "$dest"
            cp "$f" "$dest"
        fi
    done
}

# ---------------------------------------------------------------- the device profile
#
# profile.ini describes the simulated hardware: [device], [display], [memory],
# [store], [power] and one [card:NAME] section per storage card (the sample in
# device/profile.ini explains each value). The platform's own parser judges
# it everywhere: vmprofile (platform/profiletool), built for the host, checks,
# reads and edits it for the commands below, so the tool names exactly what
# the programs would ignore and refuses what they would not take.

PROFILE_TOOL=$NATIVE_BUILD/vmprofile

# profile_tool ARGS...: vmprofile, built first when it is missing or older
# than the code it is made of.
profile_tool() {
    if [ -z "${PROFILE_TOOL_FRESH:-}" ]; then
        refresh_native_tool "$PROFILE_TOOL" vmprofile \
            "$ROOT/platform/profiletool" "$ROOT/platform/hosttools" "$ROOT/platform/DeviceProfile.cpp" "$ROOT/platform/DeviceProfile.h"
        PROFILE_TOOL_FRESH=1
    fi
    "$PROFILE_TOOL" "$@"
}

# refresh_native_tool EXE TARGET SOURCES...: builds TARGET of the native build
# when EXE is missing or older than any of SOURCES (files or folders).
refresh_native_tool() {
    local exe=$1 target=$2; shift 2
    if [ ! -x "$exe" ] || [ -n "$(find "$@" -newer "$exe" -print -quit)" ]; then
        configure_native
        local out
        out=$(cmake --build "$NATIVE_BUILD" --target "$target" 2>&1) || { echo "$out" >&2; die "cannot build $target"; }
    fi
}

profile_file() { echo "$DEVICE/profile.ini"; }

# Prints the problems of the profile, one a line: "S" (the file cannot be
# edited safely) or "V" (a value the platform ignores), the line (0 for the
# whole file) and the text, separated by tabs.
profile_problems() { profile_tool check "$1"; }

# Lists the problems; dies when the file cannot be edited safely.
profile_require_sound() {
    local file=$1 kind line text broken="" problems
    problems=$(profile_problems "$file") || die "cannot check $file"
    while IFS=$'\t' read -r kind line text; do
        [ -n "$kind" ] || continue
        if [ "$line" = 0 ]; then echo "vellumate: $file: $text" >&2
        else echo "vellumate: $file line $line: $text" >&2; fi
        [ "$kind" = S ] && broken=1
    done <<<"$problems"
    [ -z "$broken" ] && return 0
    echo "vellumate: the device profile is damaged; the programs use the platform's defaults where it is." >&2
    die "fix $file, or restore the sample's hardware with ./vellumate device reset --profile (files are kept)"
}

# Loads what the programs read from the profile now: PROFILE[SECTION.KEY]
# (the platform's default where the file has no valid value) and
# PROFILE_CARDS, one "NAME<TAB>STATE<TAB>SIZE<TAB>FREE" a card in file order.
declare -gA PROFILE=()
PROFILE_CARDS=()
profile_load() {
    local shown key value
    shown=$(profile_tool show "$(profile_file)") || die "cannot read $(profile_file)"
    PROFILE=()
    PROFILE_CARDS=()
    while IFS=$'\t' read -r key value; do
        if [ "$key" = card ]; then PROFILE_CARDS+=("$value"); else PROFILE[$key]=$value; fi
    done <<<"$shown"
}

# profile_find_card NAME: the profile's card of that name (without regard to
# case) in CARD_NAME, CARD_STATE (empty when there is none), CARD_SIZE and
# CARD_FREE (a new card's defaults). Dies when no card can have that name.
profile_find_card() {
    local out rc=0
    out=$(profile_tool card "$(profile_file)" "$1" 2>&1) || rc=$?
    [ "$rc" -le 1 ] || die "$out"
    IFS=$'\t' read -r _ CARD_NAME CARD_STATE CARD_SIZE CARD_FREE <<<"$out"
    [ "$rc" = 0 ] || CARD_STATE=""
}

# profile_set SECTION KEY VALUE...: changes those settings, all or none. A
# setting that exists is changed in place, a new one goes at the end of its
# section, a new section at the end of the file; the new file replaces the old
# one in one step, so a program never reads half of it. profile_try only says
# whether profile_set would: so that nothing else is done for a refused edit.
profile_set() { profile_edit set "$@"; }
profile_try() { profile_edit try "$@"; }
profile_edit() {
    local how=$1 out line; shift
    out=$(profile_tool "$how" "$(profile_file)" "$@" 2>&1) && return 0
    while IFS= read -r line; do note "$line"; done <<<"$out"
    die "the device profile was not changed"
}

# A byte count: digits with an optional K, M or G (1024-based).
parse_bytes() {
    local text=$1 what=$2 unit=1
    [[ $text =~ ^([0-9]{1,15})([KkMmGg]?)$ ]] || die "$what must be a number of bytes (such as 1048576, 512K, 64M or 2G), not '$text'"
    case ${BASH_REMATCH[2]} in
        K|k) unit=1024 ;;
        M|m) unit=$((1024 * 1024)) ;;
        G|g) unit=$((1024 * 1024 * 1024)) ;;
    esac
    # Past 2^63 - 1 the shell's arithmetic wraps.
    [ $((10#${BASH_REMATCH[1]})) -le $((0x7fffffffffffffff / unit)) ] || die "$what is too large: '$text'"
    echo $((10#${BASH_REMATCH[1]} * unit))
}

battery_state_text() {  # battery_state_text FLAG PERCENT
    local flag=$1 percent=$2 names=()
    case $flag in
        128) echo "no battery"; return ;;
        255) echo "unknown"; return ;;
    esac
    ((flag & 1)) && names+=(high)
    ((flag & 2)) && names+=(low)
    ((flag & 4)) && names+=(critical)
    ((flag & 8)) && names+=(charging)
    [ ${#names[@]} -eq 0 ] && names+=(medium)
    local text; text=$(IFS=,; echo "${names[*]}"); text=${text//,/, }
    if [ "$percent" = 255 ]; then echo "$text, charge unknown (flag $flag)"
    else echo "$percent% $text (flag $flag)"; fi
}

megabytes() { awk -v b="$1" 'BEGIN { printf "%.1f MB", b / 1048576 }'; }

# The battery flag the handset's driver reports for a charge level.
flag_for_percent() {
    local percent=$1
    if [ "$percent" = 255 ]; then echo 255
    elif [ "$percent" -gt 66 ]; then echo 1
    elif [ "$percent" -lt 5 ]; then echo 4
    elif [ "$percent" -lt 33 ]; then echo 2
    else echo 0; fi
}

device_show() {
    local file; file=$(profile_file)
    echo "device:    $DEVICE"
    echo "root:      $DEVICE/root (drive D:)"
    echo "profile:   $file"
    local problems; problems=$(profile_problems "$file") || true
    # The values, unless the file as a whole is unreadable.
    if ! grep -q $'^S\t0\t' <<<"$problems"; then
        profile_load
        local total=${PROFILE[memory.total]} avail=${PROFILE[memory.available]}
        local size=${PROFILE[store.size]} free=${PROFILE[store.free]}
        echo "maker:     ${PROFILE[device.oem]}"
        echo "system:    ${PROFILE[device.os_major]}.${PROFILE[device.os_minor]}" \
             "build ${PROFILE[device.os_build]}, processor type ${PROFILE[device.processor]}"
        echo "display:   ${PROFILE[display.width]} x ${PROFILE[display.height]}," \
             "${PROFILE[display.bits]} bits per pixel"
        echo "memory:    $(megabytes "$avail") available of $(megabytes "$total") ($avail of $total bytes)"
        echo "store:     $(megabytes "$free") free of $(megabytes "$size") ($free of $size bytes)"
        case ${PROFILE[power.ac]} in
            0) echo "power:     on battery" ;;
            1) echo "power:     on external power" ;;
            *) echo "power:     external power unknown" ;;
        esac
        echo "  main:    $(battery_state_text "${PROFILE[power.main_flag]}" "${PROFILE[power.main_percent]}")"
        echo "  backup:  $(battery_state_text "${PROFILE[power.backup_flag]}" "${PROFILE[power.backup_percent]}")"
        local card name state where
        echo "cards:"
        for card in "${PROFILE_CARDS[@]}"; do
            IFS=$'\t' read -r name state size free <<<"$card"
            where=""
            if [ "$state" = inserted ] && [ ! -d "$DEVICE/root/$name" ]; then where=" (its folder is missing: not seen)"; fi
            printf '  %-20s %-9s %s free of %s%s\n' "$name" "$state" "$(megabytes "$free")" "$(megabytes "$size")" "$where"
        done
    fi
    echo "sim:       $(sim_summary)"
    echo "last call: $(last_call_text)"
    local kind line text first=1
    while IFS=$'\t' read -r kind line text; do
        [ -n "$first" ] && { echo "problems (the programs use the platform's default for these values):"; first=""; }
        if [ "$line" = 0 ]; then echo "  $text"; else echo "  line $line: $text"; fi
    done < <([ -z "$problems" ] || printf '%s\n' "$problems")
    if [ -z "$first" ]; then
        echo "fix the lines above, or restore the sample's hardware with ./vellumate device reset --profile"
    fi
}

# Tells the running session, if any, about a card; the programs registered
# for it hear of it at once.
notify_session() {
    session_running || return 0
    (
        session_load_env
        vmdrive notify "$1" "\\$2" >/dev/null
    ) || note "the session's programs could not be told (vmdrive notify $1)"
}

device_card() {
    local action=${1:-} name=${2:-}
    [ $# -ge 2 ] || die "usage: device card insert|remove|set NAME [--size BYTES] [--free BYTES]"
    shift 2
    case $action in insert|remove|set) ;; *) die "unknown card command '$action' (insert, remove, set)" ;; esac
    local size="" free=""
    while [ $# -gt 0 ]; do
        case $1 in
            --size) [ $# -ge 2 ] || die "--size needs a value"; size=$(parse_bytes "$2" --size); shift 2 ;;
            --free) [ $# -ge 2 ] || die "--free needs a value"; free=$(parse_bytes "$2" --free); shift 2 ;;
            *) die "unknown option '$1' (--size, --free)" ;;
        esac
    done
    [ "$action" = remove ] && [ -n "$size$free" ] && die "remove takes no sizes"

    ensure_device_folder
    local CARD_NAME CARD_STATE CARD_SIZE CARD_FREE
    profile_find_card "$name"
    profile_require_sound "$(profile_file)"
    local devroot="$DEVICE/root" parked="$DEVICE/cards" state=$CARD_STATE
    name=$CARD_NAME

    # The sizes the card will have; a new card is empty.
    local newsize=${size:-$CARD_SIZE} newfree
    if [ -n "$free" ]; then newfree=$free
    elif [ -z "$state" ]; then newfree=$newsize
    else newfree=$CARD_FREE; fi
    local sizes=("card:$name" size "$newsize" "card:$name" free "$newfree")

    case $action in
        set)
            [ -n "$state" ] || die "no card '$name' in the profile (./vellumate device show lists them)"
            [ -n "$size$free" ] || die "set what? (--size, --free)"
            profile_set "${sizes[@]}"
            echo "card $name: $(megabytes "$newfree") free of $(megabytes "$newsize")"
            ;;
        insert)
            if [ "$state" = inserted ] && [ -d "$devroot/$name" ]; then
                [ -z "$size$free" ] || profile_set "${sizes[@]}"
                echo "card $name is already inserted"
                return 0
            fi
            # Nothing moves for sizes the profile would refuse.
            profile_try "card:$name" state inserted "${sizes[@]}"
            if [ -d "$parked/$name" ]; then
                [ -e "$devroot/$name" ] && die "both $devroot/$name and $parked/$name exist; move one of them away"
                mv "$parked/$name" "$devroot/$name"
            elif [ -d "$devroot/$name" ]; then
                [ -n "$state" ] || die "$devroot/$name is an ordinary folder of the device, not a card"
            else
                [ -e "$devroot/$name" ] && die "$devroot/$name is a file, not a card folder"
                mkdir "$devroot/$name"
            fi
            profile_set "card:$name" state inserted "${sizes[@]}"
            notify_session card-insert "$name"
            echo "card $name inserted ($(megabytes "$newfree") free of $(megabytes "$newsize"))"
            ;;
        remove)
            [ -n "$state" ] || die "no card '$name' in the profile (./vellumate device show lists them)"
            if [ "$state" = removed ] && [ ! -d "$devroot/$name" ]; then
                echo "card $name is already removed"
                return 0
            fi
            if [ -d "$devroot/$name" ]; then
                [ -e "$parked/$name" ] && die "both $devroot/$name and $parked/$name exist; move one of them away"
                mkdir -p "$parked"
                mv "$devroot/$name" "$parked/$name"
            fi
            profile_set "card:$name" state removed
            notify_session card-remove "$name"
            echo "card $name removed (its files wait in $parked/$name)"
            ;;
    esac
}

device_battery() {
    local which=${1:-}
    case $which in main|backup) shift ;; *) die "usage: device battery main|backup [--percent N] [--flag N] [--charging on|off] [--none]" ;; esac
    local percent="" flag="" charging="" none=""
    while [ $# -gt 0 ]; do
        case $1 in
            # The ranges are the profile's: the platform refuses what it would not take.
            --percent) [ $# -ge 2 ] || die "--percent needs a value"; percent=$(parse_count "$2" --percent); shift 2 ;;
            --flag)    [ $# -ge 2 ] || die "--flag needs a value"; flag=$(parse_count "$2" --flag); shift 2 ;;
            --charging) [ $# -ge 2 ] || die "--charging needs on or off"
                       case $2 in on|off) charging=$2 ;; *) die "--charging takes on or off, not '$2'" ;; esac
                       shift 2 ;;
            --none)    none=1; shift ;;
            *) die "unknown option '$1' (--percent, --flag, --charging, --none)" ;;
        esac
    done
    [ -n "$percent$flag$charging$none" ] || die "set what? (--percent N, --flag N, --charging on|off, --none)"
    [ -n "$none" ] && [ -n "$percent$flag$charging" ] && die "--none takes no other option"

    ensure_device_folder
    profile_require_sound "$(profile_file)"
    profile_load
    local edits=()
    if [ -n "$none" ]; then
        edits+=(power "${which}_flag" 128 power "${which}_percent" 255 power "${which}_voltage" 0)
        [ "$which" = main ] && edits+=(power main_temperature 0)
    else
        local current=${PROFILE[power.${which}_flag]}
        if [ -n "$percent" ]; then
            edits+=(power "${which}_percent" "$percent")
            if [ -z "$flag" ]; then
                flag=$(flag_for_percent "$percent")
                # Plugged in stays plugged in.
                [ "$current" != 128 ] && [ "$current" != 255 ] && [ "$flag" != 255 ] && flag=$((flag | (current & 8)))
            fi
            if [ "$percent" != 255 ]; then
                # A battery that is there has a voltage (and the main one a temperature).
                if [ "$which" = main ]; then
                    edits+=(power main_voltage $((3400 + percent * 8)))
                    [ "${PROFILE[power.main_temperature]}" = 0 ] && edits+=(power main_temperature 250)
                else
                    edits+=(power backup_voltage $((2700 + percent * 5)))
                fi
            fi
        fi
        flag=${flag:-$current}
        if [ -n "$charging" ]; then
            { [ "$flag" = 128 ] || [ "$flag" = 255 ]; } &&
                die "the $which battery is absent or unknown (flag $flag); give it a --percent first"
            if [ "$charging" = on ]; then flag=$((flag | 8)); else flag=$((flag & ~8)); fi
            [ "$which" = main ] && edits+=(power ac "$([ "$charging" = on ] && echo 1 || echo 0)")
        fi
        edits+=(power "${which}_flag" "$flag")
    fi
    profile_set "${edits[@]}"
    profile_load
    echo "$which battery: $(battery_state_text "${PROFILE[power.${which}_flag]}" "${PROFILE[power.${which}_percent]}")"
}

# device_pair SECTION TOTAL PART WHAT: `device memory` and `device store` set
# a total and the part of it that is free, the one not given kept as it is.
device_pair() {
    local section=$1 total_key=$2 part_key=$3 what=$4; shift 4
    local total="" part=""
    while [ $# -gt 0 ]; do
        case $1 in
            "--$total_key") [ $# -ge 2 ] || die "$1 needs a value"; total=$(parse_bytes "$2" "$1"); shift 2 ;;
            "--$part_key")  [ $# -ge 2 ] || die "$1 needs a value"; part=$(parse_bytes "$2" "$1"); shift 2 ;;
            *) die "unknown option '$1' (--$total_key, --$part_key)" ;;
        esac
    done
    [ -n "$total$part" ] || die "set what? (--$total_key BYTES, --$part_key BYTES)"
    ensure_device_folder
    profile_require_sound "$(profile_file)"
    profile_load
    total=${total:-${PROFILE[$section.$total_key]}}
    part=${part:-${PROFILE[$section.$part_key]}}
    profile_set "$section" "$total_key" "$total" "$section" "$part_key" "$part"
    echo "$section: $(megabytes "$part") $what $(megabytes "$total")"
}

device_memory() { device_pair memory total available "available of" "$@"; }
device_store()  { device_pair store size free "free of" "$@"; }

# Puts the sample's profile back, and with it the sample's cards: a parked
# card folder that the sample has inserted returns to the root.
device_reset_profile() {
    [ -d "$DEVICE/root" ] || { ensure_device_folder; echo "device $DEVICE created from the sample"; return; }
    local file; file=$(profile_file)
    local next; next=$(mktemp "$file.XXXXXX")
    cp "$SAMPLE/profile.ini" "$next" && mv -f "$next" "$file"
    sim_tool load "$(sim_file)" "$SAMPLE/sim.txt" || die "cannot put the sample's SIM card back"
    profile_load
    local card name state
    for card in "${PROFILE_CARDS[@]}"; do
        IFS=$'\t' read -r name state _ <<<"$card"
        if [ "$state" = inserted ] && [ ! -e "$DEVICE/root/$name" ] && [ -d "$DEVICE/cards/$name" ]; then
            mv "$DEVICE/cards/$name" "$DEVICE/root/$name"
            notify_session card-insert "$name"
        fi
    done
    echo "the profile and SIM card of $DEVICE are the sample's again"
}

# ---------------------------------------------------------------- the SIM card
#
# sim.txt is the handset's SIM card (the sample in device/sim.txt explains
# it). vmsim (platform/sim/tool), built for the host, reads, checks and
# changes it with the platform's own card code, and replaces it in one step,
# so a program never reads half of it. Programs see every change at their
# next call, and their SIM notifications tell them of it.

SIM_TOOL=$NATIVE_BUILD/vmsim

# sim_tool ARGS...: vmsim, built first when it is missing or older than the
# code it is made of.
sim_tool() {
    if [ -z "${SIM_TOOL_FRESH:-}" ]; then
        refresh_native_tool "$SIM_TOOL" vmsim \
            "$ROOT/platform/sim/SimCardFile.cpp" "$ROOT/platform/sim/SimCardFile.h" "$ROOT/platform/sim/tool" \
            "$ROOT/platform/hosttools"
        SIM_TOOL_FRESH=1
    fi
    "$SIM_TOOL" "$@"
}

sim_file() { echo "$DEVICE/sim.txt"; }

# One line about the card for `device show`.
sim_summary() {
    local out
    if out=$(sim_tool summary "$(sim_file)" 2>&1); then echo "$out"
    elif [ ! -e "$(sim_file)" ]; then echo "no card file (no card in the handset)"
    else echo "${out#"$(sim_file) is "} (programs see a failing card)"; fi
}

# The last dialled call as lastcall.txt says it.
last_call_text() {
    local file="$DEVICE/lastcall.txt" number="" party="" time="" key value
    [ -f "$file" ] || { echo "none"; return; }
    while IFS='=' read -r key value; do
        value=${value%$'\r'}
        case $key in
            number) number=$value ;;
            called_party) party=$value ;;
            time) time=$value ;;
        esac
    done <"$file"
    [ -n "$number" ] || { echo "none (lastcall.txt holds no number)"; return; }
    echo "$number${party:+ ($party)}${time:+ at $time}"
}

device_sim() {
    local action=${1:-show}
    shift || true
    ensure_device_folder
    local file; file=$(sim_file)
    case $action in
        show)
            [ $# -eq 0 ] || die "usage: device sim show"
            echo "sim:       $file"
            sim_tool show "$file" || die "fix $file (or load another card with ./vellumate device sim load FILE)"
            ;;
        load)
            [ $# -eq 1 ] || die "usage: device sim load FILE"
            local source; source=$(readlink -m "$1")
            sim_tool load "$file" "$source" || die "the SIM card was not changed"
            echo "SIM card loaded from $source: $(sim_tool summary "$file")"
            ;;
        seal)
            # A card edited by hand, checked and sealed again (or FILE sealed into it).
            [ $# -le 1 ] || die "usage: device sim seal [FILE]"
            if [ $# -eq 1 ]; then sim_tool seal "$file" "$(readlink -m "$1")" || die "the SIM card was not changed"
            else sim_tool seal "$file" || die "the SIM card was not changed"; fi
            echo "SIM card sealed: $(sim_tool summary "$file")"
            ;;
        set|remove|insert)
            sim_tool "$action" "$file" "$@" >/dev/null || die "the SIM card was not changed"
            echo "SIM card: $(sim_tool summary "$file")"
            ;;
        radio)
            if [ $# -ne 1 ] || { [ "$1" != on ] && [ "$1" != off ]; }; then die "usage: device sim radio off|on"; fi
            sim_tool radio "$file" "$1" >/dev/null || die "the SIM card was not changed"
            echo "SIM card: $(sim_tool summary "$file")"
            ;;
        *) die "unknown sim command '$action' (show, load, seal, set, remove, insert, radio)" ;;
    esac
}

# ---------------------------------------------------------------- contacts
#
# contacts.txt is the handset's Contacts database (the sample in
# device/contacts.txt explains it). vmcontactstool (platform/contacts/tool),
# built for the host, reads and changes it with the platform's own code and
# replaces it in one step; programs reach it through the contacts object
# model, the server "vmcontacts.dll" that the session registers.

CONTACTS_TOOL=$NATIVE_BUILD/vmcontactstool

contacts_tool() {
    if [ -z "${CONTACTS_TOOL_FRESH:-}" ]; then
        refresh_native_tool "$CONTACTS_TOOL" vmcontactstool \
            "$ROOT/platform/contacts/ContactBook.cpp" "$ROOT/platform/contacts/ContactBook.h" \
            "$ROOT/platform/contacts/tool" "$ROOT/platform/sim/SimCardFile.cpp" "$ROOT/platform/hosttools"
        CONTACTS_TOOL_FRESH=1
    fi
    "$CONTACTS_TOOL" "$@"
}

contacts_file() { echo "$DEVICE/contacts.txt"; }

# Registers the contacts object model's server and the OBEX service in the
# handset's registry, as the handset's set-up does (run inside the session's
# environment).
register_contacts_server() {
    wine regsvr32 /s 'D:\Windows\vmcontacts.dll' >/dev/null 2>&1 </dev/null ||
        note "the contacts object model could not be registered (regsvr32 vmcontacts.dll)"
    wine regsvr32 /s 'D:\Windows\vmobex.dll' >/dev/null 2>&1 </dev/null ||
        note "the OBEX service could not be registered (regsvr32 vmobex.dll)"
}

# ---------------------------------------------------------------- nearby OBEX devices
#
# Each [obex:NAME] section of the profile is a nearby device; what is beamed to
# it lands in its inbox, obex/NAME in the device folder. The service looks at
# the profile while a program enumerates, so add and remove reach an open beam
# dialog at once.

obex_inbox() { echo "$DEVICE/obex/$1"; }

device_obex() {
    local action=${1:-show} name=${2:-}
    shift || true
    ensure_device_folder
    case $action in
        show)
            [ $# -eq 0 ] || die "usage: device obex show"
            local shown key value
            shown=$(profile_tool show "$(profile_file)") || die "cannot read $(profile_file)"
            echo "nearby devices (inboxes in $DEVICE/obex):"
            local any=""
            while IFS=$'\t' read -r key value; do
                [ "$key" = obex ] || continue
                any=1
                local dname state fail
                IFS=$'\t' read -r dname state fail <<<"$value"
                printf '  %-20s %-8s %s\n' "$dname" "$state" "$([ "$fail" = -1 ] && echo "" || echo "fails after $fail bytes")"
                if [ -d "$(obex_inbox "$dname")" ]; then
                    find "$(obex_inbox "$dname")" -maxdepth 1 -type f ! -name '~*' -printf '    %f (%s bytes)\n' | sort
                fi
            done <<<"$shown"
            [ -n "$any" ] || echo "  (none)"
            ;;
        add|remove|fail)
            [ -n "$name" ] || die "usage: device obex add|remove NAME | fail NAME --after BYTES|--never"
            shift
            profile_require_sound "$(profile_file)"
            case $action in
                add)
                    [ $# -eq 0 ] || die "usage: device obex add NAME"
                    profile_set "obex:$name" state present
                    mkdir -p "$(obex_inbox "$name")"
                    echo "device $name is in range (inbox $(obex_inbox "$name"))"
                    ;;
                remove)
                    [ $# -eq 0 ] || die "usage: device obex remove NAME"
                    profile_set "obex:$name" state absent
                    echo "device $name is out of range"
                    ;;
                fail)
                    local after=""
                    case ${1:-} in
                        --after) [ $# -eq 2 ] || die "--after needs a byte count"; after=$(parse_bytes "$2" --after) ;;
                        --never) [ $# -eq 1 ] || die "usage: device obex fail NAME --never"; after=never ;;
                        *) die "usage: device obex fail NAME --after BYTES|--never" ;;
                    esac
                    profile_set "obex:$name" fail_after "$after"
                    if [ "$after" = never ]; then echo "device $name keeps its link"
                    else echo "device $name breaks the link after $after bytes of each connection"; fi
                    ;;
            esac
            ;;
        *) die "unknown obex command '$action' (show, add, remove, fail)" ;;
    esac
}

device_contacts() {
    local action=${1:-show}
    shift || true
    ensure_device_folder
    local file; file=$(contacts_file)
    case $action in
        show)
            [ $# -eq 0 ] || die "usage: device contacts show"
            echo "contacts:  $file"
            contacts_tool show "$file" || die "fix $file (or empty it with ./vellumate device contacts clear)"
            ;;
        add)
            [ $# -ge 1 ] || die "usage: device contacts add NAME=VALUE... (such as FirstName=Ann MobileTelephoneNumber=0161...)"
            contacts_tool add "$file" "$@" || die "the contacts were not changed"
            ;;
        clear)
            [ $# -eq 0 ] || die "usage: device contacts clear"
            contacts_tool clear "$file" || die "the contacts were not changed"
            echo "contacts: $(contacts_tool summary "$file")"
            ;;
        *) die "unknown contacts command '$action' (show, add, clear)" ;;
    esac
}

# ---------------------------------------------------------------- phone figures

device_phone() {
    local edits=() key
    while [ $# -gt 0 ]; do
        case $1 in
            --own) key=own_number ;;
            --smsc) key=smsc ;;
            --serial) key=serial ;;
            --subscriber) key=subscriber ;;
            *) die "unknown option '$1' (--own, --smsc, --serial, --subscriber)" ;;
        esac
        [ $# -ge 2 ] || die "$1 needs a value (an empty one for none)"
        edits+=(phone "$key" "$2")
        shift 2
    done
    ensure_device_folder
    profile_require_sound "$(profile_file)"
    [ ${#edits[@]} -eq 0 ] || profile_set "${edits[@]}"
    profile_load
    echo "own number:        ${PROFILE[phone.own_number]:-(none)}"
    echo "message centre:    ${PROFILE[phone.smsc]:-(none)}"
    echo "serial number:     ${PROFILE[phone.serial]:-(none)}"
    echo "subscriber number: ${PROFILE[phone.subscriber]:-(none)}"
}

device_cmd() {
    local sub=${1:-show}; shift || true
    case "$sub" in
        reset)
            if [ "${1:-}" = --profile ]; then
                device_reset_profile
                return
            fi
            [ $# -eq 0 ] || die "usage: device reset [--profile]"
            session_running && die "stop the session first (./vellumate session stop)"
            rm -rf "$DEVICE/root" "$DEVICE/cards" "$DEVICE/profile.ini" "$DEVICE/sim.txt" "$DEVICE/contacts.txt" \
                "$DEVICE/lastcall.txt"
            ensure_device
            echo "device $DEVICE restored from the sample"
            ;;
        path) echo "$DEVICE" ;;
        show)
            ensure_device_folder
            device_show
            ;;
        card)    device_card "$@" ;;
        battery) device_battery "$@" ;;
        memory)  device_memory "$@" ;;
        store)   device_store "$@" ;;
        sim)     device_sim "$@" ;;
        contacts) device_contacts "$@" ;;
        phone)   device_phone "$@" ;;
        obex)    device_obex "$@" ;;
        mail|calls|notes) device_stores "$sub" "$@" ;;
        *) die "unknown device command '$sub' (show, card, battery, memory, store, sim, contacts, phone, obex, mail, calls, notes, reset, path)" ;;
    esac
}

