#!/usr/bin/env bash
# Starts the program on a virtual X server as a user would see it, checks the
# window's caption and size, presses the first run button and waits for the
# phrase to appear in pic, takes screenshots, presses every menu shortcut with
# the cursor in each text field (each must do its command and leave the text
# as it was), copies, then presses 結束 and expects the program to end by
# itself with status 0.
#
#   real_window_check.sh PROGRAM OUTPUT_DIR
set -euo pipefail

program=${1:?usage: real_window_check.sh PROGRAM OUTPUT_DIR}
out_dir=${2:?usage: real_window_check.sh PROGRAM OUTPUT_DIR}

if [ "${REAL_WINDOW_CHECK_INSIDE:-}" != 1 ]; then
  missing=()
  for tool in xvfb-run xauth xdotool import compare timeout pgrep; do
    command -v "$tool" >/dev/null || missing+=("$tool")
  done
  if [ ${#missing[@]} -ne 0 ]; then
    echo "missing tools: ${missing[*]} (Debian packages xvfb, xauth, xdotool, imagemagick)" >&2
    exit 1
  fi
  mkdir -p "$out_dir"
  export REAL_WINDOW_CHECK_INSIDE=1
  exec timeout --kill-after=10 280 \
    xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" bash "$0" "$program" "$out_dir"
fi

export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR

caption='曜辰電子獎狀程式：請任意輸入文字 每句至多4個中文字 每句以1個空白分開，執行程式，複製程式，然後貼到Arduino編譯'
log="$out_dir/real_window_check.log"

# Settings of its own, with a port that is a terminal but no board: avrdude
# waits there for a bootloader that never answers, for a few seconds, long
# enough to be seen at work however loaded the machine is.
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
mkdir -p "$XDG_CONFIG_HOME/award-banner"
printf '[board]\nport=/dev/ptmx\n' >"$XDG_CONFIG_HOME/award-banner/award-banner.conf"

"$program" >"$log" 2>&1 &
pid=$!

fail() {
  echo "real window check: $*" >&2
  import -window root "$out_dir/failure.png" 2>/dev/null || true
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  echo "--- program output:" >&2
  cat "$log" >&2 || true
  exit 1
}

# Polls a command every tenth of a second for up to $1 seconds.
wait_for() {
  local seconds=$1; shift
  local tries=$((seconds * 10))
  while [ "$tries" -gt 0 ]; do
    if "$@"; then return 0; fi
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
    tries=$((tries - 1))
  done
  return 1
}

window=
find_window() {
  window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1) || true
  [ -n "$window" ]
}
wait_for 30 find_window || fail "no window appeared"

name=$(xdotool getwindowname "$window")
[ "$name" = "$caption" ] || fail "caption is '$name'"

# The client area is 1101 x 588; the menu bar above it adds one line of text.
geometry=$(xdotool getwindowgeometry --shell "$window")
width=$(sed -n 's/^WIDTH=//p' <<<"$geometry")
height=$(sed -n 's/^HEIGHT=//p' <<<"$geometry")
menu=$((height - 588))
[ "$width" = 1101 ] && [ "$menu" -ge 15 ] && [ "$menu" -le 40 ] \
  || fail "window geometry is $(tr '\n' ' ' <<<"$geometry")"

# Where a control's middle is, in client-area coordinates.
# Clicks are kept further apart than a double click, which would select text.
click() { sleep 0.6; xdotool mousemove --window "$window" "$1" $(($2 + menu)) click 1; }

# pic's drawing area lies inside its 2-pixel border at (16, 48).
pic_has_ink() {
  local darkest
  darkest=$(import -window "$window" -crop 77x29+18+$((50 + menu)) +repage -colorspace gray \
                   -format '%[fx:minima]' info: 2>/dev/null) || return 1
  [ "$darkest" = 0 ]
}

sleep 1
import -window root "$out_dir/form1_start.png"
pic_has_ink && fail "pic is not blank at the start"

click 184 560   # Command1
wait_for 20 pic_has_ink || fail "no phrase appeared in pic after Command1"
sleep 0.5
import -window root "$out_dir/form1_after_run.png"

# A field's pixels; the caret's blinking may differ, a changed text cannot.
field_shot() { import -window "$window" -crop "$2" +repage "$out_dir/$1.png"; }
field_unchanged() { [ "$(compare -metric AE "$out_dir/$1.png" "$out_dir/$2.png" null: 2>&1)" -le 80 ] 2>/dev/null; }
has_child() { pgrep -P "$pid" >/dev/null; }
no_child() { ! has_child; }
dialog() { xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null | grep -vx "$window"; }

# Each field: its name, its middle and its rectangle, in client coordinates.
for field in "Text4 400 24 801 33 16 8" "Text3 500 300 1025 409 24 120"; do
  read -r name x y w h left top <<<"$field"
  # Inside the frame, which shows whether the window is active.
  crop="$((w - 8))x$((h - 8))+$((left + 4))+$((top + menu + 4))"
  click "$x" "$y"
  sleep 0.3
  field_shot "$name-before" "$crop"
  for keys in ctrl+u ctrl+r; do   # an upload runs avrdude, a compile the compiler
    click "$x" "$y"
    xdotool key "$keys"
    wait_for 30 has_child || fail "$keys in $name started no board tool"
    wait_for 120 no_child || fail "$keys in $name: the board tool did not end"
    sleep 1
  done
  for shortcut in "ctrl+o:開啟橫幅文字" "ctrl+s:另存新檔" "ctrl+e:匯出 Arduino 草稿"; do
    keys=${shortcut%%:*}; title=${shortcut#*:}
    click "$x" "$y"
    xdotool key "$keys"
    wait_for 30 dialog "$title" >/dev/null || fail "$keys in $name opened no '$title' dialog"
    xdotool windowfocus --sync "$(dialog "$title" | head -n 1)" key Escape
    wait_for 10 eval '! dialog "$title" >/dev/null' || fail "the '$title' dialog did not close"
  done
  sleep 0.3
  field_shot "$name-after" "$crop"
  field_unchanged "$name-before" "$name-after" || fail "the menu shortcuts changed the text of $name"
done

click 324 560   # Command2: the program now owns the clipboard as it ends
sleep 0.5
click 448 560   # Command3

ended() { ! kill -0 "$pid" 2>/dev/null; }
tries=200
while ! ended && [ "$tries" -gt 0 ]; do sleep 0.1; tries=$((tries - 1)); done
ended || fail "still running 20 s after Command3"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "ended with status $status"
echo "real window check: caption, size, run, copy and exit as expected; screenshots in $out_dir"
