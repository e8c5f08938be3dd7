# shellcheck shell=bash
# Building, testing, benchmarking and fuzzing.

# Once per command: `run` builds, and so does the session start it may need.
build() {
    [ -z "${BUILD_DONE:-}" ] || return 0
    ensure_packages
    if [ ! -f "$BUILD/build.ninja" ]; then
        cmake -S "$ROOT" -B "$BUILD" -G Ninja \
              -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" >/dev/null
    fi
    cmake --build "$BUILD" -j"$(nproc)"
    BUILD_DONE=1
}

# The native build of the model code (native/CMakeLists.txt): host clang, no Wine.
NATIVE_BUILD=$BUILD/native
configure_native() {
    ensure_packages
    if [ ! -f "$NATIVE_BUILD/build.ninja" ]; then
        cmake -S "$ROOT/native" -B "$NATIVE_BUILD" -G Ninja \
              -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
    fi
}
build_native() {
    configure_native
    cmake --build "$NATIVE_BUILD" -j"$(nproc)"
}

# ./vellumate fuzz [TARGET] [--runs N]: every fuzz target (or one) at length,
# each over a working corpus in build/native/fuzz-corpus seeded from the
# committed one. Crash inputs land in build/native/fuzz-crashes.
run_fuzz() {
    local only="" runs=10000000
    while [ $# -gt 0 ]; do
        case $1 in
            --runs) [ $# -ge 2 ] || die "--runs needs a number"; runs=$(parse_number "$2" --runs 1 4000000000); shift 2 ;;
            -*) die "unknown option '$1' (--runs N)" ;;
            *) only=$1; shift ;;
        esac
    done
    build_native
    local list="$NATIVE_BUILD/fuzz-targets.txt" name exe corpus found="" rc=0
    [ -s "$list" ] || die "there are no fuzz targets"
    mkdir -p "$NATIVE_BUILD/fuzz-crashes"
    while IFS=$'\t' read -r name exe corpus; do
        [ -z "$only" ] || [ "$only" = "$name" ] || continue
        found=1
        local work="$NATIVE_BUILD/fuzz-corpus/$name"
        mkdir -p "$work"
        echo "== $name: $runs runs"
        ASAN_OPTIONS=detect_leaks=1 "$exe" -runs="$runs" -timeout=10 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$NATIVE_BUILD/fuzz-crashes/$name-" \
            "$work" "$corpus" </dev/null || rc=$?
    done <"$list"
    [ -n "$found" ] || die "no fuzz target '$only' (see $list)"
    return $rc
}

# ---------------------------------------------------------------- tests

# One persistent wineserver and desktop process for a whole run. Otherwise
# every test process pays for starting the server, and the first one to make a
# window starts Wine's desktop process holding its output pipe open, so CTest
# waits for that test long after it finished.
start_test_wine() {
    # A server left from an interrupted run is used as it is.
    wineserver -p >/dev/null 2>&1 </dev/null || true
    wine wineboot >/dev/null 2>&1 || true
    (setsid wine explorer.exe /desktop >/dev/null 2>&1 </dev/null &)
}

run_tests() {
    build
    build_native
    # The native tests first: they need no Wine and take seconds.
    (cd "$NATIVE_BUILD" && ctest --output-on-failure -j"$(nproc)" "$@") || return
    local prefix="$BUILD/wineprefix"
    prepare_prefix "$prefix" test
    wine_env "$prefix"
    start_test_wine
    local rc=0
    (cd "$BUILD" && ctest --output-on-failure -j"$(nproc)" "$@") || rc=$?
    wineserver -k >/dev/null 2>&1 || true
    # The end-to-end tests come last, and only in a whole run: arguments pick
    # unit tests (./vellumate e2e runs the others on their own).
    if [ $# -eq 0 ]; then
        run_e2e || rc=1
    fi
    return $rc
}

run_benches() {
    build
    local prefix="$BUILD/wineprefix"
    prepare_prefix "$prefix" test
    wine_env "$prefix"
    start_test_wine
    local exe rc=0 keep="$BUILD/bench/archive_bench-kept"
    for exe in "$BUILD"/bench/*.exe; do
        [ -e "$exe" ] || continue
        echo "== $(basename "$exe" .exe)"
        if [ "$(basename "$exe")" = archive_bench.exe ]; then
            wine "$exe" "$(winepath -w "$keep")" || rc=$?
        else
            wine "$exe" || rc=$?
        fi
    done
    wineserver -k >/dev/null 2>&1 || true
    bench_host_unzip "$keep" || rc=$?
    # The native benchmarks (native/CMakeLists.txt) need no Wine.
    build_native
    for exe in "$NATIVE_BUILD"/bench/*; do
        [ -x "$exe" ] || continue
        echo "== $(basename "$exe")"
        "$exe" || rc=$?
    done
    return $rc
}

# The archive bench's archive extracted by the host's unzip (installed here
# when missing, as only the benches need it), against the engine's median.
bench_host_unzip() {
    local keep=$1
    [ -f "$keep.zip" ] && [ -f "$keep.ms" ] || return 0
    if ! command -v unzip >/dev/null; then
        [ "$(id -u)" -eq 0 ] || { echo "unzip is missing: sudo apt-get install -y unzip"; return 0; }
        DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y -qq unzip >/dev/null
    fi
    local out times=() start engine
    out=$(mktemp -d)
    for _ in 1 2 3; do
        rm -rf "${out:?}"/*
        start=$(date +%s%N)
        unzip -qq -o "$keep.zip" -d "$out" || { rm -rf "$out"; return 1; }
        times+=($(( ($(date +%s%N) - start) / 1000000 )))
    done
    rm -rf "$out" "$keep.zip"
    engine=$(cat "$keep.ms")
    rm -f "$keep.ms"
    local median
    median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 2p)
    echo "== archive_bench: host unzip"
    echo "unzip $median ms, engine $engine ms: engine throughput / unzip: $(awk -v u="$median" -v e="$engine" 'BEGIN { printf "%.2f", u / e }')x"
}

# ./vellumate lint: shellcheck on the tool and on every shell script of the
# tree (tests, the CI entry point, the Wine runner), each file on its own and
# following what it sources.
lint_scripts() {
    ensure_packages
    local scripts=()
    mapfile -t scripts < <(cd "$ROOT" && find . \( -name build -o -name 'build-*' -o -name .vellumate -o -name .git \) \
                                                -prune -o -name '*.sh' -print | sort)
    (cd "$ROOT" && shellcheck -x vellumate .ci/run cmake/wine-run.in "${scripts[@]}")
}
