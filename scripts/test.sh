#!/usr/bin/env bash
# Installs what is missing, builds Briqo and its tests from scratch, and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-test"
"$root/scripts/install-deps.sh"
rm -rf "$build"
# The benchmark programs are built too, so that they keep building with the code they measure.
"$root/scripts/build.sh" "$build" -DBRIQO_BUILD_TESTS=ON -DBRIQO_BUILD_BENCH=ON
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
