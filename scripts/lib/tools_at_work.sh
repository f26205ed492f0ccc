# Runs inside a virtual display: the four tools at work as a user leaves them, one picture of
# each in the given folder: EuroZol after 1000 and E, DigiZol with a complete DNI and a bank
# account with its IBAN, ReglaZol and MemoZol.
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
program=$1 out=$2

start_desktop "$program"
# A slow machine may take a while to show the first window.
timeout 30 xdotool search --sync --onlyvisible --name '^MiniZol 3.0$' >/dev/null ||
    { echo "MiniZol showed no window." >&2; exit 1; }

focus
type_text 1000
keys e
shot eurozol

# Ctrl goes on to the next tool. The DNI is typed with its letter, which is then checked; the
# account brings its control digits, its bank's name and the IBAN.
keys ctrl
focus
type_text 12345678z
keys Tab
type_text 210004180200051332
shot digizol

keys ctrl
focus
shot reglazol

# MemoZol after a few refreshes.
keys ctrl
focus
shot memozol 0.6
