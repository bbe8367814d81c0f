#!/bin/sh
# Builds the .deb, checks what it declares and holds, and starts the unpacked program.
set -eu
build="$1"
cd "$build"
cpack -G DEB >/dev/null
deb=$(ls -t lumora_*.deb | head -n 1)

info=$(dpkg-deb --info "$deb")
for dep in libqt6widgets6 libqt6gui6 libqt6core6 libqt6sql6 libqt6sql6-sqlite fonts-liberation2 libhunspell hunspell-hu; do
    echo "$info" | grep -q "Depends:.*$dep" || { echo "missing dependency $dep"; exit 1; }
done
contents=$(dpkg-deb --contents "$deb")
for f in ./usr/bin/lumora ./usr/share/applications/org.example.Lumora.desktop \
         ./usr/share/icons/hicolor/256x256/apps/org.example.Lumora.png \
         ./usr/share/icons/hicolor/scalable/apps/org.example.Lumora.svg; do
    echo "$contents" | grep -q " $f\$" || { echo "missing $f"; exit 1; }
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/org.example.Lumora.desktop"
# Started, it runs until it is stopped: still running after two seconds is a
# start. Its record goes into the temporary folder, not the tester's home.
status=0
XDG_DATA_HOME="$root/data" QT_QPA_PLATFORM=offscreen timeout 2 "$root/usr/bin/lumora" || status=$?
[ -f "$root/data/lumora/record.sqlite" ] || { echo "the unpacked program kept no record"; exit 1; }
[ "$status" -eq 124 ] || { echo "the unpacked program exited with $status"; exit 1; }
echo "$deb: dependencies, contents and start checked"
