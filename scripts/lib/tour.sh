# Runs inside a virtual display: a short tour of the four tools, one picture of each.
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
program=$1 out=$2

start_desktop "$program"
sleep 1.5

# The screen as composited, cropped to the active window and its frame: shows translucency.
screen_shot() {
    sleep "${2:-0.4}"
    local window x y w h left right top bottom
    window=$(active)
    read -r x y w h < <(xwininfo -id "$window" 2>/dev/null | awk '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /^ *Width/ { w = $NF } /^ *Height/ { h = $NF } END { print x, y, w, h }')
    read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    x=$((x - left)) y=$((y - top)) w=$((w + left + right)) h=$((h + top + bottom))
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/$1.png"
}

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

# DigiZol checking complete numbers: a DNI with a wrong letter, a pasted IBAN whose check and
# control digits are wrong, an ISBN-13 with its right check digit.
keys Escape Tab
type_text 12345678J
keys Tab
printf '%s' "ES00 2100 0418 9902 0005 1332" | xclip -selection clipboard
keys shift+Insert
keys Tab Tab
type_text 978-0-306-40615-7
shot digizol-check

# DigiZol with numbers as people paste them: a DNI, a German IBAN copied from an invoice with its
# label and line break (shown whole, with its country), a labelled ISBN.
keys Escape Tab
type_text 12345678Z
keys Tab
printf 'IBAN DE89 3704 0044 0532 0130 00\n' | xclip -selection clipboard
keys shift+Insert
keys Tab Tab Tab
printf 'ISBN-13: 978-0-306-40615-7\n' | xclip -selection clipboard
keys shift+Insert
shot digizol-iban

# ReglaZol at 600 x 400 over some text, so its translucency shows (a compositing manager makes
# whole-window opacity visible on X11).
if command -v xcompmgr >/dev/null; then
    xcompmgr >/dev/null 2>&1 &
fi
if command -v xterm >/dev/null; then
    xterm -geometry 100x40+150+100 -bg '#202830' -fg '#e0e0a0' -e bash -c \
        'for i in $(seq 60); do echo "La regla transparente se lee sobre cualquier fondo 0123456789"; done; sleep 600' 2>/dev/null &
    sleep 1
fi
focus
keys ctrl
focus
keys F2
sleep 0.5
type_text 600x400
keys Return
focus
screen_shot reglazol 0.8

# MemoZol after a few refreshes.
keys ctrl
focus
shot memozol 0.6

# The About window over MemoZol: open the first menu and choose its last entry.
xdotool mousemove --window "$(active)" 30 10 click 1
sleep 0.4
keys Down Down Return
sleep 0.6
import -window "$(xdotool getactivewindow)" -frame "$out/about.png"
