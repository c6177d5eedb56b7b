#!/usr/bin/env bash
# Draws the README's pictures of 小科游榮 in 標楷體 on the sign, regular and
# bold: the LEDs kept from before strokes were held together above, today's
# below.
#
#   docs/kai_strokes.sh BUILD_DIR
set -euo pipefail

build=$(realpath "${1:?usage: kai_strokes.sh BUILD_DIR}")
docs=$(dirname "$(realpath "$0")")
export QT_QPA_PLATFORM=offscreen
"$build/tests/kai_leds" 小科游榮 "$docs/kai_strokes_before.txt" "$docs/kai_strokes.png"
"$build/tests/kai_leds" --bold 小科游榮 "$docs/kai_strokes_before_bold.txt" "$docs/kai_strokes_bold.png"
