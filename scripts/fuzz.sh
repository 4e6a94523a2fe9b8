#!/usr/bin/env bash
# Esegue ogni bersaglio di fuzzing (fuzz/fuzz_*.cpp) per SECONDI secondi, e al
# più per ESECUZIONI esecuzioni se indicate. Compila con clang, libFuzzer,
# AddressSanitizer e UndefinedBehaviorSanitizer in build-fuzz/. Esce con
# errore al primo difetto trovato; l'ingresso che lo provoca resta in
# build-fuzz/difetti/.
#   scripts/fuzz.sh 30               # come in CI
#   scripts/fuzz.sh 3600 10000000    # la prova lunga
set -euo pipefail
cd "$(dirname "$0")/.."
secondi=${1:?uso: scripts/fuzz.sh SECONDI [ESECUZIONI]}
esecuzioni=${2:--1}

bersagli=()
for f in fuzz/fuzz_*.cpp; do
    bersagli+=("$(basename "$f" .cpp)")
done

CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${bersagli[@]}"

mkdir -p build-fuzz/difetti
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
for b in "${bersagli[@]}"; do
    nome=${b#fuzz_}
    corpus=build-fuzz/corpus/$nome
    mkdir -p "$corpus"
    semi=()
    [ -d "fuzz/corpus/$nome" ] && semi=("fuzz/corpus/$nome")
    registro=build-fuzz/$b.log
    if ! build-fuzz/$b -max_total_time="$secondi" -runs="$esecuzioni" -timeout=10 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix=build-fuzz/difetti/$nome- \
            "$corpus" "${semi[@]}" >"$registro" 2>&1; then
        tail -n 60 "$registro" >&2
        echo "$b: DIFETTO TROVATO (registro completo in $registro)" >&2
        exit 1
    fi
    eseguite=$(sed -n 's/^stat::number_of_executed_units: *//p' "$registro")
    durata=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$registro")
    echo "$b: $eseguite esecuzioni in ${durata:-?} s, nessun difetto"
done
