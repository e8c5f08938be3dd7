# shellcheck shell=bash
# The device folder and the `vellumate device` commands.

# A device folder: root/ (the handset's "\"), prefix/ (its registry),
# profile.ini (the simulated hardware), session/ (the running session).
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
}

# Copies the built programs into the device. A new inode for every file, so a
# running program keeps its old image intact.
install_programs() {
    local progdir="$DEVICE/root/Program Files/Vellumate" windir="$DEVICE/root/Windows" f name
    mkdir -p "$progdir" "$windir"
    for f in "$BUILD/programs"/*; do
        [ -f "$f" ] || continue
        name=$(basename "$f")
        case "$name" in
            vm*.exe|htmlview.dll) dest="$windir/$name" ;;
            *)                    dest="$progdir/$name" ;;
        esac
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
# device/profile.ini explains each value). The platform reads it on every
# query (platform/DeviceProfile.h); the checks below repeat its rules, so that
# the tool names what the programs would ignore.

PROFILE_MAX_BYTES=65536

# Every setting: its range, "pct" (0 to 100, or 255 for unknown), "text" or
# "state"; and the platform's default where a pair is compared.
PROFILE_RULES='
device.oem text
device.processor 0:4294967295
device.os_major 0:4294967295
device.os_minor 0:4294967295
device.os_build 0:4294967295
device.os_platform 0:4294967295
display.width 1:65535
display.height 1:65535
display.bits 1:32
memory.total 0:9223372036854775807 33554432
memory.available 0:9223372036854775807 16777216
store.size 0:4294967295 50331648
store.free 0:4294967295 25165824
power.ac 0:255
power.main_flag 0:255
power.main_percent pct
power.main_voltage 0:4294967295
power.main_temperature -2147483648:2147483647
power.backup_flag 0:255
power.backup_percent pct
power.backup_voltage 0:4294967295
card.state state
card.size 0:9223372036854775807 134217728
card.free 0:9223372036854775807 100663296
'

# Shared by the awk programs: blanks, section names, number ranges.
PROFILE_AWK_LIB='
function trim(s) { sub(/^[ \t\r]+/, "", s); sub(/[ \t\r]+$/, "", s); return s }
# "[ Card: Storage Card ]" -> "card:storage card"; "" for a broken header
function section_key(line,   name) {
    if (substr(line, length(line)) != "]") return ""
    name = tolower(trim(substr(line, 2, length(line) - 2)))
    if (substr(name, 1, 5) == "card:") return "card:" trim(substr(name, 6))
    return name
}
# Compares decimal integers given as text, without floating point.
function ucmp(a, b) {
    sub(/^0+/, "", a); sub(/^0+/, "", b)
    if (length(a) != length(b)) return length(a) < length(b) ? -1 : 1
    return (a "") < (b "") ? -1 : ((a "") > (b "") ? 1 : 0)
}
function icmp(a, b,   na, nb) {
    na = substr(a, 1, 1) == "-"; nb = substr(b, 1, 1) == "-"
    if (na != nb) return na ? -1 : 1
    return na ? -ucmp(substr(a, 2), substr(b, 2)) : ucmp(a, b)
}
function in_range(v, range,   r) {
    if (v !~ /^-?[0-9]+$/ || length(v) > 20) return 0
    if (range == "pct") return icmp(v, "0") >= 0 && (icmp(v, "100") <= 0 || v == "255")
    split(range, r, ":")
    return icmp(v, r[1]) >= 0 && icmp(v, r[2]) <= 0
}
function load_rules(   n, lines, i, f) {
    n = split(ENVIRON["PROFILE_RULES"], lines, "\n")
    for (i = 1; i <= n; i++) {
        if (split(lines[i], f, " ") < 2) continue
        rule[f[1]] = f[2]
        if (3 in f) fallback[f[1]] = f[3]
        known[substr(f[1], 1, index(f[1], ".") - 1)] = 1
        delete f
    }
}
'

# Prints the problems of the profile, one a line: "S" (the file cannot be
# edited safely) or "V" (a value the platform ignores), the line (0 for the
# whole file) and the text, separated by tabs.
# shellcheck disable=SC2016 # awk's own fields, not the shell's
PROFILE_CHECK_AWK='
function report(kind, line, text) { printf "%s\t%d\t%s\n", kind, line, text }
function valid_card(name) { return name != "" && name != "." && name != ".." && name !~ /[\\\/:*?"<>|]/ && name !~ /[. ]$/ && name !~ /[\001-\037]/ }
BEGIN { load_rules(); section = "" }
FNR == 1 { sub(/^\357\273\277/, "") }
{
    line = trim($0)
    if (line == "" || line ~ /^[;#]/) next
    if (substr(line, 1, 1) == "[") {
        key = section_key(line)
        if (key == "") { report("S", FNR, "a section header must end with ]: " line); section = "?"; next }
        if (substr(key, 1, 5) == "card:") {
            label = trim(substr(trim(substr(line, 2, length(line) - 2)), 6))
            if (!valid_card(label)) { report("S", FNR, "not a valid card folder name: " line); section = "?"; next }
            section = "card"; card = key; cardlabel[card] = cardlabel[card] == "" ? label : cardlabel[card]
            if (!(card in seen)) { seen[card] = 1; cards[++ncards] = card }
            next
        }
        if (key in known && key != "card") { section = key; next }
        report("V", FNR, "unknown section " line); section = "?"; next
    }
    eq = index(line, "=")
    if (!eq) { report("S", FNR, "not a setting (expected name=value): " line); next }
    name = tolower(trim(substr(line, 1, eq - 1))); value = trim(substr(line, eq + 1))
    if (section == "") { report("S", FNR, "setting outside a section: " name); next }
    if (section == "?") next
    where = section == "card" ? "[card:" cardlabel[card] "]" : "[" section "]"
    id = section "." name
    if (!(id in rule)) { report("V", FNR, "unknown setting " name " in " where); next }
    r = rule[id]
    if (r == "text") next
    if (r == "state") {
        if (tolower(value) != "inserted" && tolower(value) != "removed")
            report("V", FNR, where " state must be inserted or removed, not " value)
        next
    }
    if (!in_range(value, r)) {
        if (value !~ /^-?[0-9]+$/) report("V", FNR, where " " name " is not a number: " value)
        else if (r == "pct") report("V", FNR, where " " name " must be 0 to 100, or 255 for unknown, not " value)
        else { split(r, b, ":"); report("V", FNR, where " " name " must be " b[1] " to " b[2] ", not " value) }
        next
    }
    slot = (section == "card" ? card : section) "." name
    val[slot] = value; at[slot] = FNR
}
function pair(owner, kind, total, part, label,   t, p) {
    if (!((owner "." part) in at)) return
    t = (owner "." total) in val ? val[owner "." total] : fallback[kind "." total]
    p = val[owner "." part]
    if (icmp(p, t) > 0) report("V", at[owner "." part], label " " part " is more than " total "; taken as " total)
}
END {
    pair("memory", "memory", "total", "available", "[memory]")
    pair("store", "store", "size", "free", "[store]")
    for (i = 1; i <= ncards; i++) pair(cards[i], "card", "size", "free", "[card:" cardlabel[cards[i]] "]")
}
'

profile_file() { echo "$DEVICE/profile.ini"; }

profile_awk() {
    local program=$1; shift
    LC_ALL=C PROFILE_RULES="$PROFILE_RULES" awk "$PROFILE_AWK_LIB$program" "$@"
}

# shellcheck disable=SC2094 # the file is only read
profile_problems() {
    local file=$1
    if [ ! -f "$file" ]; then
        printf 'S\t0\tthe profile is missing\n'
    elif [ "$(stat -c %s "$file")" -gt "$PROFILE_MAX_BYTES" ]; then
        printf 'S\t0\tthe file is too large to be a profile\n'
    elif ! tr -d '\000' <"$file" | cmp -s - "$file"; then
        printf 'S\t0\tthe file is not text\n'
    elif ! iconv -f UTF-8 -t UTF-8 "$file" >/dev/null 2>&1; then
        printf 'S\t0\tthe file is not UTF-8 text\n'
    else
        profile_awk "$PROFILE_CHECK_AWK" "$file" | sort -t $'\t' -k2,2n -s
    fi
}

# Lists the problems; dies when the file cannot be edited safely.
profile_require_sound() {
    local file=$1 kind line text broken=""
    while IFS=$'\t' read -r kind line text; do
        if [ "$line" = 0 ]; then echo "vellumate: $file: $text" >&2
        else echo "vellumate: $file line $line: $text" >&2; fi
        [ "$kind" = S ] && broken=1
    done < <(profile_problems "$file")
    [ -z "$broken" ] && return 0
    echo "vellumate: the device profile is damaged; the programs use the platform's defaults where it is." >&2
    die "fix $file, or restore the sample's hardware with ./vellumate device reset --profile (files are kept)"
}

# profile_get SECTION KEY: the value the platform takes from the file, that
# is the last valid one; fails when the file has none.
profile_get() {
    profile_awk '
        BEGIN {
            load_rules()
            want = section_key("[" ENVIRON["SECTION"] "]"); key = tolower(ENVIRON["KEY"])
            r = rule[(substr(want, 1, 5) == "card:" ? "card" : want) "." key]
        }
        { line = trim($0) }
        substr(line, 1, 1) == "[" { here = section_key(line); next }
        here == want && index(line, "=") && tolower(trim(substr(line, 1, index(line, "=") - 1))) == key {
            value = trim(substr(line, index(line, "=") + 1))
            if (r == "text" || (r == "state" && (tolower(value) == "inserted" || tolower(value) == "removed")) ||
                in_range(value, r)) { result = value; found = 1 }
        }
        END { if (found) print result; exit !found }
    ' "$(profile_file)"
}
profile_value() {  # profile_value SECTION KEY DEFAULT
    SECTION=$1 KEY=$2 profile_get || echo "$3"
}

# Applies the settings given on standard input, one "SECTION<TAB>KEY<TAB>VALUE"
# a line: a setting that exists is changed in place, a new one goes at the end
# of its section, a new section at the end of the file. The new file replaces
# the old one in one step, so a program never reads half of it.
profile_set() {
    local file; file=$(profile_file)
    local next; next=$(mktemp "$file.XXXXXX")
    EDITS=$(cat) profile_awk '
        BEGIN {
            n = split(ENVIRON["EDITS"], list, "\n")
            for (i = 1; i <= n; i++) {
                if (split(list[i], f, "\t") < 3) continue
                s = section_key("[" f[1] "]"); id = s SUBSEP tolower(f[2])
                if (!(id in value)) order[++count] = id
                value[id] = f[3]; keyname[id] = f[2]; header[s] = f[1]
                delete f
            }
        }
        { lines[NR] = $0; line = trim($0) }
        substr(line, 1, 1) == "[" { here = section_key(line); has[here] = 1; last[here] = NR; next }
        line != "" && line !~ /^[;#]/ { last[here] = NR }
        here != "" && index(line, "=") {
            id = here SUBSEP tolower(trim(substr(line, 1, index(line, "=") - 1)))
            if (id in value) { lines[NR] = substr(line, 1, index(line, "=")) value[id]; done[id] = 1 }
        }
        END {
            for (i = 1; i <= count; i++) {
                id = order[i]; if (id in done) continue
                split(id, p, SUBSEP)
                if (p[1] in has) after[last[p[1]]] = after[last[p[1]]] keyname[id] "=" value[id] "\n"
                else {
                    if (!(p[1] in added)) { tail = tail "\n[" header[p[1]] "]\n"; added[p[1]] = 1 }
                    tail = tail keyname[id] "=" value[id] "\n"
                }
            }
            for (i = 1; i <= NR; i++) { print lines[i]; if (i in after) printf "%s", after[i] }
            printf "%s", tail
        }
    ' "$file" >"$next" || { rm -f "$next"; die "cannot write $file"; }
    chmod --reference="$file" "$next" 2>/dev/null || true
    mv -f "$next" "$file"
}

# The cards of the profile in file order: "NAME<TAB>STATE" (inserted when the
# section has no state, as in the platform).
profile_cards() {
    profile_awk '
        { line = trim($0) }
        substr(line, 1, 1) == "[" {
            here = section_key(line)
            if (substr(here, 1, 5) == "card:" && !(here in state)) {
                names[++n] = here; label[here] = trim(substr(trim(substr(line, 2, length(line) - 2)), 6))
                state[here] = "inserted"
            }
            next
        }
        substr(here, 1, 5) == "card:" && index(line, "=") && tolower(trim(substr(line, 1, index(line, "=") - 1))) == "state" {
            state[here] = tolower(trim(substr(line, index(line, "=") + 1)))
        }
        END { for (i = 1; i <= n; i++) printf "%s\t%s\n", label[names[i]], state[names[i]] }
    ' "$(profile_file)"
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
        local total avail size free
        echo "maker:     $(profile_value device oem 'Vellumate Handset')"
        echo "system:    $(profile_value device os_major 4).$(profile_value device os_minor 21)" \
             "build $(profile_value device os_build 1088), processor type $(profile_value device processor 2577)"
        echo "display:   $(profile_value display width 176) x $(profile_value display height 220)," \
             "$(profile_value display bits 16) bits per pixel"
        total=$(profile_value memory total 33554432); avail=$(profile_value memory available 16777216)
        [ "$avail" -le "$total" ] || avail=$total
        echo "memory:    $(megabytes "$avail") available of $(megabytes "$total") ($avail of $total bytes)"
        size=$(profile_value store size 50331648); free=$(profile_value store free 25165824)
        [ "$free" -le "$size" ] || free=$size
        echo "store:     $(megabytes "$free") free of $(megabytes "$size") ($free of $size bytes)"
        case $(profile_value power ac 0) in
            0) echo "power:     on battery" ;;
            1) echo "power:     on external power" ;;
            *) echo "power:     external power unknown" ;;
        esac
        echo "  main:    $(battery_state_text "$(profile_value power main_flag 1)" "$(profile_value power main_percent 100)")"
        echo "  backup:  $(battery_state_text "$(profile_value power backup_flag 1)" "$(profile_value power backup_percent 100)")"
        local name state where
        echo "cards:"
        while IFS=$'\t' read -r name state; do
            size=$(profile_value "card:$name" size 134217728); free=$(profile_value "card:$name" free 100663296)
            [ "$free" -le "$size" ] || free=$size
            where=""
            if [ "$state" = inserted ] && [ ! -d "$DEVICE/root/$name" ]; then where=" (its folder is missing: not seen)"; fi
            printf '  %-20s %-9s %s free of %s%s\n' "$name" "$state" "$(megabytes "$free")" "$(megabytes "$size")" "$where"
        done < <(profile_cards)
    fi
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

# The profile's spelling of a card's name, and its state; nothing when the
# profile has no such card.
find_card() {
    local wanted=$1 name state
    while IFS=$'\t' read -r name state; do
        if [ "${name,,}" = "${wanted,,}" ]; then printf '%s\t%s\n' "$name" "$state"; return 0; fi
    done < <(profile_cards)
    return 1
}

# A name a folder of the root can have (the platform's rule).
valid_card_name() {
    local name=$1 forbidden='[\\/:*?"<>|[:cntrl:]]' ending='[. ]$'
    [ -n "$name" ] && [ "$name" != . ] && [ "$name" != .. ] && [[ ! $name =~ $forbidden ]] && [[ ! $name =~ $ending ]]
}

device_card() {
    local action=${1:-} name=${2:-}
    [ $# -ge 2 ] || die "usage: device card insert|remove|set NAME [--size BYTES] [--free BYTES]"
    shift 2
    case $action in insert|remove|set) ;; *) die "unknown card command '$action' (insert, remove, set)" ;; esac
    valid_card_name "$name" || die "'$name' cannot be the folder name of a card"
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
    profile_require_sound "$(profile_file)"
    local root="$DEVICE/root" parked="$DEVICE/cards" found="" state=""
    if found=$(find_card "$name"); then
        name=${found%%$'\t'*}; state=${found#*$'\t'}
    fi

    # The sizes the card will have, checked together.
    local newsize newfree
    newsize=${size:-$(profile_value "card:$name" size 134217728)}
    if [ -n "$free" ]; then newfree=$free
    elif [ -z "$state" ]; then newfree=$newsize  # a new card is empty
    else newfree=$(profile_value "card:$name" free 100663296); fi
    [ "$newfree" -le "$newsize" ] || die "a card cannot have more free space ($newfree) than its size ($newsize)"

    case $action in
        set)
            [ -n "$state" ] || die "no card '$name' in the profile (./vellumate device show lists them)"
            [ -n "$size$free" ] || die "set what? (--size, --free)"
            printf 'card:%s\tsize\t%s\ncard:%s\tfree\t%s\n' "$name" "$newsize" "$name" "$newfree" | profile_set
            echo "card $name: $(megabytes "$newfree") free of $(megabytes "$newsize")"
            ;;
        insert)
            if [ "$state" = inserted ] && [ -d "$root/$name" ]; then
                [ -n "$size$free" ] && printf 'card:%s\tsize\t%s\ncard:%s\tfree\t%s\n' \
                    "$name" "$newsize" "$name" "$newfree" | profile_set
                echo "card $name is already inserted"
                return 0
            fi
            if [ -d "$parked/$name" ]; then
                [ -e "$root/$name" ] && die "both $root/$name and $parked/$name exist; move one of them away"
                mv "$parked/$name" "$root/$name"
            elif [ -d "$root/$name" ]; then
                [ -n "$state" ] || die "$root/$name is an ordinary folder of the device, not a card"
            else
                [ -e "$root/$name" ] && die "$root/$name is a file, not a card folder"
                mkdir "$root/$name"
            fi
            printf 'card:%s\tstate\tinserted\ncard:%s\tsize\t%s\ncard:%s\tfree\t%s\n' \
                "$name" "$name" "$newsize" "$name" "$newfree" | profile_set
            notify_session card-insert "$name"
            echo "card $name inserted ($(megabytes "$newfree") free of $(megabytes "$newsize"))"
            ;;
        remove)
            [ -n "$state" ] || die "no card '$name' in the profile (./vellumate device show lists them)"
            if [ "$state" = removed ] && [ ! -d "$root/$name" ]; then
                echo "card $name is already removed"
                return 0
            fi
            if [ -d "$root/$name" ]; then
                [ -e "$parked/$name" ] && die "both $root/$name and $parked/$name exist; move one of them away"
                mkdir -p "$parked"
                mv "$root/$name" "$parked/$name"
            fi
            printf 'card:%s\tstate\tremoved\n' "$name" | profile_set
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
            --percent) [ $# -ge 2 ] || die "--percent needs a value"
                       percent=$(parse_number "$2" --percent 0 255)
                       [ "$percent" -le 100 ] || [ "$percent" = 255 ] || die "--percent must be 0 to 100, or 255 for unknown"
                       shift 2 ;;
            --flag)    [ $# -ge 2 ] || die "--flag needs a value"; flag=$(parse_number "$2" --flag 0 255); shift 2 ;;
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
    local edits=""
    if [ -n "$none" ]; then
        edits+="power	${which}_flag	128"$'\n'"power	${which}_percent	255"$'\n'"power	${which}_voltage	0"$'\n'
        [ "$which" = main ] && edits+="power	main_temperature	0"$'\n'
    else
        local current; current=$(profile_value power "${which}_flag" 1)
        if [ -n "$percent" ]; then
            edits+="power	${which}_percent	$percent"$'\n'
            if [ -z "$flag" ]; then
                flag=$(flag_for_percent "$percent")
                # Plugged in stays plugged in.
                [ "$current" != 128 ] && [ "$current" != 255 ] && [ "$flag" != 255 ] && flag=$((flag | (current & 8)))
            fi
            if [ "$percent" != 255 ]; then
                # A battery that is there has a voltage (and the main one a temperature).
                if [ "$which" = main ]; then
                    edits+="power	main_voltage	$((3400 + percent * 8))"$'\n'
                    [ "$(profile_value power main_temperature 0)" = 0 ] && edits+="power	main_temperature	250"$'\n'
                else
                    edits+="power	backup_voltage	$((2700 + percent * 5))"$'\n'
                fi
            fi
        fi
        flag=${flag:-$current}
        if [ -n "$charging" ]; then
            { [ "$flag" = 128 ] || [ "$flag" = 255 ]; } &&
                die "the $which battery is absent or unknown (flag $flag); give it a --percent first"
            if [ "$charging" = on ]; then flag=$((flag | 8)); else flag=$((flag & ~8)); fi
            [ "$which" = main ] && edits+="power	ac	$([ "$charging" = on ] && echo 1 || echo 0)"$'\n'
        fi
        edits+="power	${which}_flag	$flag"$'\n'
    fi
    printf '%s' "$edits" | profile_set
    echo "$which battery: $(battery_state_text "$(profile_value power "${which}_flag" 1)" "$(profile_value power "${which}_percent" 100)")"
}

device_memory() {
    local total="" available=""
    while [ $# -gt 0 ]; do
        case $1 in
            --total) [ $# -ge 2 ] || die "--total needs a value"; total=$(parse_bytes "$2" --total); shift 2 ;;
            --available) [ $# -ge 2 ] || die "--available needs a value"; available=$(parse_bytes "$2" --available); shift 2 ;;
            *) die "unknown option '$1' (--total, --available)" ;;
        esac
    done
    [ -n "$total$available" ] || die "set what? (--total BYTES, --available BYTES)"
    ensure_device_folder
    profile_require_sound "$(profile_file)"
    total=${total:-$(profile_value memory total 33554432)}
    available=${available:-$(profile_value memory available 16777216)}
    [ "$available" -le "$total" ] || die "available memory ($available) cannot exceed the total ($total)"
    printf 'memory\ttotal\t%s\nmemory\tavailable\t%s\n' "$total" "$available" | profile_set
    echo "memory: $(megabytes "$available") available of $(megabytes "$total")"
}

device_store() {
    local size="" free=""
    while [ $# -gt 0 ]; do
        case $1 in
            --size) [ $# -ge 2 ] || die "--size needs a value"; size=$(parse_bytes "$2" --size); shift 2 ;;
            --free) [ $# -ge 2 ] || die "--free needs a value"; free=$(parse_bytes "$2" --free); shift 2 ;;
            *) die "unknown option '$1' (--size, --free)" ;;
        esac
    done
    [ -n "$size$free" ] || die "set what? (--size BYTES, --free BYTES)"
    ensure_device_folder
    profile_require_sound "$(profile_file)"
    size=${size:-$(profile_value store size 50331648)}
    free=${free:-$(profile_value store free 25165824)}
    # The store's figures travel in 32-bit fields.
    [ "$size" -le 4294967295 ] || die "the object store can be at most 4294967295 bytes"
    [ "$free" -le "$size" ] || die "free space ($free) cannot exceed the store's size ($size)"
    printf 'store\tsize\t%s\nstore\tfree\t%s\n' "$size" "$free" | profile_set
    echo "store: $(megabytes "$free") free of $(megabytes "$size")"
}

# Puts the sample's profile back, and with it the sample's cards: a parked
# card folder that the sample has inserted returns to the root.
device_reset_profile() {
    [ -d "$DEVICE/root" ] || { ensure_device_folder; echo "device $DEVICE created from the sample"; return; }
    local file; file=$(profile_file)
    local next; next=$(mktemp "$file.XXXXXX")
    cp "$SAMPLE/profile.ini" "$next" && mv -f "$next" "$file"
    local name state
    while IFS=$'\t' read -r name state; do
        if [ "$state" = inserted ] && [ ! -e "$DEVICE/root/$name" ] && [ -d "$DEVICE/cards/$name" ]; then
            mv "$DEVICE/cards/$name" "$DEVICE/root/$name"
            notify_session card-insert "$name"
        fi
    done < <(profile_cards)
    echo "the profile of $DEVICE is the sample's again"
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
            rm -rf "$DEVICE/root" "$DEVICE/cards" "$DEVICE/profile.ini"
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
        *) die "unknown device command '$sub' (show, card, battery, memory, store, reset, path)" ;;
    esac
}

