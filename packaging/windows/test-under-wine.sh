#!/usr/bin/env bash
# Runs the Windows build's tests under Wine, in a prefix of its own that sees
# no font of this machine but Debian's AR PL UMing and UKai, copied into its
# fonts folder as a Windows PC without 新細明體 and 標楷體 would have them:
#   the core tests and the command's output, through CTest;
#   the installer, installed silently, then uninstalled;
#   an upload by the installed command through a COM port to a simulated Mega;
#   the window, opened on a virtual X server in a Chinese locale.
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
fonts=$WINEPREFIX/drive_c/windows/Fonts
mkdir -p "$fonts"
cp /usr/share/fonts/truetype/arphic/uming.ttc /usr/share/fonts/truetype/arphic/ukai.ttc "$fonts/"

echo "== core tests and the command's output under Wine"
run_tests() { (cd "$build" && ctest --output-on-failure -j"${AWARD_WIN_JOBS:-2}" --timeout 600); }
stage "tests under wine" run_tests

program_files=$WINEPREFIX/drive_c/Program\ Files/award-banner
start_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\award-banner'

echo "== installer"
installer() {
  wine "$build/award-banner-setup.exe" /S
  timeout 300 wineserver -w
  local file
  for file in award-banner.exe award-banner-sketch.exe avrdude.exe avrdude.conf uninstall.exe Qt6Widgets.dll \
              plugins/platforms/qwindows.dll plugins/imageformats/qjpeg.dll plugins/imageformats/qgif.dll \
              translations/qtbase_zh_TW.qm; do
    [ -f "$program_files/$file" ] || { echo "not installed: $file"; exit 1; }
  done
  [ -f "$start_menu/電子獎狀看板程式.lnk" ] || { echo "no Start-menu entry"; exit 1; }
  wine reg query "$key" /v UninstallString 2>/dev/null | grep -q uninstall.exe \
    || { echo "no uninstaller entry in the registry"; exit 1; }
  # The installed command, run from its own folder, writes the sketch.
  printf '恭喜 ' | wine "$program_files/award-banner-sketch.exe" --font 標楷體 | grep -q 'unsigned int' \
    || { echo "the installed command writes no sketch"; exit 1; }
  echo "installed: programs, Start-menu entry, uninstaller"
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
linux_command=$root/build/cli/award-banner-sketch
[ -x "$linux_command" ] || linux_command=
stage "window under wine" \
  bash "$root/packaging/windows/window-check.sh" "$program_files/award-banner.exe" "$build/window.png" "$linux_command"

echo "== uninstaller"
gone() { [ ! -e "$program_files" ] && [ ! -e "$start_menu/電子獎狀看板程式.lnk" ]; }
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
