#!/usr/bin/env bash
# Installs what is missing, builds Briqo and starts it. The games, pictures and taal.ini live in
# the user's data folder (${XDG_DATA_HOME:-~/.local/share}/Briqo, the folder an installed Briqo
# uses too), never in build/: rebuilding or deleting build/ loses no game. Arguments go to briqo;
# --folder DIR keeps everything in DIR instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build" -DBRIQO_BUILD_TESTS=OFF

args=("$@")
chosen=0
for a in "$@"; do
    case "$a" in --folder | --folder=*) chosen=1 ;; esac
done
if [ "$chosen" = 0 ]; then
    folder="${XDG_DATA_HOME:-$HOME/.local/share}/Briqo"
    mkdir -p "$folder"
    # Earlier versions of this script kept the games beside the program in build/app: they move
    # to the data folder once, unless it has its own already.
    for item in Spellen Games taal.ini; do
        if [ -e "$root/build/app/$item" ]; then
            if [ -e "$folder/$item" ]; then
                echo "Left in place: $root/build/app/$item ($folder/$item exists already)."
            else
                mv "$root/build/app/$item" "$folder/$item"
                echo "Moved $root/build/app/$item to $folder/$item."
            fi
        fi
    done
    args=(--folder "$folder" "$@")
fi
"$root/build/app/briqo" --version "${args[@]}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting Briqo under a virtual display (xvfb-run)."
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/build/app/briqo" "${args[@]}"
fi
exec "$root/build/app/briqo" "${args[@]}"
