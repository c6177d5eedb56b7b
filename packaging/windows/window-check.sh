#!/usr/bin/env bash
# window-check.sh PROGRAM SCREENSHOT [LINUX_COMMAND]
# Under Wine, on the X display already set: opens award-banner.exe with a
# banner file, presses the run button, exports the sketch with 匯出 Arduino
# 草稿 (Ctrl+E) and checks it is the one the Linux command (or, without one,
# the Windows command beside the program) writes for that banner; then keeps
# a picture of the window.
set -euo pipefail
program=$1 screenshot=$2 linux=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

. "$(dirname "$0")/await.sh"
window_of() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
shown() { [ -n "$(window_of "$1")" ]; }

banner='恭喜 全校同賀 第一名 '
printf '%s' "$banner" > "$work/名單.txt"
if [ -n "$linux" ]; then
  # The machine's fonts, the very files the Wine prefix holds.
  printf '%s' "$banner" | env -u FONTCONFIG_FILE "$linux" > "$work/expected.ino"
else
  printf '%s' "$banner" | wine "$(dirname "$program")/award-banner-sketch.exe" > "$work/expected.ino"
fi

wine "$program" "$(printf 'Z:%s' "${work//\//\\}")\\名單.txt" &
running=$!
await 120 shown 曜辰電子獎狀程式
window=$(window_of 曜辰電子獎狀程式)
xdotool windowmove --sync "$window" 0 0
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"

# The first run button sits 80 pixels in and about 580 down in the window,
# below the menu bar and the sketch area.
xdotool mousemove --window "$window" 80 580 click 1
xdotool key ctrl+e
await 60 shown 匯出
# The name field holds a suggested name; the typed path replaces it.
xdotool key End shift+Home
xdotool type --delay 20 "$(printf 'Z:%s' "${work//\//\\}")\\out"
xdotool key Return
await 60 test -s "$work/out/out.ino"
cmp "$work/out/out.ino" "$work/expected.ino"
echo "the window's sketch is the command's"
import -window "$window" "$screenshot"
# Closed as a user closes it; the banner is unchanged, so nothing is asked.
xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool key --window "$window" alt+F4
ended() { ! kill -0 "$running" 2>/dev/null; }
await 60 ended
