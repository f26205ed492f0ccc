# Runs inside a virtual display: starts the program, waits for its window, takes a
# screenshot of the whole screen and ends the program.
set -euo pipefail
program=$1 screenshot=$2
"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
sleep "${MINIZOL_SCREENSHOT_DELAY:-2}"
kill -0 "$pid" 2>/dev/null || { echo "MiniZol ended before its screenshot." >&2; exit 1; }
import -window root "$screenshot"
