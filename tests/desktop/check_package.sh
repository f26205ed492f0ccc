#!/usr/bin/env bash
# Builds the Debian package with CPack, unpacks it into a temporary root (dpkg -x), checks the
# tree as check_install.sh does and starts the unpacked program from its launcher's command
# line on a virtual X display (Xvfb).
# Arguments: the cpack program, the build folder, the application id.
source "$(dirname "$0")/lib.sh"
cpack=$1 build=$2 id=$3

require_tool dpkg-shlibdeps dpkg-dev
require_tool desktop-file-validate desktop-file-utils
require_tool appstreamcli appstream
require_tool Xvfb xvfb
require_tool xwininfo x11-utils

work=$(mktemp -d)
xvfb=""
cleanup() {
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    fail "cpack could not build the package"
fi
debs=("$work"/out/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    fail "cpack made no single .deb file: ${debs[*]}"
fi
deb=${debs[0]}
echo "Built $(basename "$deb")"

[ "$(dpkg-deb -f "$deb" Package)" = minizol ] || fail "the package is not called minizol"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# dpkg-shlibdeps found the libraries the program links: without it there is no Qt here.
[[ $depends == *libqt6widgets6* && $depends == *libc6* && $depends == *qt6-translations-l10n* ]] ||
    fail "the dependencies do not name the Qt widgets library, libc and Qt's translations"

outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v -e '^\./$' -e '^\./usr/' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

dpkg -x "$deb" "$work/root"
check_tree "$work/root" "$id"

# Xvfb picks a free display itself and writes its number once it takes connections. (xvfb-run
# -a picks by lock files, which races with other virtual displays starting or stopping.)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 150); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
    sleep 0.2
done
[ -s "$work/display" ] || fail "Xvfb gave no display number in 30 seconds"

desktop=$work/root/usr/share/applications/$id.desktop
DISPLAY=":$(cat "$work/display")" PATH="$work/root/usr/bin:$PATH" \
    bash "$(dirname "$0")/start_on_display.sh" "$(desktop_value "$desktop" Exec)" \
    "$(desktop_value "$desktop" StartupWMClass)" "$work/root/usr/bin/minizol"
