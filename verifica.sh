#!/usr/bin/env bash
# Prepara tutto il necessario, compila ed esegue tutti i test:
#   ./verifica.sh              # la suite intera, in pochi minuti
#   ./verifica.sh --completa   # prima ogni bersaglio di fuzzing per 30 secondi e
#                              # la suite sotto AddressSanitizer e
#                              # UndefinedBehaviorSanitizer, poi la suite intera e,
#                              # da root, la prova del pacchetto installato
set -euo pipefail
cd "$(dirname "$0")"
case "${1:-}" in
    "") scripts/prepara.sh prove ;;
    --completa)
        scripts/prepara.sh completa
        scripts/fuzz.sh 30
        scripts/sanitizzatori.sh ;;
    *) echo "uso: ./verifica.sh [--completa]" >&2; exit 2 ;;
esac
ctest --test-dir build --output-on-failure -j"$(nproc)"
if [ "${1:-}" = --completa ]; then
    packaging/prova_installazione.sh build
fi
