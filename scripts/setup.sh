#!/usr/bin/env bash
# Installs the Debian packages that building and testing Brindle need. Idempotent: packages
# already present are left alone, and the package lists are refreshed only when something is
# missing.
set -euo pipefail

PACKAGES=(
    g++            # C++20 compiler
    libc6          # glibc's gconv modules: the code pages (CP932, CP1252, ...) through iconv
    cmake          # build configuration
    ninja-build    # build tool
    googletest     # GoogleTest sources
    libgtest-dev   # GoogleTest
    libgmock-dev   # GoogleMock
    diffutils      # GNU diff: the peer of the benchmark
    time           # GNU time: peak memory in the benchmark
    python3        # the folder benchmark's tree generator and result check
    qt6-base-dev   # Qt 6 Widgets and Network for brd64
    qt6-base-dev-tools  # moc and rcc
    libgl-dev      # OpenGL headers that Qt 6 Gui's CMake package asks for
    pkg-config     # finds the Nautilus extension library
    libnautilus-extension-dev  # the Nautilus context-menu module
    desktop-file-utils         # desktop-file-validate for the file-manager action files
    g++-mingw-w64-x86-64       # cross-compiles the Windows context-menu library BRDEXT.dll
    wine64         # runs BRDEXT.dll's tests
    xvfb           # trying brd64 as a user would, on a virtual display ...
    xdotool        # ... with keys and clicks sent to it ...
    imagemagick    # ... and screenshots of it (import -window root)
    clang          # builds the libFuzzer targets of tests/fuzz ...
    libclang-rt-dev  # ... with libFuzzer and the sanitizer runtimes
    dpkg-dev       # dpkg-shlibdeps: the dependencies of the Debian package (scripts/package.sh)
    appstream      # appstreamcli: checks the AppStream metadata
    git            # the git difftool test
)

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
