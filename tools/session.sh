# shellcheck shell=bash
# Handset sessions: Xvfb, the device's Wine server, the home shell, and the
# programs started in it.

SESSION_DIR() { echo "$DEVICE/session"; }

# The home shell's window class: it stands in for the handset's Start screen.
HOME_CLASS=MSStart

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

session_running() {
    local dir; dir=$(SESSION_DIR)
    [ -f "$dir/env" ] || return 1
    local XVFB_PID=""
    # shellcheck disable=SC1091
    . "$dir/env"
    if [ -n "$XVFB_PID" ] && ! kill -0 "$XVFB_PID" 2>/dev/null; then return 1; fi
    wineserver_running "$DEVICE/prefix" || return 1
    session_shell_alive
}

session_load_env() {
    local dir; dir=$(SESSION_DIR)
    [ -f "$dir/env" ] || die "no session is running (./vellumate session start)"
    # shellcheck disable=SC1091
    . "$dir/env"
    export DISPLAY WINEPREFIX="$DEVICE/prefix"
    # Where the programs find the simulated hardware (drive Z: is /).
    local profile; profile=$(readlink -m "$DEVICE/profile.ini")
    export VELLUMATE_PROFILE="Z:${profile//\//\\}"
}

# vmdrive ARGS...: the session driver, run inside the session.
vmdrive() {
    (cd "$DEVICE/root" && wine 'D:\Windows\vmdrive.exe' "$@")
}

session_shell_alive() {
    local dir; dir=$(SESSION_DIR)
    (
        # shellcheck disable=SC1091
        . "$dir/env"; export DISPLAY WINEPREFIX="$DEVICE/prefix"
        vmdrive wait-window "$HOME_CLASS" 0 >/dev/null 2>&1
    )
}

free_display() {
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { echo "$n"; return; }
    done
    die "no free X display number"
}

session_start() {
    if session_running; then
        note "the session is already running"
        return 0
    fi
    session_stop_quiet
    build >/dev/null
    ensure_device
    install_programs
    local dir; dir=$(SESSION_DIR)
    mkdir -p "$dir"
    local display xvfb_pid=""
    if [ -n "${DISPLAY:-}" ]; then
        display=$DISPLAY
    else
        local n; n=$(free_display)
        display=":$n"
        Xvfb "$display" -screen 0 176x220x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
        xvfb_pid=$!
        local tries
        for ((tries = 0; tries < 100; tries++)); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            kill -0 "$xvfb_pid" 2>/dev/null || die "Xvfb did not start (see $dir/xvfb.log)"
            sleep 0.1
        done
    fi
    {
        echo "DISPLAY=$display"
        echo "XVFB_PID=$xvfb_pid"
    } >"$dir/env"
    session_load_env
    wineserver -p >/dev/null 2>&1 </dev/null || true
    # The whole group is redirected, so that no shell between here and Wine
    # keeps this command's output open (a pipe reading it would never end).
    (cd "$DEVICE/root" && exec setsid wine 'D:\Windows\vmshell.exe') >"$dir/shell.log" 2>&1 </dev/null &
    if ! vmdrive wait-window "$HOME_CLASS" 60000 >/dev/null; then
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
    local dir; dir=$(SESSION_DIR)
    WINEPREFIX="$DEVICE/prefix" wineserver -k >/dev/null 2>&1 || true
    if [ -f "$dir/env" ]; then
        local XVFB_PID=""
        # shellcheck disable=SC1091
        . "$dir/env"
        if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
        rm -f "$dir/env"
    fi
}

session_cmd() {
    case "${1:-status}" in
        start)  session_start ;;
        stop)   session_stop_quiet; echo "session stopped" ;;
        status)
            if session_running; then
                session_load_env
                echo "running on display $DISPLAY, device $DEVICE"
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
    echo "started $prog on display $DISPLAY"
}

