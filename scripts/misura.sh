#!/usr/bin/env bash
# Compila le misure di prestazione ottimizzate in build-misure/ e le esegue
# tutte. Ognuna stampa le sue cifre, l'obiettivo e un riferimento misurato
# nella stessa esecuzione. Per una misura sola: scripts/misura.sh bench_avvio
set -euo pipefail
cd "$(dirname "$0")/.."

misure=("$@")
if [ ${#misure[@]} -eq 0 ]; then
    for f in bench/bench_*.cpp; do
        misure+=("$(basename "$f" .cpp)")
    done
fi

cmake -S . -B build-misure -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-misure -j"$(nproc)" --target "${misure[@]}" >/dev/null
for m in "${misure[@]}"; do
    echo
    QT_QPA_PLATFORM=offscreen LANG=it_IT.UTF-8 build-misure/bench/"$m"
done
