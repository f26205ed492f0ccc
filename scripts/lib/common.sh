# Shared by scripts/run and scripts/test: find the project, install what is missing, build.
set -euo pipefail

MINIZOL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export MINIZOL_ROOT

# Installs the Debian packages among "$@" that are not installed yet (apt-get; sudo when not root).
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev fonts-liberation fonts-dejavu-core)

# configure_and_build <build dir> <build type> [extra cmake arguments...]
configure_and_build() {
    local dir=$1 type=$2
    shift 2
    cmake -S "$MINIZOL_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@"
    cmake --build "$dir" --parallel "$(nproc)"
}
