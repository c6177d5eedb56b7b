#!/usr/bin/env bash
# Takes the README's pictures of the 看板 menu and of an upload in progress,
# on a virtual X server, uploading to a simulated board.
#
#   docs/board_screenshots.sh BUILD_DIR
set -euo pipefail

build=$(realpath "${1:?usage: board_screenshots.sh BUILD_DIR}")
docs=$(dirname "$(realpath "$0")")

if [ "${BOARD_SCREENSHOTS_INSIDE:-}" != 1 ]; then
  export BOARD_SCREENSHOTS_INSIDE=1
  exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" bash "$0" "$build"
fi

export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# The board, and the program set to upload to it with a cache of its own.
mkfifo "$work/board-in"
"$build/tests/board/simulated_mega" <"$work/board-in" >"$work/port" 2>/dev/null &
pids+=($!)
exec 3>"$work/board-in"
until [ -s "$work/port" ]; do sleep 0.1; done
mkdir -p "$work/config/award-banner"
printf '[board]\nport=%s\n' "$(cat "$work/port")" >"$work/config/award-banner/award-banner.conf"
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"

"$build/award-banner" &
pids+=($!)
window=
until [ -n "$window" ]; do
  sleep 0.2
  window=$(xdotool search --onlyvisible --pid "${pids[1]}" 2>/dev/null | head -n 1) || true
done
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
shot() { import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -strip -colors 256 PNG8:"$docs/$1"; }

xdotool mousemove --window "$window" 184 580 click 1   # Command1 fills Text3
sleep 1
xdotool key --window "$window" alt+b
sleep 0.5
xdotool key Down Down Right
sleep 0.5
shot board_menu.png
xdotool key Escape Escape Escape
sleep 0.3

# Once with the core cache cold, so that the picture's run compiles quickly.
# No window manager here gives the window its focus back after a menu or a
# dialog.
xdotool windowfocus --sync "$window"
xdotool key ctrl+r
sleep 8
xdotool windowfocus --sync "$window"
xdotool key ctrl+u
sleep 1.7
shot upload_progress.png
sleep 4
echo "pictures in $docs"
