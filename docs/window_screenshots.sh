#!/usr/bin/env bash
# Takes the README's pictures of the window after a run, of the open dialog
# with its text file filter, of the 節目表 window playing an item in the LED
# preview, once a scrolling item and once the school's logo before 恭喜, and
# of the 看板接線 help page, for the school's sign and for the P10 panels, on
# a virtual X server.
#
#   docs/window_screenshots.sh BUILD_DIR
set -euo pipefail

build=$(realpath "${1:?usage: window_screenshots.sh BUILD_DIR}")
docs=$(dirname "$(realpath "$0")")

# Wide enough for the 節目表 window beside the main window.
if [ "${WINDOW_SCREENSHOTS_INSIDE:-}" != 1 ]; then
  export WINDOW_SCREENSHOTS_INSIDE=1
  exec xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp" bash "$0" "$build"
fi

export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
work=$(mktemp -d)
pid=
cleanup() {
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A teacher's folder of lists, a program among them, and settings of its own.
export HOME="$work/老師" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"
mkdir -p "$HOME/獎狀名單" "$XDG_CONFIG_HOME/award-banner"
printf '[General]\nlastFolder=%s\n' "$HOME/獎狀名單" >"$XDG_CONFIG_HOME/award-banner/award-banner.conf"
printf '王小明\n陳志豪\n林美玲\n' >"$HOME/獎狀名單/三年甲班.txt"
printf '全國技能競賽\n金牌\n' >"$HOME/獎狀名單/技能競賽.txt"
printf '校長\n家長會長\n' >"$HOME/獎狀名單/畢業典禮來賓.txt"
# The school's logo: a navy ring around a star on a transparent ground.
convert -size 64x64 xc:none -fill '#1b2f8f' -draw 'circle 32,32 32,2' -fill none \
        -draw 'fill white circle 32,32 32,10' -fill '#1b2f8f' \
        -draw 'polygon 32,14 37,27 50,27 40,35 44,49 32,41 20,49 24,35 14,27 27,27' \
        "$HOME/獎狀名單/校徽.png"
printf '\xef\xbb\xbf內容,顯示方式,停留秒數,速度,對齊,圖片,門檻,反相\r
恭喜,靜止,2.0,中,置中,校徽.png,自動,否\r
明德高工,靜止,2.0,中,靠左,,,\r
賀,閃爍,1.5,中,置中,,,\r
三年甲班,上移,1.5,快,置中,,,\r
恭喜王小明同學榮獲全國技能競賽金牌,左移,1.5,快,置中,,,\r
特此恭賀,靜止,1.0,中,置中,,,\r
' >"$HOME/獎狀名單/頒獎典禮.csv"

"$build/award-banner" 2>/dev/null &
pid=$!
window=
until [ -n "$window" ]; do
  sleep 0.2
  window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1) || true
done
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
menu=$((HEIGHT - 588))
main_x=$X main_y=$Y

# Crops the screen to a window, or to a rectangle given as WxH+X+Y; a palette
# of 256 colours keeps the pictures small and the strokes sharp. With
# --lit, the screen is taken again until the LED preview, dark between
# frames, shows a lit LED.
crop() {
  local tries=50 lit=1
  if [ "$1" = --lit ]; then lit=0; shift; fi
  import -window root "$work/screen.miff"
  while [ "$lit" != 1 ]; do
    [ $((tries -= 1)) -ge 0 ] || { echo "the LED preview stayed dark" >&2; return 1; }
    import -window root "$work/screen.miff"
    lit=$(convert "$work/screen.miff" -crop "360x60+$((main_x + 725))+$((main_y + 62))" +repage \
                  -format '%[fx:maxima.r > 0.6]' info:)
  done
  convert "$work/screen.miff" -crop "$2" +repage -strip -colors 256 PNG8:"$docs/$1"
}
crop_window() {
  local lit=()
  if [ "$1" = --lit ]; then lit=(--lit); shift; fi
  eval "$(xdotool getwindowgeometry --shell "$2")"
  crop "${lit[@]}" "$1" "${WIDTH}x${HEIGHT}+${X}+${Y}"
}
newest() { xdotool search --onlyvisible --pid "$pid" --name "$1" | tail -n 1; }
# No window manager here gives the main window its focus back after a dialog.
refocus() { xdotool windowfocus --sync "$window"; }

xdotool mousemove --window "$window" 184 $((560 + menu)) click 1   # Command1 fills Text3
crop_window --lit screenshot.png "$window"

refocus
xdotool key ctrl+o
sleep 1.5
dialog=$(newest 開啟橫幅文字)
crop_window open_dialog.png "$dialog"
xdotool windowfocus --sync "$dialog" key Escape
sleep 0.5

refocus
xdotool key alt+f Down Down Down Down Return   # 檔案 ▸ 開啟節目…
sleep 1.5
dialog=$(newest 開啟節目)
xdotool windowfocus --sync "$dialog"
xdotool type --delay 20 "$HOME/獎狀名單/頒獎典禮.csv"
xdotool key Return
sleep 1
refocus
xdotool key alt+p Return                       # 節目 ▸ 節目表…
sleep 1.5
program=$(newest 節目表)
eval "$(xdotool getwindowgeometry --shell "$program")"
# The preview's corner of the main window and the 節目表 window beside it.
left=$((main_x + 700))
xdotool mousemove --window "$program" 200 60 click 1    # the logo and 恭喜
sleep 1
crop --lit program_logo.png "$((X + WIDTH - left))x${HEIGHT}+${left}+${main_y}"
xdotool mousemove --window "$program" 200 205 click 1   # the 左移 item plays
sleep 1.9
crop --lit program_window.png "$((X + WIDTH - left))x${HEIGHT}+${left}+${main_y}"

refocus
xdotool key alt+h Down Return                  # 說明 ▸ 看板接線
sleep 1.5
crop_window wiring_help.png "$(newest 看板接線)"

refocus
xdotool key alt+b k Down Return                # 看板 ▸ 看板種類 ▸ P10 面板兩片（HUB12）
sleep 0.5
refocus
xdotool key alt+h Down Return                  # 說明 ▸ 看板接線, now of the panels
sleep 1.5
crop_window p10_wiring_help.png "$(newest 看板接線)"
echo "pictures in $docs"
