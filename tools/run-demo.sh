#!/usr/bin/env bash
# Runs the console against the simulated core server on a fresh Debian 12 machine: installs what
# is missing, builds netview and fakecore, prepares demo-run/ (settings, icons, help pages) and
# starts both. Closing netview stops fakecore.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
port=55300
demo="$root/demo-run"
build="$root/build-demo" # its own folder: the options it builds with never reach the tests' build

cd "$root"
bash .ci/install-deps
cmake -S "$root" -B "$build" -G Ninja -DNETVIEW_TESTS=OFF >/dev/null
cmake --build "$build" --target netview fakecore

mkdir -p "$demo"
for assets in ICONS_NEW HELP; do
    rm -rf "${demo:?}/$assets"
    if [ -d "$root/assets/$assets" ]; then
        cp -r "$root/assets/$assets" "$demo/$assets"
    fi
done

# The console's 16-line settings file: every value at its fixed column.
{
    printf '[SETTINGS FILE]\n\n'
    printf 'IP_SRV:        127.0.0.1\n'
    printf 'PORT_SRV:      %s\n' "$port"
    printf '\n\n\n'
    printf 'SET_FILE:      %s\n' "$demo/settings.txt"
    printf 'LAST_TIME:     %s\n' "$(date '+%d/%m/%Y %H:%M:%S')"
    printf '\n'
    printf 'LOG_FILTER_ON_OFF: \n'
    printf 'LOG_SELECT_FILTER: \n'
    printf 'LOG_DATE_TIME: \n'
    printf 'LOG_EVENT_TYPE: \n'
    printf 'LOG_IPs: \n'
    printf 'LOG_SLOTs: \n'
} >"$demo/settings.txt"

"$build/tools/fakecore/fakecore" --port "$port" &
fakecore_pid=$!
trap 'kill "$fakecore_pid" 2>/dev/null || true' EXIT

cd "$demo"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    "$build/console/netview"
else
    echo "run-demo: no display found; running netview under Xvfb, where it cannot be seen." >&2
    echo "run-demo: run this script in a desktop session to see the console (Ctrl-C stops it)." >&2
    xvfb-run -a "$build/console/netview"
fi
