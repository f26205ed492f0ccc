#!/usr/bin/env bash
# `cmake --install` into a temporary root, then the checks of check_tree.
# Arguments: the cmake program, the build folder, the application id.
source "$(dirname "$0")/lib.sh"
cmake=$1 build=$2 id=$3

require_tool desktop-file-validate desktop-file-utils
require_tool appstreamcli appstream

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root "$cmake" --install "$build" --prefix /usr >/dev/null
check_tree "$root" "$id"
