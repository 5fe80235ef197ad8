#!/usr/bin/env bash
# Builds a release of brd64, brdcmp and the Nautilus module in build-package and makes the Debian
# package there: build-package/brindle_VERSION_ARCH.deb. Needs dpkg-dev (dpkg-shlibdeps).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build-package"
JOBS="${BRINDLE_JOBS:-$(nproc)}"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DBRINDLE_BUILD_TESTS=OFF -DBRINDLE_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j "$JOBS"
(cd "$BUILD" && cpack -G DEB)
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$ROOT/resources/desktop/org.brindle.Brindle.metainfo.xml"
fi
ls "$BUILD"/brindle_*.deb
