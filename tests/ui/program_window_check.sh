#!/usr/bin/env bash
# A teacher's afternoon with the program on a virtual X server, by keyboard
# and mouse as a user gives them:
#   - opens a Big5 list, types " 趙子涵 " at the end of the field (each phrase
#     followed by a space), saves with Ctrl+S: the file gains the name and no
#     blank line;
#   - opens a FIFO as a program: refused at once;
#   - opens a program whose item holds 40,000 characters, types X at its end,
#     deletes the item and saves, undoes the delete with Ctrl+Z and saves
#     again: every character is kept;
#   - adds an item and drags it above the first, then 結束 and the close
#     button both ask about it, and 儲存 saves it before the program ends;
#   - uploads 1,500 phrases to a simulated Mega, killed midway: the upload
#     ends within 10 s of the board's silence.
#
#   program_window_check.sh PROGRAM CLOSE_WINDOW SIMULATED_MEGA OUTPUT_DIR
set -euo pipefail

usage="usage: program_window_check.sh PROGRAM CLOSE_WINDOW SIMULATED_MEGA OUTPUT_DIR"
program=${1:?$usage}
close_window=${2:?$usage}
simulated_mega=${3:?$usage}
out_dir=${4:?$usage}

if [ "${PROGRAM_WINDOW_CHECK_INSIDE:-}" != 1 ]; then
  mkdir -p "$out_dir"
  export PROGRAM_WINDOW_CHECK_INSIDE=1
  exec timeout --kill-after=10 400 \
    xvfb-run -a -s "-screen 0 1366x768x24 -nolisten tcp" bash "$0" "$@"
fi

export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
work=$(mktemp -d)
XDG_CONFIG_HOME=$work/config
export XDG_CONFIG_HOME
pid=
board=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "$board" ] && kill "$board" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
log="$out_dir/program_window_check.log"
: >"$log"

fail() {
  echo "program window check: $*" >&2
  import -window root "$out_dir/program_check_failure.png" 2>/dev/null || true
  echo "--- program output:" >&2
  cat "$log" >&2 || true
  exit 1
}
step() { echo "program window check: $*"; }

# Polls a command every tenth of a second for up to $1 seconds.
wait_for() {
  local tries=$(($1 * 10)); shift
  while [ "$tries" -gt 0 ]; do
    if "$@"; then return 0; fi
    sleep 0.1
    tries=$((tries - 1))
  done
  return 1
}
running() { kill -0 "$pid" 2>/dev/null; }
ended() { ! running; }
# pic's drawing area, inside its 2-pixel border at (16, 48), shows a phrase
# once a run has ended.
pic_has_ink() {
  local darkest
  darkest=$(import -window "$window" -crop 77x29+18+$((50 + menu)) +repage -colorspace gray \
                   -format '%[fx:minima]' info: 2>/dev/null) || return 1
  [ "$darkest" = 0 ]
}
# The program's avrdude has written at least $1 bytes: past the board's
# sign-on, into the pages of flash.
avrdude_wrote() {
  local tool written
  tool=$(pgrep -P "$pid" -x avrdude | head -n 1) || return 1
  written=$(sed -n 's/^wchar: //p' "/proc/$tool/io" 2>/dev/null) || return 1
  [ "${written:-0}" -ge "$1" ]
}
window=
find_window() {
  window=$(xdotool search --onlyvisible --pid "$pid" --name '曜辰電子獎狀程式' 2>/dev/null | head -n 1) || true
  [ -n "$window" ]
}
dialog() { xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null | grep -vx "$window" | head -n 1; }
has_dialog() { [ -n "$(dialog "$1")" ]; }
no_dialog() { ! has_dialog "$1"; }
# Keys into whichever window has the focus, as typed, after it has settled.
# xdotool types a character without a key of its own through a spare key it
# maps for the moment, so a text ends with one that has a key.
keys() { sleep 0.4; xdotool key --delay 60 "$@"; }
type_text() { sleep 0.4; xdotool type --delay 40 "$1"; }
focus() { xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"; sleep 0.3; }
start() {
  "$program" "$@" >>"$log" 2>&1 &
  pid=$!
  wait_for 30 find_window || fail "no window appeared"
  # The client area is 588 high; the menu bar above it adds the rest.
  menu=$(($(xdotool getwindowgeometry --shell "$window" | sed -n 's/^HEIGHT=//p') - 588))
  focus "$window"
}
# A click at a control's middle, in client-area coordinates.
click() { sleep 0.6; xdotool mousemove --window "$window" "$1" $(($2 + menu)) click 1; }
# 檔案 ▸ the item N places above 結束, the last.
file_menu_from_end() {
  focus "$window"
  keys alt+f
  for _ in $(seq "$1"); do keys Up; done
  keys Return
}
# Types a path into the file dialog that has the focus.
choose_file() {
  wait_for 15 has_dialog "$1" || fail "no '$1' dialog"
  focus "$(dialog "$1")"
  keys ctrl+a
  type_text "$2"
  keys Return
}
cells() {  # the 內容 of each item of a saved program, one per line, as its length and last character
  python3 - "$1" <<'EOF'
import csv, sys
with open(sys.argv[1], encoding="utf-8-sig", newline="") as f:
    rows = list(csv.reader(f))[1:]
for row in rows:
    print(len(row[0]), row[0][-1:])
EOF
}

# The list as a teacher keeps it: Big5, one name per line, CR LF.
list=$work/names.txt
printf '劉美玲\r\n陳怡君\r\n' | iconv -f UTF-8 -t BIG5 >"$list"
program_file=$work/long.csv
python3 - "$program_file" <<'EOF'
import sys
with open(sys.argv[1], "w", encoding="utf-8", newline="") as f:
    f.write("內容,顯示方式,停留秒數,速度,對齊\r\n" + "賀" * 40000 + ",左移,,,\r\n")
EOF
mkfifo "$work/fifo.csv"

start "$list"

step "an appended name saves without a blank line"
click 400 24   # Text4
keys End
type_text " 趙子涵 "
before=$(md5sum <"$list")
keys ctrl+s
wait_for 10 eval '[ "$(md5sum <"$list")" != "$before" ]' || fail "Ctrl+S did not save the list"
expected=$(printf '劉美玲\r\n陳怡君\r\n趙子涵' | iconv -f UTF-8 -t BIG5 | od -An -tx1)
got=$(od -An -tx1 <"$list")
case "$(tr -d ' \n' <<<"$got")" in
  "$(tr -d ' \n' <<<"$expected")"|"$(tr -d ' \n' <<<"$expected")0d0a") ;;
  *) fail "the list saved as $(iconv -f BIG5 -t UTF-8 <"$list" | od -c | head -5)" ;;
esac

step "a FIFO opened as a program is refused at once"
file_menu_from_end 3   # 開啟節目…
started=$(date +%s)
choose_file 開啟節目 "$work/fifo.csv"
wait_for 5 has_dialog '無法開啟節目' || fail "opening a FIFO was not refused within 5 s"
[ $(($(date +%s) - started)) -le 6 ] || fail "the FIFO took $(($(date +%s) - started)) s to refuse"
import -window root "$out_dir/program_check_fifo.png"
focus "$(dialog '無法開啟節目')"
keys Return
wait_for 10 no_dialog '無法開啟節目' || fail "the refusal did not close"

step "a 40,000-character cell edited keeps every character; Ctrl+Z undoes a delete"
file_menu_from_end 3
choose_file 開啟節目 "$program_file"
wait_for 15 has_dialog '節目表' || fail "the 節目表 did not open"
program_window=$(dialog '節目表')
# On the 1366 x 768 screen, every column and button in sight.
eval "$(xdotool getwindowgeometry --shell "$program_window")"
[ $((X + WIDTH)) -le 1366 ] && [ $((Y + HEIGHT)) -le 768 ] \
  || fail "the 節目表 reaches past the screen: ${WIDTH}x${HEIGHT} at $X,$Y"
program_x=$X program_y=$Y
focus "$program_window"
keys F2
keys End
type_text X
keys Return
keys Delete
file_menu_from_end 2   # 儲存節目…
choose_file 儲存節目 "$work/deleted.csv"
wait_for 10 test -s "$work/deleted.csv" || fail "the program without its item was not saved"
focus "$program_window"
keys ctrl+z
file_menu_from_end 2
choose_file 儲存節目 "$work/saved.csv"
wait_for 10 test -s "$work/saved.csv" || fail "the program was not saved after Ctrl+Z"
[ -z "$(cells "$work/deleted.csv")" ] || fail "Delete left $(cells "$work/deleted.csv")"
[ "$(cells "$work/saved.csv")" = "40001 X" ] || fail "the saved cell is $(cells "$work/saved.csv")"

step "結束 and the close button ask about unsaved program edits"
focus "$program_window"
keys Insert
type_text 賀X
keys Return
# The new second row dragged above the first by its 內容 cell.
# Rows are 30 pixels high below a header of 25, inside the window's margin of 11.
row_height=30
sleep 0.6
xdotool mousemove $((program_x + 150)) $((program_y + 11 + 25 + 3 * row_height / 2)) mousedown 1
for dy in 8 16 24 32 40; do sleep 0.1; xdotool mousemove $((program_x + 150)) $((program_y + 11 + 25 + 3 * row_height / 2 - dy)); done
sleep 0.3
xdotool mouseup 1
import -window root "$out_dir/program_check_edited.png"
focus "$window"
click 448 560   # Command3, 結束
wait_for 10 has_dialog '結束' || fail "結束 did not ask about the program"
focus "$(dialog '結束')"
keys Escape   # 取消
wait_for 10 no_dialog '結束' || fail "the question did not close"
sleep 1
running || fail "取消 did not keep the program running"
"$close_window" "$window"
wait_for 10 has_dialog '結束' || fail "the close button did not ask about the program"
focus "$(dialog '結束')"
keys Return   # 儲存, into the file last saved
wait_for 20 ended || fail "儲存 did not end the program"
[ "$(cells "$work/saved.csv" | tr '\n' ' ')" = "2 X 40001 X " ] \
  || fail "儲存 on closing saved $(cells "$work/saved.csv" | tr '\n' ' ')"

step "an upload to a board killed midway ends within 10 s"
mkdir -p "$XDG_CONFIG_HOME/award-banner"
coproc BOARD { exec "$simulated_mega"; }
board=$BOARD_PID
read -r port <&"${BOARD[0]}" || fail "the simulated Mega gave no port"
printf '[board]\nport=%s\n' "$port" >"$XDG_CONFIG_HOME/award-banner/award-banner.conf"
banner=$work/banner.txt
for i in $(seq 1500); do printf '第%d名\n' "$i"; done >"$banner"
start "$banner"
click 184 560   # Command1
wait_for 30 pic_has_ink || fail "the run of 1,500 phrases drew nothing in pic"
keys ctrl+u
wait_for 60 has_dialog '看板' || fail "no upload progress appeared"
wait_for 60 avrdude_wrote 16384 || fail "avrdude wrote no page to the board"
kill "$board"
killed=$(date +%s)
wait_for 15 no_dialog '看板' || fail "the upload was still going 15 s after the board went"
took=$(($(date +%s) - killed))
[ "$took" -le 11 ] || fail "the upload took $took s to end after the board went"
import -window root "$out_dir/program_check_upload_lost.png"
step "all as expected (the killed upload ended after $took s); screenshots in $out_dir"
