#!/usr/bin/env bash
# Runs the Windows build's tests under Wine, in a prefix of its own that sees
# no font of this machine but Debian's AR PL UMing and UKai, copied into its
# fonts folder as a Windows PC without 新細明體 and 標楷體 would have them:
#   the core tests and the command's output, through CTest;
#   the installer, installed silently, its shortcuts and the installed
#   command checked, then uninstalled;
#   an upload by the installed command through a COM port to a simulated Mega;
#   the window, opened from its Start-menu entry and with a banner file on a
#   virtual X server in a Chinese locale.
#   bash packaging/windows/test-under-wine.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build-windows
. "$root/.ci/stage.sh"
eval "$(bash "$root/packaging/windows/build-deps.sh" | grep '^AWARD_WIN_')"

export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
# A Chinese locale of the tests' own, so that Wine runs with Traditional
# Chinese as its language and code page 950, and hands Chinese arguments on
# intact, on a machine whose system locales are untouched.
if [ ! -f "$build/locale/zh_TW.UTF-8/LC_CTYPE" ]; then
  mkdir -p "$build/locale"
  localedef -i zh_TW -f UTF-8 "$build/locale/zh_TW.UTF-8"
fi
# The shell itself reads LOCPATH only as it starts.
[ "${LOCPATH:-}" = "$build/locale" ] || LOCPATH=$build/locale exec bash "$0" "$@"
export LANG=zh_TW.UTF-8 LC_ALL=zh_TW.UTF-8
# Wine reads the host's fonts through fontconfig; a configuration naming no
# folder leaves it only those in the prefix.
mkdir -p "$build/fontconfig-empty"
printf '<?xml version="1.0"?>\n<fontconfig><cachedir>%s</cachedir></fontconfig>\n' "$build/fontconfig-empty" \
  > "$build/fontconfig-empty/fonts.conf"
export FONTCONFIG_FILE=$build/fontconfig-empty/fonts.conf
winpath() { printf 'Z:%s' "${1//\//\\}"; }
export WINEPATH="$(winpath "$AWARD_WIN_QT/bin");$(winpath /usr/lib/gcc/x86_64-w64-mingw32/12-posix);$(winpath /usr/x86_64-w64-mingw32/lib)"
export QT_PLUGIN_PATH=$(winpath "$AWARD_WIN_QT/plugins")

. "$root/packaging/windows/await.sh"

display=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -z "$display" ] || kill "$xvfb" 2>/dev/null || true
}
trap 'status=$?; cleanup; stage_exit $status' EXIT

# A virtual X server for everything Wine shows.
for n in $(seq 90 140); do
  [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || { display=:$n; break; }
done
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
await 60 xdpyinfo -display "$display" >/dev/null 2>&1

make_prefix() {
  wineboot -i >/dev/null 2>&1
  timeout 300 wineserver -w
}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  stage "wine prefix" make_prefix
fi
# Without the locale Wine mangles every Chinese argument and cannot name a
# file in Chinese: commands given 標楷體 refuse it, and no shortcut is made.
[ "$(wine cmd /c echo 標楷體 2>/dev/null | tr -d '\r\n' | iconv -f CP950 -t UTF-8)" = 標楷體 ] \
  || { echo "Wine does not run in the zh_TW.UTF-8 locale of $build/locale"; exit 1; }
fonts=$WINEPREFIX/drive_c/windows/Fonts
mkdir -p "$fonts"
cp /usr/share/fonts/truetype/arphic/uming.ttc /usr/share/fonts/truetype/arphic/ukai.ttc "$fonts/"

echo "== core tests and the command's output under Wine"
run_tests() { (cd "$build" && ctest --output-on-failure -j"${AWARD_WIN_JOBS:-2}" --timeout 600); }
stage "tests under wine" run_tests

program_files=$WINEPREFIX/drive_c/Program\ Files/award-banner
start_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs
desktop=$WINEPREFIX/drive_c/users/Public/Desktop
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\award-banner'
linux_command=$root/build/cli/award-banner-sketch
[ -x "$linux_command" ] || linux_command=

echo "== installer"
installer() {
  # A shortcut it could not make is its exit status 2.
  wine "$build/award-banner-setup.exe" /S || { echo "the installer failed (status $?)"; exit 1; }
  timeout 300 wineserver -w
  local file
  for file in award-banner.exe award-banner-sketch.exe avrdude.exe avrdude.conf uninstall.exe Qt6Widgets.dll \
              plugins/platforms/qwindows.dll plugins/imageformats/qjpeg.dll plugins/imageformats/qgif.dll \
              translations/qtbase_zh_TW.qm; do
    [ -f "$program_files/$file" ] || { echo "not installed: $file"; exit 1; }
  done
  [ -f "$start_menu/電子獎狀看板程式.lnk" ] || { echo "no Start-menu entry"; exit 1; }
  [ -f "$desktop/電子獎狀看板程式.lnk" ] || { echo "no desktop shortcut"; exit 1; }
  wine reg query "$key" /v UninstallString 2>/dev/null | grep -q uninstall.exe \
    || { echo "no uninstaller entry in the registry"; exit 1; }
  # The installed command, run from its own folder, writes the Linux command's
  # sketch, in the face and style that draw differently most.
  local installed_sketch
  installed_sketch=$(printf '資訊科 機械科 小 游泳 ' |
    wine "$program_files/award-banner-sketch.exe" --font 標楷體 --bold --italic)
  grep -q 'unsigned int' <<<"$installed_sketch" || { echo "the installed command writes no sketch"; exit 1; }
  if [ -n "$linux_command" ]; then
    [ "$installed_sketch" = "$(printf '資訊科 機械科 小 游泳 ' |
        env -u FONTCONFIG_FILE "$linux_command" --font 標楷體 --bold --italic)" ] \
      || { echo "the installed command's sketch differs from the Linux command's"; exit 1; }
  fi
  echo "installed: programs, Start-menu entry and desktop shortcut, uninstaller"
}
stage "installer under wine" installer

echo "== to the sign: the installed command uploads through COM5 to a simulated Mega"
upload() {
  local uploaded
  uploaded=$(AWARD_WINE_SKETCH_COMMAND="$program_files/award-banner-sketch.exe" \
    "$root/build/tests/board/upload_tests" --gtest_filter='UploadToBoard.WindowsCommand*' 2>&1) \
    || { echo "$uploaded"; exit 1; }
  grep -q '^\[       OK \]' <<<"$uploaded" || { echo "$uploaded"; echo "the upload under Wine did not run"; exit 1; }
  echo "uploaded through COM5; the simulated Mega shows the banner"
}
stage "upload under wine" upload

echo "== window"
# Started from its Start-menu entry, as a teacher starts it, the window shows
# within seconds, and wholly on the screen.
window_of() { xdotool search --onlyvisible --name 曜辰電子獎狀程式 2>/dev/null | head -1; }
shown() { [ -n "$(window_of)" ]; }
closed() { ! shown; }
start_menu_window() {
  wine start /unix "$start_menu/電子獎狀看板程式.lnk"
  await 25 shown || { import -window root "$build/window-not-shown.png"; echo "no window 25 s after the Start-menu entry"; exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$(window_of)")"
  local screen
  screen=$(xdpyinfo -display "$DISPLAY" | awk '/dimensions:/ { print $2 }')
  [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le "${screen%x*}" ] && [ $((Y + HEIGHT)) -le "${screen#*x}" ] \
    || { echo "the window (${WIDTH}x$HEIGHT at $X,$Y) runs off the $screen screen"; exit 1; }
  xdotool windowactivate --sync "$(window_of)" 2>/dev/null || xdotool windowfocus --sync "$(window_of)"
  xdotool key --window "$(window_of)" alt+F4
  await 60 closed
  echo "shown from the Start menu"
}
stage "window from the start menu under wine" start_menu_window
stage "window under wine" \
  bash "$root/packaging/windows/window-check.sh" "$program_files/award-banner.exe" "$build/window.png" "$linux_command"

echo "== uninstaller"
gone() { [ ! -e "$program_files" ] && [ ! -e "$start_menu/電子獎狀看板程式.lnk" ] && [ ! -e "$desktop/電子獎狀看板程式.lnk" ]; }
uninstaller() {
  # NSIS's uninstaller copies itself away and runs from there, so its end is
  # when Wine has no process left.
  wine "$program_files/uninstall.exe" /S
  timeout 300 wineserver -w
  await 120 gone
  ! wine reg query "$key" >/dev/null 2>&1 || { echo "the uninstaller left its registry entry"; exit 1; }
  echo "uninstalled cleanly"
}
stage "uninstaller under wine" uninstaller
