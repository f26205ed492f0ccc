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

# DigiZol's list window, as "Abrir con" opens it: a supplier list with a wrong CIF, a DNI with
# the wrong letter and two mistyped IBANs, filtered to those.
keys Escape
list=$(mktemp -d)/proveedores.csv
cat >"$list" <<'LIST'
Nombre;NIF;IBAN
Papelería Goya S.L.;B86123452;ES91 2100 0418 4502 0005 1332
Transportes Hermanos Ruiz S.A.;A46235180;ES70 0049 1500 0105 1234 5678
Limpiezas del Sur S.L.;B91077348;ES17 0182 5322 2702 0150 3512
Imprenta Martínez S.L.;B30541296;ES55 0081 0216 7800 0123 4567
Cafés La Estrella S.A.;A28004174;ES79 2038 1745 6260 0034 5621
Ferretería Navarro S.L.;B50293810;ES14 3058 0990 2627 1234 5678
Carmen López Ortega;50123456R;ES39 0128 0010 9301 0009 8765
Mensajería Rápida Levante S.L.;B98432719;ES22 1465 0100 9699 1234 5678
Asesoría Fiscal Beltrán S.L.;B12765400;ES10 2100 3150 1611 2233 4455
Jardinería Olmos S.L.;B47019286;ES36 0049 6612 1101 2345 6789
Suministros Eléctricos Vera S.A.;A04156725;ES76 0182 1234 8802 0157 0001
Gráficas Albaicín S.L.;B18990432;ES49 0081 7400 2800 0654 3210
LIST
"$program" "$list" &
list_pid=$!
lista=$(xdotool search --sync --onlyvisible --name '^Comprobar una lista')
xdotool windowactivate --sync "$lista" 2>/dev/null || true
sleep 0.5
# Alt+M is the filter's key; Down picks "Solo los que no son correctos".
keys alt+m Down
sleep 0.6
import -window "$lista" -frame "$out/digizol-lista.png"
kill $list_pid 2>/dev/null || true
