#!/usr/bin/env bash
# Builds the Debian package from this build tree and checks what it holds and
# declares, then runs the packaged companion command from an unpacked copy.
set -euo pipefail
build_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build_dir" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/award-banner_*.deb)

contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/award-banner ./usr/bin/award-banner-sketch \
            ./usr/share/applications/award-banner.desktop \
            ./usr/share/icons/hicolor/scalable/apps/award-banner.svg \
            ./usr/share/icons/hicolor/64x64/apps/award-banner.png; do
  grep -q " $path\$" <<<"$contents" || { echo "missing from the package: $path"; exit 1; }
done

depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6gui6 libqt6core6 libqt6serialport6 qt6-qpa-plugins fonts-arphic-uming fonts-arphic-ukai \
           qt6-translations-l10n; do
  grep -q "$dep" <<<"$depends" || { echo "not declared: $dep"; exit 1; }
done
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ]

# Every declared dependency resolves on this Debian release.
apt-get install --simulate "$deb" >/dev/null

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/award-banner.desktop"
grep -q '^Name\[zh_TW\]=' "$work/root/usr/share/applications/award-banner.desktop"
grep -q '^Exec=award-banner %f$' "$work/root/usr/share/applications/award-banner.desktop"

out=$(printf '賀 ' | "$work/root/usr/bin/award-banner-sketch")
grep -q 'unsigned int num= 1;' <<<"$out"
echo "package ok: $(basename "$deb")"
