#!/usr/bin/env bash
# The download as a user gets it: it holds exactly the files that stand
# together and the read-me, with Windows line ends; unpacked into an empty
# folder of the Wine prefix, the tool starts from there on a player drive,
# with both of its modules from that folder, and its own -Q closes it.
# Environment: WAVA_BUILD_DIR, WAVA_PACKAGE (the ZIP).
set -euo pipefail
tools="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)"
. "$tools/wine-env.sh"
wava_prefix_ready

fail() { echo "FAIL: $*" >&2; exit 1; }
run() { WINE_TIMEOUT=60 "$tools/wine-run" "$@"; }
companion="$WAVA_BUILD_DIR/companion/WavaCompanion.exe"

[ -f "$WAVA_PACKAGE" ] || fail "no $WAVA_PACKAGE: 'cmake --build <build> --target package' makes it"
top="$(basename "$WAVA_PACKAGE" .zip)"
expected="$(printf "$top/%s\n" HookWndU.DLL README.txt WavaPlaylist.exe ZKWAPl.bff ZKWAPlRs.crl)"
listed="$(cmake -E tar tf "$WAVA_PACKAGE" | grep -v '/$' | LC_ALL=C sort)"
[ "$listed" = "$expected" ] || fail "the package holds:"$'\n'"$listed"

unpacked="$WINEPREFIX/drive_c/wava-package"
rm -rf "$unpacked"
mkdir -p "$unpacked"
trap 'run "C:\\wava-package\\$top\\WavaPlaylist.exe" -Q >/dev/null 2>&1 || true; rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$WAVA_PACKAGE")

readme="$unpacked/$top/README.txt"
lines="$(wc -l <"$readme")"
[ "$lines" -gt 10 ] && [ "$(grep -c $'\r$' "$readme")" = "$lines" ] || fail "README.txt has not CR LF line ends"

program="C:\\wava-package\\$top\\WavaPlaylist.exe"
# Into a file: the tool inherits the output, and would hold a pipe open.
started="$unpacked/started.txt"
run "$companion" start --wait --program "$program" -S 'I:\' -N "Package Test" >"$started" ||
    fail "no window from the unpacked tool: $(cat "$started")"
cat "$started"
for module in ZKWAPlRs.crl HookWndU.DLL; do
    tr -d '\r' <"$started" | grep -qx "module $module" || fail "the tool did not load $module from its folder"
done

run "$program" -Q
for _ in $(seq 1 20); do
    [ -z "$(run "$companion" windows | tr -d '\r')" ] && exit 0
    sleep 0.5
done
fail "-Q left the window open"
