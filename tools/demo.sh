#!/usr/bin/env bash
# Builds the tool and starts it, through the companion program, on a demo
# player drive (a generated folder mapped as a removable drive letter).
# With a display the tool stays open until you close it; without one it runs
# under a private Xvfb, saves four screenshots and closes the tool: the
# window with a folder's files in the playlist (build/demo-screenshot.png, or
# the path in WAVA_SCREENSHOT), a drag into the playlist with its insertion
# mark (build/demo-drag.png, or WAVA_DRAG_SCREENSHOT), the playlist's context
# menu (build/demo-menu.png, or WAVA_MENU_SCREENSHOT), and an older playlist
# of the player opened, with its missing entries marked (build/demo-open.png,
# or WAVA_OPEN_SCREENSHOT).
# WAVA_DEMO_DPI=144 runs it at that display DPI, in a prefix of its own
# (the pictures then end in -144dpi). WAVA_DEMO_LANG=de runs it under a
# German user interface, also in a prefix of its own (the pictures then end
# in -de); the tool takes the language from the system, as on Windows.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WAVA_BUILD_DIR="${WAVA_BUILD_DIR:-$root/build}"
bash "$root/tools/setup.sh"
bash "$root/tools/build.sh"

had_display="${DISPLAY:-}"
. "$root/tools/display.sh"
wava_ensure_display
# The demo has a prefix of its own, so that it never meets a test run.
suffix=""
if [ -n "${WAVA_DEMO_DPI:-}" ]; then
    suffix="-${WAVA_DEMO_DPI}dpi"
    export WAVA_LOGPIXELS="$WAVA_DEMO_DPI"
fi
if [ -n "${WAVA_DEMO_LANG:-}" ]; then
    suffix="$suffix-$WAVA_DEMO_LANG"
    # Wine takes the user's interface language from the locale.
    export LC_ALL="${WAVA_DEMO_LANG}_${WAVA_DEMO_LANG^^}.UTF-8"
fi
export WAVA_WINEPREFIX="$WAVA_BUILD_DIR/demo-wineprefix$suffix"
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
    # The pointer away from the lists, so that no name tip shows.
    xdotool mousemove 5 5
    sleep 1
    shot="${WAVA_SCREENSHOT:-$WAVA_BUILD_DIR/demo-screenshot$suffix.png}"
    drag_shot="${WAVA_DRAG_SCREENSHOT:-$WAVA_BUILD_DIR/demo-drag$suffix.png}"
    # The tool's window with the window manager's frame and title.
    take_shot() {
        local win
        win="$(xdotool search --onlyvisible --name '^Wava Playlist$' 2>/dev/null | head -n 1)"
        if [ -n "$win" ]; then
            import -frame -window "$win" "$1" 2>/dev/null
        else
            import -window root "$1"
        fi
        echo "screenshot: $1"
    }
    take_shot "$shot"

    # A file of the next album dragged over the playlist with the real
    # pointer; the picture is taken while the button is held.
    read -r fx fy tx ty < <(timeout 30 wine "$companion" demo-drag-points | tr -d '\r')
    xdotool mousemove "$fx" "$fy" mousedown 1
    sleep 0.3
    xdotool mousemove $((fx + 10)) $((fy + 4))
    sleep 0.3
    xdotool mousemove $(((fx + tx) / 2)) $(((fy + ty) / 2))
    sleep 0.3
    xdotool mousemove "$tx" "$ty"
    sleep 1
    take_shot "$drag_shot"
    # Released back over the source list, the drag ends without a drop.
    xdotool mousemove "$fx" "$fy"
    sleep 0.3
    xdotool mouseup 1
    sleep 0.5

    # The playlist's context menu, opened with the right button on an entry.
    menu_shot="${WAVA_MENU_SCREENSHOT:-$WAVA_BUILD_DIR/demo-menu$suffix.png}"
    # Near the entry's left end, so that the menu opens within the window.
    xdotool mousemove $((tx - 50)) $((ty + 6)) click 3
    sleep 1
    # The menu is a window of its own over the tool's: the picture is cut
    # from the whole screen where the tool's frame stands. xdotool reports a
    # reparented window's place with the frame's borders counted twice; the
    # bottom border is as wide as the side ones.
    take_shot "$menu_shot"
    win="$(xdotool search --onlyvisible --name '^Wava Playlist$' 2>/dev/null | head -n 1 || true)"
    if [ -n "$win" ]; then
        eval "$(xdotool getwindowgeometry --shell "$win")"
        read -r fw fh < <(identify -format '%w %h\n' "$menu_shot")
        border=$(((fw - WIDTH) / 2))
        top=$((fh - HEIGHT - border))
        import -window root -crop "${fw}x${fh}+$((X - 2 * border))+$((Y - 2 * top))" +repage "$menu_shot"
    fi
    xdotool key Escape
    sleep 0.3

    # An older playlist of the player opened through the Open dialog.
    open_shot="${WAVA_OPEN_SCREENSHOT:-$WAVA_BUILD_DIR/demo-open$suffix.png}"
    timeout 60 wine "$companion" demo-open Evening.m3u
    xdotool mousemove 5 5
    sleep 3
    take_shot "$open_shot"
    timeout 30 wine "$WAVA_BUILD_DIR/bin/WavaPlaylist.exe" -Q || true
    wineserver -w
fi
