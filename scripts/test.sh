#!/usr/bin/env bash
# Runs every test (unit and end-to-end) of a build made by scripts/setup.sh.
#   KM_BUILD_DIR  build folder (default: build/)       KM_JOBS    parallel tests (default: 2)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KM_BUILD_DIR:-$root/build}"

if [[ ! -f "$build/CTestTestfile.cmake" ]]; then
    echo "test: no build in $build; run scripts/setup.sh first." >&2
    exit 1
fi
ctest --test-dir "$build" --output-on-failure -j "${KM_JOBS:-2}"
