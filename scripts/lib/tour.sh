# Runs inside a virtual display: a short tour of the four tools, one picture of each.
set -euo pipefail
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
program=$1 out=$2

openbox >/dev/null 2>&1 &
wm=$!
sleep 0.5
"$program" &
pid=$!
trap 'kill "$pid" "$wm" 2>/dev/null || true' EXIT
sleep 1.5

active() { xdotool search --onlyvisible --name '^MiniZol 3.0$' | tail -n 1; }
focus() { xdotool windowactivate --sync "$(active)" 2>/dev/null || true; sleep 0.3; }
shot() { sleep "${2:-0.4}"; import -window "$(active)" -frame "$out/$1.png"; }
keys() { xdotool key --delay 60 "$@"; }
type_text() { xdotool type --delay 60 "$1"; }

focus
type_text 1000
keys e
shot eurozol

# DigiZol: a company number with both forms of its control character, an account with its
# bank's name and IBAN digits, an ISBN whose check digit is X.
keys ctrl
focus
type_text b1234567
keys Tab
type_text 210004180200051332
keys Tab
type_text 0-8044-2957
shot digizol
