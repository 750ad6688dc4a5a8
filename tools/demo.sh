#!/usr/bin/env bash
# Builds the tool and starts it, through the companion program, on a demo
# player drive (a generated folder mapped as a removable drive letter).
# With a display the tool stays open until you close it; without one it runs
# under a private Xvfb, saves a screenshot (build/demo-screenshot.png, or the
# path in WAVA_SCREENSHOT) and closes the tool.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WAVA_BUILD_DIR="${WAVA_BUILD_DIR:-$root/build}"
bash "$root/tools/setup.sh"
bash "$root/tools/build.sh"

had_display="${DISPLAY:-}"
. "$root/tools/display.sh"
wava_ensure_display
# The demo has a prefix of its own, so that it never meets a test run.
export WAVA_WINEPREFIX="$WAVA_BUILD_DIR/demo-wineprefix"
. "$root/tools/wine-env.sh"
wava_prefix_ready

drive="$WAVA_BUILD_DIR/demo-drive"
bash "$root/tools/make-demo-drive.sh" "$drive"
wava_map_drive p "$drive"
wine reg add 'HKLM\Software\Wine\Drives' /v 'p:' /d floppy /f >/dev/null 2>&1

companion="$WAVA_BUILD_DIR/companion/WavaCompanion.exe"
icon_module='C:\wava-demo\DeviceIcon.dll'
mkdir -p "$WINEPREFIX/drive_c/wava-demo"
cp "$WAVA_BUILD_DIR/companion/DeviceIcon.dll" "$WINEPREFIX/drive_c/wava-demo/"

if [ -n "$had_display" ]; then
    timeout 60 wine "$companion" start --wait -S 'P:\' -N "Demo Player" -C "$icon_module" -I 201
    echo "The tool is running on drive P: (the folder $drive). Close its window to end the demo."
    wineserver -w
else
    timeout 60 wine "$companion" start --wait -S 'P:\' -N "Demo Player" -C "$icon_module" -I 201
    sleep 1
    timeout 30 wine "$companion" demo-fill
    sleep 1
    shot="${WAVA_SCREENSHOT:-$WAVA_BUILD_DIR/demo-screenshot.png}"
    # The tool's window with the window manager's frame and title.
    win="$(xdotool search --onlyvisible --name '^Wava Playlist$' 2>/dev/null | head -n 1)"
    if [ -n "$win" ]; then
        import -frame -window "$win" "$shot" 2>/dev/null
    else
        import -window root "$shot"
    fi
    echo "screenshot: $shot"
    timeout 30 wine "$WAVA_BUILD_DIR/bin/WavaPlaylist.exe" -Q || true
    wineserver -w
fi
