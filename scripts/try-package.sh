#!/usr/bin/env bash
# Installs Briqo's Debian package into a throw-away root (dpkg --root when run as root, else
# dpkg-deb -x; no chroot), checks that the libraries it depends on are the ones this machine has,
# and runs the installed briqo-cli --version there as a user with an empty home. With --window it
# also starts the installed briqo under a virtual display and checks that the window maps with its
# icon and keeps its settings in that home's data folder. Ends by removing the package again and
# checking that the user's folder is left as it was.
#
#   scripts/try-package.sh [--window] [PACKAGE.deb | BUILD_FOLDER]
#
# Without a package, the newest briqo_*.deb in the build folder (default build/) is used, made
# there with `cpack -G DEB` when there is none.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
window=0
if [ "${1:-}" = "--window" ]; then
    window=1
    shift
fi
target="${1:-$root/build}"
if [ -d "$target" ]; then
    deb="$(ls -t "$target"/briqo_*.deb 2>/dev/null | head -1 || true)"
    if [ -z "$deb" ]; then
        (cd "$target" && cpack -G DEB >/dev/null)
        deb="$(ls -t "$target"/briqo_*.deb | head -1)"
    fi
else
    deb="$target"
fi
deb="$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")"
fail() { echo "try-package: FAIL: $*" >&2; exit 1; }

work="$(mktemp -d)"
briqo_pid=""
cleanup() {
    [ -n "$briqo_pid" ] && kill "$briqo_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
tree="$work/root"
home="$work/home"
mkdir -p "$tree" "$home"

# The package's dependencies must be met here, since the programs run with this machine's libraries.
depends="$(dpkg-deb -f "$deb" Depends)"
[ -n "$depends" ] || fail "the package names no dependencies"
IFS=',' read -ra wanted <<<"$depends"
for item in "${wanted[@]}"; do
    met=0
    IFS='|' read -ra choices <<<"$item"
    for choice in "${choices[@]}"; do
        name="$(awk '{print $1}' <<<"$choice")"
        dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "install ok installed" && met=1
    done
    [ "$met" = 1 ] || fail "dependency not installed here: $item"
done

if [ "$(id -u)" -eq 0 ]; then
    mkdir -p "$tree/var/lib/dpkg/info" "$tree/var/lib/dpkg/updates"
    touch "$tree/var/lib/dpkg/status"
    # The libraries come from this machine, not from the empty root: dependencies are checked above.
    PATH="$PATH:/usr/sbin:/sbin" dpkg --root="$tree" --log=/dev/null --force-depends -i "$deb" >"$work/dpkg.log" 2>&1 \
        || { cat "$work/dpkg.log"; fail "dpkg could not install the package"; }
else
    dpkg-deb -x "$deb" "$tree"
fi
echo "installed $(basename "$deb") into $tree"

# A user with an empty home and nothing else of this session's environment.
as_user() { env -i PATH=/usr/bin:/bin HOME="$home" LC_ALL=C.UTF-8 "$@"; }
version="$(as_user "$tree/usr/bin/briqo-cli" --version)"
echo "$version"
grep -q "^Briqo [0-9]" <<<"$version" || fail "briqo-cli --version printed no version"
grep -q "$home/.local/share/Briqo" <<<"$version" || fail "the installed briqo-cli keeps its games elsewhere"

if [ "$window" = 1 ]; then
    command -v xvfb-run >/dev/null && command -v xprop >/dev/null || fail "--window needs xvfb-run and xprop"
    export tree home
    result="$(xvfb-run -a -s "-screen 0 1600x1200x24" bash -c '
        env -i PATH=/usr/bin:/bin HOME="$home" LC_ALL=C.UTF-8 DISPLAY="$DISPLAY" XAUTHORITY="$XAUTHORITY" \
            "$tree/usr/bin/briqo" & pid=$!
        id=""
        for _ in $(seq 150); do
            id="$(xwininfo -root -tree 2>/dev/null | awk "/\"Briqo [0-9]/ {print \$1; exit}")"
            [ -n "$id" ] && break
            kill -0 $pid 2>/dev/null || break
            sleep 0.2
        done
        [ -n "$id" ] && echo "window $id: $(xwininfo -id "$id" | awk "/Map State/ {print \$3}")"
        # The window shows with one size of its icon and gets the others right after.
        sizes=""
        for _ in $(seq 50); do
            [ -n "$id" ] || break
            sizes="$(xprop -len 4000000 -id "$id" _NET_WM_ICON | grep -o "Icon ([0-9]* x [0-9]*)" | tr -d "Icon() ")"
            grep -q "256x256" <<<"$sizes" && break
            sleep 0.1
        done
        [ -n "$id" ] && echo "icon sizes:" $sizes
        [ -n "$id" ] && xprop -id "$id" WM_CLASS
        for _ in $(seq 50); do [ -f "$home/.local/share/Briqo/taal.ini" ] && break; sleep 0.2; done
        kill $pid 2>/dev/null; wait $pid 2>/dev/null
        true')"
    echo "$result"
    grep -q "IsViewable" <<<"$result" || fail "the installed briqo showed no window"
    # The window manager and the task bar pick from the sizes the window carries.
    for size in 16x16 32x32 48x48 256x256; do
        grep -q "icon sizes:.*\b$size\b" <<<"$result" || fail "the window's icon (_NET_WM_ICON) lacks $size"
    done
    [ -f "$home/.local/share/Briqo/taal.ini" ] || fail "the window kept no settings in $home/.local/share/Briqo"
fi

# Removing the package leaves the user's folder alone.
before="$(cd "$home" && find . | sort)"
if [ "$(id -u)" -eq 0 ]; then
    PATH="$PATH:/usr/sbin:/sbin" dpkg --root="$tree" --log=/dev/null -r briqo >/dev/null
    [ ! -e "$tree/usr/bin/briqo" ] || fail "removing the package left the program"
fi
[ "$before" = "$(cd "$home" && find . | sort)" ] || fail "removing the package changed the user's folder"
echo "try-package: passed"
