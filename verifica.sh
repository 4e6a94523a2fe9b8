#!/usr/bin/env bash
# Prepara tutto il necessario e compila; fa girare ogni bersaglio di fuzzing
# per 30 secondi, esegue tutti i test sotto AddressSanitizer e
# UndefinedBehaviorSanitizer e infine tutti i test della compilazione normale.
set -euo pipefail
cd "$(dirname "$0")"
scripts/prepara.sh
scripts/fuzz.sh 30
scripts/sanitizzatori.sh
# Un test che fallisce si ripete una volta: sotto carico, un server X può
# consegnare in ritardo i suoi eventi. Il primo fallimento resta nel registro.
ctest --test-dir build --output-on-failure -j"$(nproc)" --repeat until-pass:2
