#!/usr/bin/env bash
# Hardening: builds the sanitizer build (clang, AddressSanitizer and UndefinedBehaviorSanitizer,
# with the libFuzzer targets), runs every native test there (unit tests, scenarios, the
# fault-injection suite, the fuzz corpora once through; not the check of the Windows build's DLL,
# which the native build runs), then each fuzz target for a fixed time.
# Any finding fails the script; a missing tool is an error, never a skip.
#
#   FUZZ_SECONDS  time per fuzz target (default 45)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-45}
build=build/sanitize
targets=(document_fuzzer settings_fuzzer dialog_script_fuzzer)

fail() {
    echo "run-hardening: $*" >&2
    exit 1
}

bash scripts/setup.sh
for tool in clang++ cmake ctest; do
    command -v "$tool" >/dev/null || fail "$tool is missing: apt-get install clang cmake"
done
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }' \
    >"$probe/probe.cpp"
clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" 2>"$probe/log" ||
    fail "clang++ cannot link libFuzzer with the sanitizers (apt-get install libclang-rt-14-dev):
$(cat "$probe/log")"

export ASAN_OPTIONS=abort_on_error=0:detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

cmake --preset sanitize >/dev/null
cmake --build --preset sanitize --target unit_tests orvane-sim fault_tests placement_bench removal_bench \
    "${targets[@]}"
ctest --preset sanitize

for target in "${targets[@]}"; do
    corpus=$build/fuzz-runs/$target
    findings=$build/fuzz-findings
    rm -rf "$corpus"
    mkdir -p "$corpus" "$findings"
    echo "run-hardening: $target for ${seconds}s"
    # New inputs go to the scratch corpus; the committed seeds are only read. Short allocation
    # stacks keep the many small allocations of the host's store cheap; a finding's input replays
    # with full ones.
    if ! ASAN_OPTIONS=$ASAN_OPTIONS:malloc_context_size=4 "$build/tests/fuzz/$target" \
        -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len=4096 -print_final_stats=1 -artifact_prefix="$findings/$target-" \
        "$corpus" "tests/fuzz/corpus/$target" >"$build/fuzz-runs/$target.log" 2>&1; then
        tail -n 60 "$build/fuzz-runs/$target.log" >&2
        fail "$target found a fault; the input is in $findings"
    fi
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)' "$build/fuzz-runs/$target.log"
done
echo "run-hardening: no findings"
