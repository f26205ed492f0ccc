# shellcheck shell=bash
# Shared by the desktop tests: checks of an installed tree, whoever installed it.
set -euo pipefail

# Ends the test as skipped (77) when `tool` is missing, naming the Debian package to install.
require_tool() {
    local tool=$1 package=$2
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIPPED: $tool is not installed (Debian package $package); scripts/test installs it."
        exit 77
    fi
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The value of `key` in the [Desktop Entry] group of a .desktop file.
desktop_value() {
    sed -n "/^$2=/{s/^$2=//p;q}" "$1"
}

# "WIDTHxHEIGHT" of a PNG file, from its header.
png_size() {
    local bytes
    read -r -a bytes < <(od -An -tu1 -j16 -N8 "$1")
    echo "$(((bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3]))x$(((bytes[4] << 24) | (bytes[5] << 16) | (bytes[6] << 8) | bytes[7]))"
}

# Checks that the tree under `root` (holding usr/) has everything a desktop needs to list,
# start and draw MiniZol under the application id, consistently named, and that the launcher
# and the AppStream entry pass their validators.
check_tree() {
    local root=$1 id=$2
    local share=$root/usr/share
    local desktop=$share/applications/$id.desktop
    local metainfo=$share/metainfo/$id.metainfo.xml

    [ -x "$root/usr/bin/minizol" ] || fail "no executable usr/bin/minizol"
    [ -f "$desktop" ] || fail "no launcher $desktop"
    [ -f "$metainfo" ] || fail "no AppStream entry $metainfo"

    local exec icon
    exec=$(desktop_value "$desktop" Exec)
    icon=$(desktop_value "$desktop" Icon)
    [ -x "$root/usr/bin/${exec%% *}" ] || fail "the launcher starts '$exec', which is not installed"
    [ "$icon" = "$id" ] || fail "the launcher's icon is '$icon', not the application id '$id'"
    # The desktop's "Abrir con" offers MiniZol for lists and spreadsheets and hands it the files;
    # not for every text file.
    [[ $exec == *' %F' ]] || fail "the launcher starts '$exec', which is handed no files (%F)"
    local types
    types=";$(desktop_value "$desktop" MimeType)"
    [[ $types == *';text/csv;'* && $types == *'.spreadsheetml.sheet;'* ]] ||
        fail "the launcher opens no CSV or .xlsx files: MimeType$types"
    [[ $types != *';text/plain;'* ]] || fail "the launcher claims every text file: MimeType$types"

    local size png
    for size in 16 32 48 64 128; do
        png=$share/icons/hicolor/${size}x${size}/apps/$icon.png
        [ -f "$png" ] || fail "no ${size}px icon $png"
        [ "$(png_size "$png")" = "${size}x${size}" ] ||
            fail "$png is $(png_size "$png"), not ${size}x${size}"
    done
    grep -q '<svg' "$share/icons/hicolor/scalable/apps/$icon.svg" ||
        fail "no scalable icon $share/icons/hicolor/scalable/apps/$icon.svg"

    # The command-line checker runs without a display, so without Qt, and has its manual page.
    local checker=$root/usr/bin/minizol-comprobar
    [ -x "$checker" ] || fail "no executable usr/bin/minizol-comprobar"
    printf '12345678Z\n' | "$checker" >/dev/null 2>&1 || fail "minizol-comprobar rejects a right DNI"
    if ldd "$checker" | grep -qi qt; then
        fail "minizol-comprobar links Qt"
    fi
    gzip -dc "$share/man/man1/minizol-comprobar.1.gz" | grep -q '^\.TH MINIZOL-COMPROBAR 1' ||
        fail "no manual page usr/share/man/man1/minizol-comprobar.1.gz"
    gzip -dc "$share/man/man1/minizol.1.gz" | grep -q '^\.TH MINIZOL 1' ||
        fail "no manual page usr/share/man/man1/minizol.1.gz"
    # libxlsxwriter is loaded only when a workbook is written: never at start.
    if ldd "$checker" | grep -qi 'xlsxwriter\|crypto'; then
        fail "minizol-comprobar loads libxlsxwriter at start"
    fi

    grep -q "<id>$id</id>" "$metainfo" || fail "the AppStream entry is not for '$id'"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
        fail "the AppStream entry does not launch $id.desktop"

    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
    echo "desktop-file-validate: $desktop passes"
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
}
