#!/bin/sh
# Builds the .deb and checks it as a distribution's reviewer and a software
# centre do: what it declares and holds, lintian, the AppStream metadata, the
# desktop entry and the manual page; then starts the unpacked program.
set -eu
build="$1"
source=$(cd "$(dirname "$0")/.." && pwd)
id=org.example.lumora.Lumora
cd "$build"
cpack -G DEB >/dev/null
deb=$(ls -t lumora_*.deb | head -n 1)

fail() { echo "$deb: $*"; exit 1; }

info=$(dpkg-deb --info "$deb")
for dep in libqt6widgets6 libqt6gui6 libqt6core6 libsqlite3-0 fonts-liberation2 libhunspell-1.7-0 hunspell-hu \
           libespeak-ng1 espeak-ng-data libpulse0; do
    echo "$info" | grep -q "Depends:.*$dep" || fail "missing dependency $dep"
done
contents=$(dpkg-deb --contents "$deb")
for f in ./usr/bin/lumora ./usr/share/applications/$id.desktop ./usr/share/metainfo/$id.metainfo.xml \
         ./usr/share/icons/hicolor/256x256/apps/$id.png ./usr/share/icons/hicolor/scalable/apps/$id.svg \
         ./usr/share/man/man1/lumora.1.gz ./usr/share/doc/lumora/copyright ./usr/share/doc/lumora/changelog.gz; do
    echo "$contents" | grep -q " $f\$" || fail "missing $f"
done

# Every tag lintian knows, infos included, is shown; errors and warnings fail.
# Lintian notes on stderr that it runs as root, which ctest here may do.
lintian --display-info --fail-on error,warning "$deb" || fail "lintian found errors or warnings"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
share="$root/usr/share"
notes=$(desktop-file-validate "$share/applications/$id.desktop") || true
[ -z "$notes" ] || { echo "$notes"; fail "desktop-file-validate found faults"; }
# validate-tree also finds the desktop entry the metadata launches. Its only
# note, pedantic, is the capital in the id's last part, which names the program.
appstreamcli validate-tree --no-net "$root" || fail "the AppStream metadata is not valid"
grep -qx "Icon=$id" "$share/applications/$id.desktop" || fail "the desktop entry names another icon"
grep -q "<id>$id</id>" "$share/metainfo/$id.metainfo.xml" || fail "the metadata names another id"
# The screenshots are published from docs/screenshots under the same names.
for shot in $(grep -o '/screenshots/[^<]*' "$share/metainfo/$id.metainfo.xml"); do
    [ -f "$source/docs$shot" ] || fail "the metadata shows a screenshot that docs$shot does not hold"
done

# One version everywhere: the package, its changelog, the metadata's newest
# release and the program's own --version.
run() { XDG_DATA_HOME="$root/data" XDG_CONFIG_HOME="$root/config" QT_QPA_PLATFORM=offscreen "$root/usr/bin/lumora" "$@"; }
version=$(dpkg-deb --field "$deb" Version)
zcat "$share/doc/lumora/changelog.gz" > "$root/changelog"
[ "$(dpkg-parsechangelog -l "$root/changelog" -S Version)" = "$version" ] || fail "the changelog's newest entry is not $version"
release=$(grep -o '<release version="[^"]*"' "$share/metainfo/$id.metainfo.xml" | head -n 1)
[ "$release" = "<release version=\"$version\"" ] || fail "the metadata's newest release is not $version"
[ "$(run --version 2>/dev/null)" = "lumora $version" ] || fail "lumora --version does not say $version"

# The manual page renders without a warning and explains every option that
# --help lists.
page=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man1/lumora.1.gz" 2>"$root/man-warnings")
[ ! -s "$root/man-warnings" ] || { cat "$root/man-warnings"; fail "the manual page has warnings"; }
for option in $(run --help 2>/dev/null | grep -o -- '--[a-z-]*' | sort -u); do
    echo "$page" | grep -q -- "$option" || fail "the manual page does not explain $option"
done

# Started, it runs until it is stopped: still running after two seconds is a
# start. Its record goes into the temporary folder, not the tester's home.
status=0
XDG_DATA_HOME="$root/data" QT_QPA_PLATFORM=offscreen timeout 2 "$root/usr/bin/lumora" || status=$?
[ -f "$root/data/lumora/record.sqlite" ] || fail "the unpacked program kept no record"
[ "$status" -eq 124 ] || fail "the unpacked program exited with $status"
echo "$deb: dependencies, contents, lintian, metadata, manual page and start checked"
