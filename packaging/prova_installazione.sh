#!/usr/bin/env bash
# Installs the Debian package built from a build folder (build/ by default)
# on this machine with apt-get, runs the end-to-end cases on the installed
# `brantovel` command as well, then removes the package and checks that none
# of its files is left. Needs root, and a machine where Brantovel is not
# installed already.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

if [ "$(id -u)" -ne 0 ]; then
    echo "Serve root: il pacchetto si installa con apt-get." >&2
    exit 1
fi
if dpkg-query -W -f='${Status}' brantovel 2>/dev/null | grep -q ' installed$'; then
    echo "Brantovel è già installato: rimuovilo prima con  apt-get remove brantovel" >&2
    exit 1
fi

tmp=$(mktemp -d)
rimuovi() {
    if dpkg-query -W -f='${Status}' brantovel 2>/dev/null | grep -q ' installed$'; then
        apt-get remove -y -qq brantovel >/dev/null
    fi
    rm -rf "$tmp"
}
trap rimuovi EXIT

cpack --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log"
deb=$(echo "$tmp"/brantovel_*.deb)
# The files and links the package brings, without its folders.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' >"$tmp/file"

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$deb" >/dev/null
echo "Installato: $(dpkg-query -W -f='${Package} ${Version}' brantovel)"

BRANTOVEL_E2E_INSTALLED=$(command -v brantovel) ctest --test-dir "$build" -L e2e --output-on-failure

apt-get remove -y -qq brantovel >/dev/null
rimasti=0
while read -r file; do
    if [ -e "$file" ] || [ -L "$file" ]; then
        echo "Rimasto dopo la rimozione: $file" >&2
        rimasti=1
    fi
done <"$tmp/file"
if [ -e /opt/brantovel ]; then
    echo "Rimasta dopo la rimozione: /opt/brantovel" >&2
    rimasti=1
fi
if dpkg-query -W -f='${Status}' brantovel 2>/dev/null | grep -q 'config-files'; then
    echo "Il pacchetto ha lasciato dei file di configurazione" >&2
    rimasti=1
fi
[ $rimasti -eq 0 ] && echo "Rimosso senza lasciare nulla."
exit $rimasti
