#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine.
# Extra arguments go to ctest (for example -R test_lists).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WAVA_BUILD_DIR="${WAVA_BUILD_DIR:-$root/build}"

. "$root/tools/prepare.sh"

cd "$WAVA_BUILD_DIR"
status=0
ctest --output-on-failure -j 2 "$@" || status=$?
wineserver -k >/dev/null 2>&1 || true
exit $status
