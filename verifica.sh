#!/usr/bin/env bash
# Prepara tutto il necessario, compila ed esegue tutti i test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/prepara.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"
