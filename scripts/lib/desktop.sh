# Sourced inside a virtual display: start_desktop <program> starts a small window manager when
# one is installed, then the program, and ends both when the calling script exits. The program's
# process id is left in $program_pid. The other functions drive the tool windows with xdotool as
# a person would, and take their pictures into the folder $out.
set -euo pipefail
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
# The pictures show what a Spanish desktop shows (Qt reads the locale from the environment).
export LANG=es_ES.UTF-8

start_desktop() {
    local wm=""
    if command -v openbox >/dev/null; then
        openbox >/dev/null 2>&1 &
        wm=$!
        sleep 0.5
    fi
    "$1" &
    program_pid=$!
    trap "kill $program_pid $wm 2>/dev/null || true" EXIT
}

# The tool window on screen: every one is captioned "MiniZol 3.0".
active() { xdotool search --onlyvisible --name '^MiniZol 3.0$' | tail -n 1; }
focus() { xdotool windowactivate --sync "$(active)" 2>/dev/null || true; sleep 0.3; }
# shot <name> [seconds]: after a pause, the tool window with its frame, as $out/<name>.png.
shot() { sleep "${2:-0.4}"; import -window "$(active)" -frame "$out/$1.png"; }
keys() { xdotool key --delay 60 "$@"; }
type_text() { xdotool type --delay 60 "$1"; }
