#!/usr/bin/env bash
# Builds every fuzz/*.cpp target with clang's libFuzzer, AddressSanitizer and UndefinedBehavior-
# Sanitizer, and runs each for the seconds given (default 60), starting from fuzz/corpus/<target>/
# when it exists. Fails on the first crash, leak or sanitizer report; the input that did it is left
# in build-fuzz/ as crash-*, leak-* or timeout-*.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
build="$root/build-fuzz"

"$root/scripts/install-deps.sh" --fuzz

flags="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRIQO_BUILD_TESTS=OFF -DBRIQO_BUILD_FUZZ=ON -DCMAKE_CXX_FLAGS="$flags" >/dev/null

targets=()
for source in "$root"/fuzz/*.cpp; do
    targets+=("fuzz_$(basename "$source" .cpp)")
done
cmake --build "$build" --target "${targets[@]}" -j2

cd "$build"
for target in "${targets[@]}"; do
    name="${target#fuzz_}"
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    [ -d "$root/fuzz/corpus/$name" ] && cp -n "$root/fuzz/corpus/$name"/* "$corpus"/ 2>/dev/null || true
    echo "== $target for $seconds s"
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$corpus"
done
echo "fuzzing passed: ${targets[*]}"
