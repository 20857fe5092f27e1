#!/usr/bin/env bash
# cpack -G DEB makes a package holding exactly the installed files below /usr, whose control
# data names the program, its version and the libraries dpkg-shlibdeps found; then the package
# is tried in a throw-away root, with the window under a virtual display where there is one.
#   check_deb.sh BUILD_FOLDER EXPECTED_FILES VERSION TRY_PACKAGE_SCRIPT
set -euo pipefail
build="$1" expected="$2" version="$3" try="$4"
fail() { echo "FAIL: $*" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

rm -f "$build"/briqo_*.deb
(cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack -G DEB failed"; }
deb="$(ls "$build"/briqo_*.deb)"
[ "$(basename "$deb")" = "briqo_${version}_$(dpkg --print-architecture).deb" ] || fail "unexpected name $deb"

dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | LC_ALL=C sort >"$work/files"
diff -u <(LC_ALL=C sort "$expected") "$work/files" || fail "the package's files differ from $expected"

info="$(dpkg-deb --info "$deb")"
echo "$info"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = briqo ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is $(field Architecture)"
depends="$(field Depends)"
# Found by dpkg-shlibdeps from the programs and the network module: the Qt libraries, the double-dummy solver
# and the C++ runtime, each with the version the build needs.
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 libqt6network6 libstdc++6 libc6; do
    grep -q "$library (>= " <<<"$depends" || fail "Depends lacks $library: $depends"
done
grep -q "libdds" <<<"$depends" || fail "Depends lacks the double-dummy solver: $depends"
[ -n "$(field Description)" ] || fail "no Description"

window=()
command -v xvfb-run >/dev/null && command -v xprop >/dev/null && window=(--window)
"$try" "${window[@]}" "$deb"
