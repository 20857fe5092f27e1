#!/usr/bin/env bash
# Installs what is missing, builds Briqo and starts it. The program folder (games, pictures,
# taal.ini) is build/app, beside the executable.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build" -DBRIQO_BUILD_TESTS=OFF
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting Briqo under a virtual display (xvfb-run)."
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/build/app/briqo"
fi
exec "$root/build/app/briqo"
