#!/usr/bin/env bash
# Installs what Brantovel needs on Debian 12, then configures and builds it in
# build/. As root it installs with apt-get; otherwise it prints the exact
# apt-get line to run and stops.
#   scripts/prepara.sh             # the program alone: to build and run it
#   scripts/prepara.sh prove       # also the tests and what they drive
#   scripts/prepara.sh completa    # also the fuzzers and the sanitizers
#   scripts/prepara.sh riferimenti # also what tests/riferimenti/genera_riferimenti.py,
#                                  # run by hand, makes the reference vectors with
set -euo pipefail
cd "$(dirname "$0")/.."
livello=${1:-programma}

pacchetti=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
           qt6-qpa-plugins qt6-translations-l10n libgl-dev libsqlite3-dev fonts-liberation2
           # the desktop's way of opening a web page
           xdg-utils
           # spreadsheets of lists: .xlsx and .ods read, .xlsx written
           libminizip-dev libxlsxwriter-dev)
prove=(# window tests on a real X server; the end-to-end tests drive the
       # program from outside with a window manager, X input, the clipboard
       # and pictures of the screen
       xvfb xauth openbox xdotool xclip x11-apps x11-utils python3
       # a real spreadsheet reader for the .xlsx the list check writes, and
       # the reference the list check's speed is measured against
       python3-openpyxl python3-stdnum
       # the screen reader's view: the accessibility bus, its Python
       # bindings, and a D-Bus session of the test's own
       at-spi2-core python3-pyatspi dbus-x11
       # the Debian package, its menu entry and the SVG icon's check
       dpkg-dev desktop-file-utils librsvg2-bin)
# clang with libFuzzer and the sanitizers' runtime
completa=(clang libclang-rt-14-dev)
# other implementations of the fiscal code and the VAT check, never shipped
riferimenti=(python3-stdnum)
command -v npm >/dev/null || riferimenti+=(nodejs npm)

case $livello in
    programma) ;;
    prove) pacchetti+=("${prove[@]}") ;;
    completa) pacchetti+=("${prove[@]}" "${completa[@]}") ;;
    riferimenti) pacchetti+=("${prove[@]}" "${riferimenti[@]}") ;;
    *) echo "uso: scripts/prepara.sh [programma|prove|completa|riferimenti]" >&2; exit 2 ;;
esac

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

# The tests need the tools above even to be configured: the program alone is
# built without them.
if [ "$livello" = programma ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
    cmake --build build -j"$(nproc)" --target brantovel brantovel-elenco
else
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
    cmake --build build -j"$(nproc)"
fi
