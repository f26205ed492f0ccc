# Runs inside a virtual display: starts the program, waits for its window, takes a screenshot
# of the whole screen and ends the program.
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
program=$1 screenshot=$2
start_desktop "$program"
sleep "${MINIZOL_SCREENSHOT_DELAY:-2}"
kill -0 "$program_pid" 2>/dev/null || { echo "MiniZol ended before its screenshot." >&2; exit 1; }
import -window root "$screenshot"
