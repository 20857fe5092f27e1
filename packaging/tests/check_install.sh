#!/usr/bin/env bash
# cmake --install into a fresh prefix gives exactly the expected files, the installed programs
# answer --version and --help without a display, and an installed Briqo keeps its games in the
# user's data folder, not beside itself.
#   check_install.sh BUILD_FOLDER EXPECTED_FILES VERSION
set -euo pipefail
build="$1" expected="$2" version="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$work/files"
if ! diff -u <(LC_ALL=C sort "$expected") "$work/files"; then
    echo "FAIL: the installed files differ from $expected (- expected, + installed)" >&2
    exit 1
fi

# Every PNG of the icon theme is as large as its folder says.
for png in "$prefix"/share/icons/hicolor/*x*/apps/*.png; do
    size="$(basename "$(dirname "$(dirname "$png")")")"
    w=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
    [ "$w" = "$size" ] || { echo "FAIL: $png is $w, not $size" >&2; exit 1; }
done

# The installed programs, run by a user with an empty home and no display.
home="$work/home"
mkdir -p "$home"
run() { env -i PATH=/usr/bin:/bin HOME="$home" LC_ALL=C.UTF-8 "$@"; }
out="$(run "$prefix/bin/briqo-cli" --version)"
grep -qx "Briqo $version" <<<"$out" || { echo "FAIL: briqo-cli --version printed: $out" >&2; exit 1; }
grep -q "$home/.local/share/Briqo" <<<"$out" || { echo "FAIL: briqo-cli keeps its games elsewhere: $out" >&2; exit 1; }
out="$(run "$prefix/bin/briqo" --version)"
grep -qx "Briqo $version" <<<"$out" || { echo "FAIL: briqo --version printed: $out" >&2; exit 1; }
grep -q "$home/.local/share/Briqo" <<<"$out" || { echo "FAIL: briqo keeps its games elsewhere: $out" >&2; exit 1; }
run "$prefix/bin/briqo" --help | grep -q -- "--folder" || { echo "FAIL: briqo --help names no --folder" >&2; exit 1; }
[ -z "$(ls -A "$prefix/bin" | grep -v -x -e briqo -e briqo-cli)" ] || { echo "FAIL: files appeared beside the programs" >&2; exit 1; }

# The same programs copied into a folder the user can write keep everything beside themselves.
mkdir -p "$work/portable"
cp "$prefix/bin/briqo-cli" "$work/portable/"
out="$(run "$work/portable/briqo-cli" --version)"
grep -q "$work/portable\$" <<<"$out" || { echo "FAIL: a portable copy keeps its games elsewhere: $out" >&2; exit 1; }
echo "installed tree: $(wc -l <"$work/files") files, as expected"
