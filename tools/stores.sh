# shellcheck shell=bash
# The device's mail store, phone store and voice notes: `vellumate device
# mail|calls|notes show|fill|clear`.
#
# vmstores (platform/stores/tool), built for the host, writes and reads them
# with the platform's own volume code and measures each of the storage
# cleaner's categories by the cleaner's rules, so that `show` says what the
# cleaner's scan will find. The lines it prints:
#
#   mail store: PATH                         (or "PATH cannot be mounted: REASON")
#   41000 all e-mail: 60 items, 351206 bytes, 342.97 KB
#   41027 e-mail folder 0x10000001 (Inbox): 28 items, ...
#   unread 0x10000001 (Inbox): counter 8, unread messages 8 of 28

STORES_TOOL=$NATIVE_BUILD/vmstores

# stores_tool ARGS...: vmstores, built first when it is missing or older than
# the code it is made of.
stores_tool() {
    if [ -z "${STORES_TOOL_FRESH:-}" ]; then
        refresh_native_tool "$STORES_TOOL" vmstores "$ROOT/platform/stores" "$ROOT/platform/database"
        STORES_TOOL_FRESH=1
    fi
    "$STORES_TOOL" "$@"
}

# The system version the device's programs see decides the text messages'
# class and how the cleaner picks folders.
stores_os_major() {
    profile_load
    echo "${PROFILE[device.os_major]}"
}

# The sample handset's stores, each one where the device has none yet (a
# device made before the stores existed gets them; a cleared one stays empty).
ensure_device_stores() {
    local devroot=$DEVICE/root
    [ -e "$devroot/cemail.vol" ] && [ -e "$devroot/mxip_initdb.vol" ] && [ -d "$devroot/My Documents/Notes" ] && return 0
    stores_tool sample "$devroot" --os-major "$(stores_os_major)" || die "cannot write the sample's stores into $devroot"
}

device_stores() {
    local store=$1 action=${2:-show}
    shift; shift || true
    case $action in show|fill|clear) ;; *) die "unknown $store command '$action' (show, fill, clear)" ;; esac
    case $store:$action in
        mail:fill|calls:fill|notes:fill) ;;
        *) [ $# -eq 0 ] || die "usage: device $store $action" ;;
    esac
    ensure_device_folder
    # A volume being written while a program of the session has it open
    # could lose that program's changes: the stores change between sessions.
    if [ "$store" != notes ] && [ "$action" != show ] && session_running; then
        die "stop the session first (./vellumate session stop): its programs may have the $store store open"
    fi
    local args=("$store" "$action" "$DEVICE/root" "$@")
    [ "$store" = mail ] && args+=(--os-major "$(stores_os_major)")
    stores_tool "${args[@]}" || die "the $store store was not changed"
}
