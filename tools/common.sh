# shellcheck shell=bash
# Shared by every part of the tool: messages and number arguments.

die()  { echo "vellumate: $*" >&2; exit 1; }
note() { echo "vellumate: $*" >&2; }

parse_number() {  # parse_number TEXT WHAT MIN MAX
    if ! [[ $1 =~ ^[0-9]{1,10}$ ]] || [ $((10#$1)) -lt "$3" ] || [ $((10#$1)) -gt "$4" ]; then
        die "$2 must be a number from $3 to $4, not '$1'"
    fi
    echo $((10#$1))
}

parse_count() {  # parse_count TEXT WHAT: a whole number, its range checked by whoever takes it
    [[ $1 =~ ^[0-9]{1,10}$ ]] || die "$2 must be a whole number, not '$1'"
    echo $((10#$1))
}
