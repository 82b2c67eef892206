#!/usr/bin/env bash
# Sets the project up on a fresh Debian machine: installs the packages it needs (apt-get, with sudo
# when not root), configures the build (RelWithDebInfo) and builds everything. Safe to run again:
# installed packages are skipped and the build only redoes what changed.
#   KM_BUILD_DIR  build folder (default: build/)       KM_JOBS    parallel jobs (default: 2)
#   KM_WERROR     ON: warnings are errors (CI)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KM_BUILD_DIR:-$root/build}"
jobs="${KM_JOBS:-2}"

packages=(build-essential cmake pkg-config libsqlite3-dev libpugixml-dev libxlsxwriter-dev libcli11-dev
          libgtest-dev libgmock-dev libbenchmark-dev clang clang-format-16 unzip git fp-utils-3.2.2
          libchm-bin)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if ((${#missing[@]} > 0)); then
    sudo=()
    if [[ "$(id -u)" -ne 0 ]]; then
        sudo=(sudo)
    fi
    echo "setup: installing ${missing[*]}"
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKM_WERROR="${KM_WERROR:-OFF}"
cmake --build "$build" -j "$jobs"
