#!/usr/bin/env bash
# Esegue l'intera suite rapida 20 volte di seguito (o N: scripts/sottocarico.sh N)
# con entrambi i processori tenuti occupati da due `sha256sum /dev/zero`, e si
# ferma al primo fallimento. Prova che nessun test dipende da quanto in
# fretta arrivano gli eventi. Usa la compilazione di build/ (./verifica.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
volte=${1:-20}

cmake --build build -j"$(nproc)" >/dev/null
carico=()
trap 'kill "${carico[@]}" 2>/dev/null || true' EXIT
for _ in 1 2; do
    sha256sum /dev/zero &
    carico+=($!)
done
for ((i = 1; i <= volte; i++)); do
    inizio=$SECONDS
    if ! ctest --test-dir build --output-on-failure -j"$(nproc)" >build/sottocarico.log 2>&1; then
        tail -n 80 build/sottocarico.log
        echo "esecuzione $i di $volte: FALLITA (registro completo in build/sottocarico.log)" >&2
        exit 1
    fi
    echo "esecuzione $i di $volte: superata in $((SECONDS - inizio)) s"
done
