#!/usr/bin/env bash
# On a 1366 x 768 screen at 150 %, where the window at its natural size would
# not fit: it must fit, and 結束 (Command3), scrolled to and clicked with the
# mouse, must end the program with status 0.
#
#   scaled_window_check.sh PROGRAM OUTPUT_DIR
set -euo pipefail
program=${1:?usage: scaled_window_check.sh PROGRAM OUTPUT_DIR}
out_dir=${2:?usage: scaled_window_check.sh PROGRAM OUTPUT_DIR}
if [ "${SCALED_WINDOW_CHECK_INSIDE:-}" != 1 ]; then
  mkdir -p "$out_dir"
  export SCALED_WINDOW_CHECK_INSIDE=1
  exec timeout --kill-after=10 100 xvfb-run -a -s "-screen 0 1366x768x24 -nolisten tcp" bash "$0" "$program" "$out_dir"
fi
export LC_ALL=C.UTF-8 QT_SCALE_FACTOR=1.5
unset QT_QPA_PLATFORM QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR

"$program" >"$out_dir/scaled_window_check.log" 2>&1 &
pid=$!
fail() { echo "scaled window check: $*" >&2; import -window root "$out_dir/scaled_failure.png" || true; kill "$pid"; exit 1; }
window=
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1) || true
  [ -n "$window" ] && break || sleep 0.1
done
[ -n "$window" ] || fail "no window appeared"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1366 ] && [ $((Y + HEIGHT)) -le 768 ] \
  || fail "window at $X,$Y size ${WIDTH}x$HEIGHT does not fit 1366x768"

# Scrolled to the end both ways, the client area's bottom-right corner sits
# inside the scroll bars (16 logical pixels); Command3's middle is 653 and 28
# logical pixels left of and above that corner.
xdotool mousemove --window "$window" $((WIDTH / 2)) $((HEIGHT / 2)) click --repeat 30 5 click --repeat 60 7
sleep 0.5
import -window root "$out_dir/scaled_window.png"
xdotool mousemove --window "$window" $((WIDTH - (16 + 653) * 3 / 2)) $((HEIGHT - (16 + 28) * 3 / 2)) click 1
for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null && sleep 0.1 || break; done
kill -0 "$pid" 2>/dev/null && fail "clicking where Command3 should be did not end the program"
wait "$pid" || fail "ended with status $?"
echo "scaled window check: the window fits 1366x768 at 150 % and Command3 was clicked"
