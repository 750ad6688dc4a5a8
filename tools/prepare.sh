# Sourced by the scripts that run programs under Wine, after they set root
# and WAVA_BUILD_DIR: installs what is missing, builds, and makes a display
# and the build's Wine prefix ready (both stop with the calling shell).
bash "$root/tools/setup.sh"
bash "$root/tools/build.sh"

. "$root/tools/display.sh"
wava_ensure_display
. "$root/tools/wine-env.sh"
wava_prefix_ready
