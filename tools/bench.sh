#!/usr/bin/env bash
# Builds and runs the benchmark programs under Wine; each prints its figures
# against a baseline measured in the same run. Arguments name the ones to
# run (for example bench_startup); none runs them all. Best on a quiet
# machine: the figures are medians, but other work still shows in them.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WAVA_BUILD_DIR="${WAVA_BUILD_DIR:-$root/build}"

. "$root/tools/prepare.sh"

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    for exe in "$WAVA_BUILD_DIR"/bench/*.exe; do names+=("$(basename "$exe" .exe)"); done
fi
status=0
for name in "${names[@]}"; do
    WINE_TIMEOUT=600 "$root/tools/wine-run" "$WAVA_BUILD_DIR/bench/$name.exe" || status=$?
done
wineserver -k >/dev/null 2>&1 || true
exit $status
