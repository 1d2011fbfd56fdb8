#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need; skips apt-get when all are present.
# Qt 6 (Widgets, Network, PrintSupport, Test; the SVG icon engine) and QScintilla for vek32 and
# its tests, a font for the offscreen tests, Xvfb for the screenshots, the X client library for
# vek32's start-up benchmark, dpkg-dev and file for the Debian package, scdoc for the manual
# pages, man-db and groff-base to check they render, lintian to check the Debian package,
# QEMU's Arm machines for the GDB server driver's tests (QEMU's debug stub is their server) and
# gdb-multiarch, which its benchmark measures the driver against; pugixml, the XML parser the
# importer of vendors' register maps reads their files with.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev libftdi1-dev
          qt6-base-dev qt6-svg-dev libqscintilla2-qt6-dev fonts-dejavu-core xvfb xauth libxcb1-dev
          dpkg-dev file scdoc man-db groff-base lintian qemu-system-arm gdb-multiarch
          libpugixml-dev)
missing=()
# --fuzz adds clang, its libFuzzer and sanitizer runtimes and llvm-symbolizer (for readable
# reports), for the fuzz preset (scripts/fuzz.sh).
if [ "${1:-}" = "--fuzz" ]; then
    packages+=(clang-14 libclang-rt-14-dev llvm-14)
fi
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
