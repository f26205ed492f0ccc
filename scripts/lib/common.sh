# Shared by scripts/run and scripts/test: find the project, install what is missing, build.
set -euo pipefail

MINIZOL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export MINIZOL_ROOT

# Installs the Debian packages among "$@" that are not installed yet (apt-get; sudo when not root).
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libxcb1-dev libexpat1-dev
    libminizip-dev zlib1g-dev libfreexl-dev libxlsxwriter-dev fonts-liberation
    fonts-dejavu-core qt6-translations-l10n)

# configure_and_build <build dir> <build type> [extra cmake arguments...]
configure_and_build() {
    local dir=$1 type=$2
    shift 2
    cmake -S "$MINIZOL_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@"
    cmake --build "$dir" --parallel "$(nproc)"
}

# The sanitizer build: clang, AddressSanitizer and UBSan, the tests and the fuzz targets.
# libclang-rt-14-dev holds the sanitizer and libFuzzer runtimes, llvm the symbolizer that
# turns addresses in their reports into file and line.
SANITIZER_PACKAGES=(clang libclang-rt-14-dev llvm)
SANITIZER_BUILD="$MINIZOL_ROOT/build-sanitize"

build_sanitizer_stage() {
    configure_and_build "$SANITIZER_BUILD" RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DMINIZOL_BUILD_TESTS=ON -DMINIZOL_BUILD_FUZZERS=ON -DMINIZOL_BUILD_APP=OFF
}

# Any undefined behaviour stops the program; leaks are reported at exit, less those the
# toolkit's libraries make (see the suppressions file).
export_sanitizer_options() {
    export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$MINIZOL_ROOT/tests/sanitizers/lsan.supp:print_suppressions=0"
}

# The fuzz targets, one per seed corpus.
fuzz_targets() {
    local dir
    for dir in "$MINIZOL_ROOT"/fuzz/corpus/*/; do
        basename "$dir"
    done
}

# run_fuzz_target <target> <seconds>: searches from the seed corpus for that long. New inputs
# go to build-sanitize/fuzz-corpus/<target>, never into the repository's seeds; a failing
# input is saved as build-sanitize/fuzz-artifacts/<target>-crash-<hash>.
run_fuzz_target() {
    local target=$1 seconds=$2
    local fuzzer="$SANITIZER_BUILD/fuzz/fuzz_$target"
    local corpus="$SANITIZER_BUILD/fuzz-corpus/$target"
    local log="$SANITIZER_BUILD/fuzz-logs/$target.log"
    [ -x "$fuzzer" ] || { echo "fuzz_$target was not built" >&2; return 1; }
    mkdir -p "$corpus" "$SANITIZER_BUILD/fuzz-artifacts" "$SANITIZER_BUILD/fuzz-logs"
    if "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$SANITIZER_BUILD/fuzz-artifacts/$target-" \
        "$corpus" "$MINIZOL_ROOT/fuzz/corpus/$target" >"$log" 2>&1; then
        echo "fuzz_$target: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log" | tail -1)," \
            "corpus $(find "$corpus" -type f | wc -l) inputs, no failure"
        return 0
    fi
    echo "fuzz_$target FAILED; the end of its log ($log):" >&2
    grep -v '^    #[0-9]' "$log" | tail -25 >&2
    return 1
}
