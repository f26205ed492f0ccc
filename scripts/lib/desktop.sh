# Sourced inside a virtual display: start_desktop <program> starts a small window manager when
# one is installed, then the program, and ends both when the calling script exits. The program's
# process id is left in $program_pid.
set -euo pipefail
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

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
