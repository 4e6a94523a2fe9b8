#!/usr/bin/env bash
# Installs what Brantovel needs to build and run on Debian 12, then configures
# and builds it in build/. As root it installs with apt-get; otherwise it
# prints the exact apt-get line to run and stops.
set -euo pipefail
cd "$(dirname "$0")/.."

pacchetti=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
           qt6-qpa-plugins libgl-dev libsqlite3-dev fonts-liberation2 xvfb xauth
           # the toolkit's own words in Italian
           qt6-translations-l10n
           # the Debian package, its menu entry and the SVG icon's check
           dpkg-dev desktop-file-utils librsvg2-bin
           # the end-to-end tests: a window manager, X input, clipboard and
           # screen from outside, and the desktop's way of opening a web page
           openbox xdotool xclip x11-apps x11-utils xdg-utils
           # the accessibility check: the program read as a screen reader reads it
           at-spi2-core python3-pyatspi dbus-x11
           # the fuzzers: clang with libFuzzer and the sanitizers' runtime
           clang libclang-rt-14-dev)

mancanti=()
for p in "${pacchetti[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || mancanti+=("$p")
done
if [ ${#mancanti[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${mancanti[@]}"
    else
        echo "Mancano alcuni pacchetti. Installali con:" >&2
        echo "  sudo apt-get install -y ${mancanti[*]}" >&2
        exit 1
    fi
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
