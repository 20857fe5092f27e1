#!/usr/bin/env bash
# Installs what Briqo needs to build, run and test on Debian 12, skipping what is already there.
set -euo pipefail

packages=(build-essential cmake ninja-build qt6-base-dev qt6-svg-dev libgl1-mesa-dev
          fonts-dejavu-core libfontconfig-dev xvfb xauth libbenchmark-dev libdds-dev poppler-utils xclip zlib1g-dev
          pkg-config libxcb1-dev
          dpkg-dev file appstream desktop-file-utils x11-utils
          chromium)
# pkg-config and the XCB headers serve the start-up bench. The second last line serves the packaging tests: the Debian package (dpkg-shlibdeps, file), the
# validators of the menu entry and the metadata, and xprop to see the window's icon. The last one
# is the browser (headless) in which the tests read and draw the lesson as a web page.
# --fuzz: also the compiler of the fuzz targets (scripts/fuzz.sh), which the normal build does not need.
if [ "${1:-}" = "--fuzz" ]; then
    packages+=(clang-14 libclang-rt-14-dev)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi
