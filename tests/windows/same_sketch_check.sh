#!/usr/bin/env bash
# same_sketch_check.sh EMULATOR WINDOWS_COMMAND LINUX_COMMAND GOLDEN_DIR
# Runs the Windows command under the emulator and compares its standard
# output and exit status with the reviewed sketch and with the Linux command.
set -uo pipefail
emulator=$1 windows=$2 linux=$3 golden=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

sample='賀 本校 資訊科 三年甲班 陳怡君同學 參加 全國技能競賽 榮獲 程式設計 第一名 指導老師 林建宏 黃淑芬 恭喜 全校同賀 '
printf '\xef\xbb\xbf內容,顯示方式,停留秒數,速度,對齊\r\n恭喜,靜止,1.5,中,置中\r\n全校同賀,左移,1,快,靠左\r\n第一名,上移,2,慢,置中\r\n' \
  > "$work/節目.csv"

# name|input|options (words split on spaces)
rows=(
  "sample|$sample|"
  "kai bold row 1|恭喜 賀 |--font 標楷體 --bold --first-row 1"
  "kai bold italic|資訊科 機械科 小 游泳 |--font 標楷體 --bold --italic"
  "ming bold italic|三年丁班 品學兼優 |--bold --italic"
  "italic marquee|全校同賀 恭喜 |--marquee --speed fast --italic"
  "program named in Chinese|unused|--program $work/節目.csv --font 標楷體"
  "P10 panels on an Uno, dimmed|恭喜 賀 |--sign p10 --board uno --brightness 3"
  "P10 panels on a Mega, a marquee|全校同賀 |--sign p10 --marquee"
  "the school's sign on an Uno|恭喜 |--board uno"
  "unknown option|恭喜 |--no-such-option"
)

run() {  # run NAME SIDE INPUT COMMAND... -> $work/NAME.SIDE.{out,status}
  local name=$1 side=$2 input=$3; shift 3
  printf '%s' "$input" | "$@" > "$work/$name.$side.out" 2>/dev/null
  echo $? > "$work/$name.$side.status"
}

for row in "${rows[@]}"; do
  IFS='|' read -r name input options <<<"$row"
  read -ra words <<<"$options"
  key=${name// /_}
  # shellcheck disable=SC2086
  run "$key" windows "$input" $emulator "$windows" "${words[@]}"
  if [ -n "$linux" ]; then
    # The Linux command finds the very files the Wine prefix holds through the
    # machine's own fontconfig, not the empty one that hides them from Wine.
    run "$key" linux "$input" env -u FONTCONFIG_FILE "$linux" "${words[@]}"
    if ! cmp -s "$work/$key.windows.out" "$work/$key.linux.out" ||
       ! cmp -s "$work/$key.windows.status" "$work/$key.linux.status"; then
      echo "FAIL $name: the Windows command's output or status differs from Linux's"
      cmp "$work/$key.windows.out" "$work/$key.linux.out" | head -1
      echo "  status windows $(cat "$work/$key.windows.status"), linux $(cat "$work/$key.linux.status")"
      failed=1
      continue
    fi
  fi
  echo "ok   $name (status $(cat "$work/$key.windows.status"), $(wc -c < "$work/$key.windows.out") bytes)"
done

# The same mistake, in the names each system gives it, is told in the same
# words with the same status: the target aside, and the serial port a
# message gives as an example.
# name|windows options|linux options (words split on spaces)
mistakes=(
  "upload to a folder|--upload C:\\windows|--upload /tmp"
  "upload to a file|--upload C:\\windows\\win.ini|--upload /etc/passwd"
  "hex to a folder|--hex C:\\windows|--hex /tmp"
  "hex to NUL|--hex NUL|--hex /dev/null"
  "hex to CON|--hex CON|--hex /dev/zero"
  "hex to COM1|--hex COM1|--hex /dev/full"
  "hex to AUX with an extension|--hex C:\\aux.hex|--hex /dev/random"
)
said() {  # said NAME SIDE TARGET -> what that side said, the target named TARGET
  local text
  text=$(tr -d '\r' < "$work/$1.$2.err")
  text=${text//"$3"/TARGET}
  printf '%s\n' "${text//\/dev\/ttyACM0/COM3}"
}
# The port is looked at before avrdude runs, so the build's command, which
# has no avrdude.exe beside it, gets an empty stand-in.
mkdir -p "$work/with-avrdude"
cp "$windows" "$work/with-avrdude/"
: > "$work/with-avrdude/avrdude.exe"
if [ -n "$linux" ]; then
  for row in "${mistakes[@]}"; do
    IFS='|' read -r name windows_options linux_options <<<"$row"
    read -ra windows_words <<<"$windows_options"
    read -ra linux_words <<<"$linux_options"
    key=${name// /_}
    printf '恭喜 ' | $emulator "$work/with-avrdude/$(basename "$windows")" "${windows_words[@]}" \
      > /dev/null 2> "$work/$key.windows.err"
    windows_status=$?
    printf '恭喜 ' | env -u FONTCONFIG_FILE "$linux" "${linux_words[@]}" > /dev/null 2> "$work/$key.linux.err"
    linux_status=$?
    windows_said=$(said "$key" windows "${windows_words[1]}")
    linux_said=$(said "$key" linux "${linux_words[1]}")
    if [ "$windows_status" != "$linux_status" ] || [ "$windows_said" != "$linux_said" ]; then
      echo "FAIL $name: Windows says (status $windows_status)"
      echo "$windows_said" | sed 's/^/    /'
      echo "  where Linux says (status $linux_status)"
      echo "$linux_said" | sed 's/^/    /'
      failed=1
      continue
    fi
    echo "ok   $name (status $windows_status): $(tail -1 <<<"$windows_said")"
  done
fi

if ! cmp -s "$work/sample.windows.out" "$golden/sample_notice_ming_row3.ino"; then
  echo "FAIL sample: differs from the reviewed sketch"
  cmp "$work/sample.windows.out" "$golden/sample_notice_ming_row3.ino" | head -1
  failed=1
fi
exit $failed
