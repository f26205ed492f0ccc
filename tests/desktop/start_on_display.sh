#!/usr/bin/env bash
# Runs inside a virtual X display. Starts MiniZol with the launcher's command line, waits for
# its first tool window, checks the window against the launcher and ends the program.
# Arguments: the command line, the window class the launcher names, the program it must run.
source "$(dirname "$0")/lib.sh"
command_line=$1 window_class=$2 expected_program=$3
# Started from the menu with no file, as a launcher does: its file codes stand for nothing.
command_line=${command_line//%[fFuU]/}

[ "$(command -v "${command_line%% *}")" = "$expected_program" ] ||
    fail "'$command_line' does not run the unpacked program $expected_program"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

# shellcheck disable=SC2086 # the launcher's command line is split as a launcher splits it
$command_line &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

# A slow machine may take a while to start it: wait up to 30 seconds for the window.
window=""
for _ in $(seq 150); do
    if ! kill -0 "$pid" 2>/dev/null; then
        status=0
        wait "$pid" || status=$?
        fail "the program ended (status $status) before showing a window"
    fi
    # No reader here may stop early: with pipefail the writer's SIGPIPE would fail the pipe.
    window=$(xwininfo -root -tree | awk '/"MiniZol 3.0": \(/ && !found {print $1; found = 1}')
    if [ -n "$window" ] && xwininfo -id "$window" | grep 'Map State: IsViewable' >/dev/null; then
        break
    fi
    window=""
    sleep 0.2
done
[ -n "$window" ] || fail "no window captioned \"MiniZol 3.0\" was shown"

# Desktops match a window to its launcher, name and icon by the class in WM_CLASS.
class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*, "\(.*\)"$/\1/p')
[ "$class" = "$window_class" ] ||
    fail "the window's class is '$class', the launcher expects '$window_class'"
xprop -id "$window" _NET_WM_ICON | grep 'Icon (' >/dev/null || fail "the window has no icon"

sleep 1
kill -0 "$pid" 2>/dev/null || fail "the program ended right after showing its window"
echo "The unpacked program ran '$command_line' and showed its window (class $class, with icon)."
