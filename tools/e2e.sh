# shellcheck shell=bash
# The end-to-end tests (e2e/): each a script that runs the installed
# programs in a headless session of its own, as a person would use them.

E2E_DIR=$ROOT/e2e

# e2e_find [NAME...]: the test scripts, all of them or those named, into E2E_FILES.
e2e_find() {
    local name file known=()
    E2E_FILES=()
    for file in "$E2E_DIR"/*.sh; do
        name=$(basename "$file" .sh)
        [ "$name" = lib ] || known+=("$name")
    done
    [ $# -gt 0 ] || set -- "${known[@]}"
    for name in "$@"; do
        name=${name%.sh}
        [[ " ${known[*]} " == *" $name "* ]] || die "no end-to-end test '$name' (known: ${known[*]})"
        E2E_FILES+=("$E2E_DIR/$name.sh")
    done
}

# ./vellumate e2e [NAME...]: builds, then runs the tests one after another
# (each session wants the machine to itself) and says which failed.
run_e2e() {
    local file name started rc failed=()
    e2e_find "$@"
    build
    # The tests call the tool again and again: the build is done, and one
    # prepared Wine prefix is copied for each test's device, which takes a
    # fraction of the time that making one does.
    export BUILD_DONE PACKAGES_CHECKED
    export E2E_PREFIX_TEMPLATE=$BUILD/e2e-prefix
    prepare_prefix "$E2E_PREFIX_TEMPLATE" device
    for file in "${E2E_FILES[@]}"; do
        name=$(basename "$file" .sh)
        echo "== e2e $name"
        started=$SECONDS rc=0
        # Nothing of the unit tests' Wine set-up may reach the sessions.
        (unset WINEPREFIX; exec bash "$file") || rc=$?
        echo "== e2e $name: $([ "$rc" -eq 0 ] && echo passed || echo FAILED) in $((SECONDS - started)) s"
        [ "$rc" -eq 0 ] || failed+=("$name")
    done
    if [ ${#failed[@]} -gt 0 ]; then
        echo "end-to-end tests failed: ${failed[*]}" >&2
        return 1
    fi
    echo "all ${#E2E_FILES[@]} end-to-end tests passed"
}
