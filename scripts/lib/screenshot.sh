# Runs inside a virtual display: starts a small window manager when one is installed, then the
# program, waits for its window, takes a screenshot of the whole screen and ends the program.
set -euo pipefail
program=$1 screenshot=$2
if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 0.5
fi
"$program" &
pid=$!
trap 'kill "$pid" ${wm:-} 2>/dev/null || true' EXIT
sleep "${MINIZOL_SCREENSHOT_DELAY:-2}"
kill -0 "$pid" 2>/dev/null || { echo "MiniZol ended before its screenshot." >&2; exit 1; }
import -window root "$screenshot"
