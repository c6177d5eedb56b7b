#!/usr/bin/env bash
# Starts the program on a 1366 x 768 virtual screen at 150 % scaling, where the
# window at its natural size would not fit, and expects it to fit the screen
# and 結束 (Command3) to be reached with the mouse: scrolled to, then clicked,
# after which the program must end with status 0.
#
#   scaled_window_check.sh PROGRAM OUTPUT_DIR
set -euo pipefail

program=${1:?usage: scaled_window_check.sh PROGRAM OUTPUT_DIR}
out_dir=${2:?usage: scaled_window_check.sh PROGRAM OUTPUT_DIR}
scale=1.5

if [ "${SCALED_WINDOW_CHECK_INSIDE:-}" != 1 ]; then
  mkdir -p "$out_dir"
  export SCALED_WINDOW_CHECK_INSIDE=1
  exec timeout --kill-after=10 100 \
    xvfb-run -a -s "-screen 0 1366x768x24 -nolisten tcp" bash "$0" "$program" "$out_dir"
fi

export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
export QT_SCALE_FACTOR=$scale
log="$out_dir/scaled_window_check.log"

"$program" >"$log" 2>&1 &
pid=$!

fail() {
  echo "scaled window check: $*" >&2
  import -window root "$out_dir/scaled_failure.png" 2>/dev/null || true
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  cat "$log" >&2 || true
  exit 1
}

window=
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1) || true
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window appeared"
sleep 1

eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1366 ] && [ $((Y + HEIGHT)) -le 768 ] \
  || fail "window at ${X},${Y} size ${WIDTH}x${HEIGHT} does not fit 1366x768"

# Scrolled to the bottom right, the client area's bottom-right corner meets
# the scroll area's, inside its scroll bars. Command3's middle is 653 and 28
# logical pixels left of and above the client area's corner.
xdotool mousemove --window "$window" $((WIDTH / 2)) $((HEIGHT / 2))
xdotool click --repeat 30 --delay 20 5   # down
xdotool click --repeat 60 --delay 20 7   # right
sleep 0.5
import -window root "$out_dir/scaled_window.png"
bar=$(awk "BEGIN { print int(16 * $scale) }")
x=$(awk "BEGIN { print int($WIDTH - $bar - 653 * $scale) }")
y=$(awk "BEGIN { print int($HEIGHT - $bar - 28 * $scale) }")
xdotool mousemove --window "$window" "$x" "$y" click 1

for _ in $(seq 200); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "clicking where Command3 should be did not end the program"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "ended with status $status"
echo "scaled window check: the window fits 1366x768 at ${scale}x and Command3 was clicked"
