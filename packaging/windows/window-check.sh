#!/usr/bin/env bash
# window-check.sh PROGRAM SCREENSHOT
# Under Wine, on the X display already set: opens award-banner.exe with a
# banner file, presses the run button, exports the sketch with 匯出 Arduino
# 草稿 (Ctrl+E) and checks it is the one the command writes for that banner;
# then keeps a picture of the window.
set -euo pipefail
program=$1 screenshot=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

await() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@"; do
    [ $SECONDS -lt $end ] || { echo "gave up after ${limit} s waiting for: $*" >&2; return 1; }
    sleep 0.2
  done
}
window_of() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
shown() { [ -n "$(window_of "$1")" ]; }

banner='恭喜 全校同賀 第一名 '
printf '%s' "$banner" > "$work/名單.txt"
printf '%s' "$banner" | wine "$(dirname "$program")/award-banner-sketch.exe" > "$work/expected.ino"

wine "$program" "$(printf 'Z:%s' "${work//\//\\}")\\名單.txt" &
await 120 shown 曜辰電子獎狀程式
window=$(window_of 曜辰電子獎狀程式)
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"

# The run button sits at (40, 544) of the window's client area, below the menu bar.
read -r wx wy < <(xdotool getwindowgeometry --shell "$window" | sed -n 's/^[XY]=//p' | tr '\n' ' ')
xdotool mousemove $((wx + 80)) $((wy + 24 + 560)) click 1
xdotool key ctrl+e
await 60 shown 匯出
xdotool type --delay 20 "$(printf 'Z:%s' "${work//\//\\}")\\out"
xdotool key Return
await 60 test -s "$work/out/out.ino"
cmp "$work/out/out.ino" "$work/expected.ino"
echo "the window's sketch is the command's"
import -window root "$screenshot"
xdotool windowclose "$window" 2>/dev/null || xdotool key --window "$window" alt+F4
