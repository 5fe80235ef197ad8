#!/usr/bin/env bash
# The Debian package made from a build folder: the files a user needs are in it, and its
# dependencies are declared. Usage: package_test.sh BUILD_DIR VERSION
set -euo pipefail
build="$1"
version="$2"
cd "$build"
cpack -G DEB >/dev/null
package="$(ls brindle_"$version"_*.deb)"
files="$(dpkg-deb -c "$package" | awk '{print $6}')"
for needed in ./usr/bin/brd64 ./usr/bin/brdcmp ./usr/share/applications/org.brindle.Brindle.desktop \
    ./usr/share/metainfo/org.brindle.Brindle.metainfo.xml ./usr/share/icons/hicolor/scalable/apps/brindle.svg \
    ./usr/share/man/man1/brd64.1 ./usr/share/man/man1/brdcmp.1 ./usr/share/doc/brindle/index.html \
    ./usr/share/kio/servicemenus/brindle-compare.desktop ./usr/share/kio/servicemenus/brindle-compare-folders.desktop \
    ./usr/share/brindle/thunar-uca.xml; do
    grep -qx -- "$needed" <<<"$files" || { echo "missing from the package: $needed" >&2; exit 1; }
done
depends="$(dpkg-deb -f "$package" Depends)"
for library in libqt6widgets6 libqt6network6 libstdc++6 libc6; do
    grep -q "$library" <<<"$depends" || { echo "not a declared dependency: $library ($depends)" >&2; exit 1; }
done
echo "$package: $(wc -l <<<"$files") entries; Depends: $depends"
