#!/usr/bin/env bash
# Builds every fuzz/*.cpp target with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each in turn for the seconds given (default 60), starting
# from its seed files in fuzz/corpus/<target>/ and the corpus earlier runs grew in build-fuzz/.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     (targets by file name without .cpp; default all)
#
# Stops with a failure at the first crash, leak, timeout or sanitizer report; the input that did
# it is kept as build-fuzz/findings/<target>-crash-*, -leak-* or -timeout-*, and the log of each
# run as build-fuzz/logs/<target>.log. A summary of executions per target ends the output.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
build="${BRIQO_FUZZ_BUILD:-$root/build-fuzz}"

"$root/scripts/install-deps.sh" --fuzz

names=()
if [ $# -gt 0 ]; then
    names=("$@")
else
    for source in "$root"/fuzz/*.cpp; do
        names+=("$(basename "$source" .cpp)")
    done
fi
targets=()
for name in "${names[@]}"; do
    [ -f "$root/fuzz/$name.cpp" ] || { echo "fuzz: no target fuzz/$name.cpp" >&2; exit 2; }
    targets+=("fuzz_$name")
done

# Our code is instrumented for coverage and both sanitizers; Qt itself comes as the system built it.
# BRIQO_FUZZ_SKIP_BUILD=1 runs what is built, so several runs may share one build folder at once.
flags="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g"
if [ "${BRIQO_FUZZ_SKIP_BUILD:-0}" != 1 ]; then
    CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DBRIQO_BUILD_TESTS=OFF -DBRIQO_BUILD_FUZZ=ON -DCMAKE_CXX_FLAGS="$flags" >/dev/null
    cmake --build "$build" --target "${targets[@]}" -j"$(nproc)"
fi

mkdir -p "$build/findings" "$build/logs"
summary=()
for name in "${names[@]}"; do
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    seeds=()
    [ -d "$root/fuzz/corpus/$name" ] && seeds=("$root/fuzz/corpus/$name")
    log="$build/logs/$name.log"
    echo "== $name for $seconds s"
    status=0
    # New inputs go to the first folder only, so the seed files in the tree stay as committed.
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1 \
        "$build/fuzz/fuzz_$name" "$corpus" "${seeds[@]}" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -max_len=16384 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$name-" >"$log" 2>&1 || status=$?
    execs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        echo "fuzz: $name FAILED after ${execs:-?} executions (exit $status); see $log and $build/findings/" >&2
        exit 1
    fi
    summary+=("$(printf '%-24s %12s executions, %6s corpus files' "$name" "${execs:-?}" "$(ls "$corpus" | wc -l)")")
done
echo "== fuzzing passed"
printf '%s\n' "${summary[@]}"
