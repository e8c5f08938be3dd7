# shellcheck shell=bash
# Handset sessions: Xvfb, the device's Wine server, the home shell, and the
# programs started in it.

SESSION_DIR() { echo "$DEVICE/session"; }

# The home shell's window class: it stands in for the handset's Start screen.
HOME_CLASS=MSStart

# The caller's own display, if any: with one the session is a window on it,
# without one it runs headless. Taken before anything here sets DISPLAY.
CALLER_DISPLAY=${DISPLAY:-}

# wineserver_running PREFIX: whether a wineserver serves that prefix now. Wine
# names its server folder after the prefix's device and inode numbers.
wineserver_running() {
    local prefix=$1 dir pid
    [ -d "$prefix" ] || return 1
    dir="server-$(printf '%x-%x' "$(stat -c %d "$prefix")" "$(stat -c %i "$prefix")")"
    # A wineserver (named wineserver64 where Wine is 64-bit only) works inside
    # its server folder, whose parent differs between Wine builds (/tmp/.wine-UID,
    # /tmp/wine-XXXXXX); a stale socket has no owner.
    for pid in $(pgrep -x 'wineserver(64)?' 2>/dev/null); do
        [ "$(basename "$(readlink "/proc/$pid/cwd" 2>/dev/null)")" = "$dir" ] && return 0
    done
    return 1
}

# prefix_pids PREFIX: the Wine processes of that prefix, Wine's own services
# among them, found by the WINEPREFIX of their environment: what a killed
# server leaves behind has no other tie to the session.
prefix_pids() {
    local want="WINEPREFIX=$1" dir pid entry exe
    for dir in /proc/[0-9]*; do
        pid=${dir#/proc/}
        if [ "$pid" = $$ ] || [ "$pid" = "$BASHPID" ]; then continue; fi
        # Some entries cannot be read (other users', the kernel's, the gone).
        {
            while IFS= read -r -d '' entry; do
                [ "$entry" = "$want" ] || continue
                exe=$(readlink "$dir/exe") || break
                if [[ ${exe##*/} == wine* ]]; then echo "$pid"; fi
                break
            done <"$dir/environ"
        } 2>/dev/null || true
    done
}

# Ends every process of the prefix: left alone, the programs and services of
# a server that died wait for it for ever.
kill_prefix_processes() {
    local prefix=$1 pids tries
    for ((tries = 0; tries < 30; tries++)); do
        mapfile -t pids < <(prefix_pids "$prefix")
        [ ${#pids[@]} -gt 0 ] || return 0
        kill -9 "${pids[@]}" 2>/dev/null || true
        sleep 0.1
    done
    note "processes of $prefix outlived kill -9: ${pids[*]}"
}

# session_read_env: the running session's display and its Xvfb (empty when
# the display is the caller's) into SESSION_DISPLAY and SESSION_XVFB; fails
# when no session was started. Read, not sourced: DISPLAY must not change.
session_read_env() {
    SESSION_DISPLAY="" SESSION_XVFB=""
    local file key value
    file="$(SESSION_DIR)/env"
    [ -f "$file" ] || return 1
    while IFS='=' read -r key value; do
        case $key in
            DISPLAY) SESSION_DISPLAY=$value ;;
            XVFB_PID) SESSION_XVFB=$value ;;
        esac
    done <"$file"
}

# Whether the session's X server and Wine server are both there.
session_parts_alive() {
    session_read_env || return 1
    if [ -n "$SESSION_XVFB" ] && ! kill -0 "$SESSION_XVFB" 2>/dev/null; then return 1; fi
    wineserver_running "$DEVICE/prefix"
}

session_running() {
    session_parts_alive && session_shell_alive
}

session_load_env() {
    session_read_env || die "no session is running (./vellumate session start)"
    # A Wine process started without its server would start a new one, with
    # none of the session's programs.
    session_parts_alive ||
        die "the session has stopped (its X server or Wine server is gone); ./vellumate session start begins a new one"
    session_export_env "$SESSION_DISPLAY"
}

# session_export_env DISPLAY: what every process of the session gets.
session_export_env() {
    export DISPLAY=$1 WINEPREFIX="$DEVICE/prefix"
    # Where the programs find the simulated hardware (drive Z: is /).
    local profile; profile=$(readlink -m "$DEVICE/profile.ini")
    export VELLUMATE_PROFILE="Z:${profile//\//\\}"
}

# vmdrive ARGS...: the session driver, run inside the session.
vmdrive() {
    (cd "$DEVICE/root" && wine 'D:\Windows\vmdrive.exe' "$@")
}

session_shell_alive() {
    (cd "$DEVICE/root" && DISPLAY=$SESSION_DISPLAY WINEPREFIX="$DEVICE/prefix" \
        wine 'D:\Windows\vmdrive.exe' wait-window "$HOME_CLASS" 0 >/dev/null 2>&1 </dev/null)
}

free_display() {
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { echo "$n"; return; }
    done
    die "no free X display number"
}

# Removes the lock file and socket that a killed X server of display :N left
# behind, once the process the lock names is gone.
clear_stale_display() {
    local n=$1 lock="/tmp/.X$1-lock" pid=""
    [ -f "$lock" ] && pid=$(tr -dc '0-9' <"$lock" 2>/dev/null)
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then return 0; fi
    rm -f "$lock" "/tmp/.X11-unix/X$n"
}

# start_xvfb LOG: a headless X server on a free display, its number in
# XVFB_DISPLAY and its process in XVFB_PID. Another session may take the same
# number at the same moment; then the next one is tried.
start_xvfb() {
    local log=$1 attempt tries n
    for ((attempt = 0; attempt < 5; attempt++)); do
        n=$(free_display)
        Xvfb ":$n" -screen 0 176x220x24 -nolisten tcp >"$log" 2>&1 </dev/null &
        XVFB_PID=$!
        for ((tries = 0; tries < 100; tries++)); do
            if [ -S "/tmp/.X11-unix/X$n" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
                XVFB_DISPLAY=":$n"
                return 0
            fi
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
    done
    die "Xvfb did not start (see $log)"
}

session_start() {
    if session_running; then
        note "the session is already running"
        return 0
    fi
    # Whatever a session that died left behind goes first.
    session_stop_quiet
    build >/dev/null
    ensure_device
    install_programs
    local dir; dir=$(SESSION_DIR)
    mkdir -p "$dir"
    local display xvfb_pid=""
    if [ -n "$CALLER_DISPLAY" ]; then
        display=$CALLER_DISPLAY
    else
        start_xvfb "$dir/xvfb.log"
        display=$XVFB_DISPLAY xvfb_pid=$XVFB_PID
    fi
    {
        echo "DISPLAY=$display"
        echo "XVFB_PID=$xvfb_pid"
    } >"$dir/env"
    session_export_env "$display"
    # The server and Wine's services start here, with no output of this
    # command open: a process started later inherits what its starter had,
    # and a pipe reading this command would never end.
    wineserver -p >/dev/null 2>&1 </dev/null || true
    wine wineboot >/dev/null 2>&1 </dev/null || true
    register_contacts_server
    (cd "$DEVICE/root" && exec setsid wine 'D:\Windows\vmshell.exe') >"$dir/shell.log" 2>&1 </dev/null &
    local shell_pid=$! waited
    for ((waited = 0; waited < 60; waited++)); do
        vmdrive wait-window "$HOME_CLASS" 1000 >/dev/null 2>&1 </dev/null && break
        if ! kill -0 "$shell_pid" 2>/dev/null || ! session_parts_alive; then waited=60; fi
    done
    if [ "$waited" -ge 60 ]; then
        session_stop_quiet
        die "the home shell did not start (see $dir/shell.log)"
    fi
    if [ -n "$xvfb_pid" ]; then
        echo "session started headless on display $display"
    else
        echo "session started on display $display"
    fi
}

session_stop_quiet() {
    local prefix="$DEVICE/prefix"
    # A live server ends its programs and writes the registry out.
    if wineserver_running "$prefix"; then
        WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 </dev/null || true
        WINEPREFIX=$prefix timeout 10 wineserver -w >/dev/null 2>&1 </dev/null || true
    fi
    kill_prefix_processes "$prefix"
    if session_read_env; then
        if [ -n "$SESSION_XVFB" ]; then
            kill "$SESSION_XVFB" 2>/dev/null || true
            local tries
            for ((tries = 0; tries < 30; tries++)); do
                kill -0 "$SESSION_XVFB" 2>/dev/null || break
                sleep 0.1
            done
            kill -9 "$SESSION_XVFB" 2>/dev/null || true
            clear_stale_display "${SESSION_DISPLAY#:}"
        fi
        rm -f "$(SESSION_DIR)/env"
    fi
}

session_cmd() {
    case "${1:-status}" in
        start)  session_start ;;
        stop)   session_stop_quiet; echo "session stopped" ;;
        status)
            if session_running; then
                session_load_env
                echo "running on display $SESSION_DISPLAY, device $DEVICE"
                echo "foreground: $(vmdrive foreground)"
            else
                echo "no session is running (device $DEVICE)"
            fi
            ;;
        *) die "unknown session command '$1' (start, stop, status)" ;;
    esac
}

run_program() {
    local prog=${1:-}
    [ -n "$prog" ] || die "which program? (${PROGRAMS[*]})"
    build >/dev/null
    session_running || session_start >/dev/null
    install_programs
    session_load_env
    local exe="$DEVICE/root/Program Files/Vellumate/$prog.exe"
    [ -f "$exe" ] || die "no program '$prog' is installed (known: ${PROGRAMS[*]})"
    (cd "$DEVICE/root" && exec setsid wine "D:\\Program Files\\Vellumate\\$prog.exe") \
        >>"$(SESSION_DIR)/programs.log" 2>&1 </dev/null &
    echo "started $prog on display $SESSION_DISPLAY"
}
