#!/usr/bin/env bash
# Misura la copertura delle righe del programma: compila con --coverage in
# build-cov/, esegue l'intera suite come la esegue ./verifica.sh e stampa,
# con gcovr, la quota di righe eseguite del codice del programma (i test, le
# misure e il fuzzing esclusi). Il riepilogo per file resta in
# build-cov/copertura.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v gcovr >/dev/null || { echo "manca gcovr: sudo apt-get install -y gcovr" >&2; exit 1; }

cmake -S . -B build-cov -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON \
      -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
cmake --build build-cov -j"$(nproc)"
# Si contano da zero; il database e le icone, prodotti da strumenti del
# programma durante la compilazione, si rifanno per contarne le righe.
find build-cov -name '*.gcda' -delete
rm -rf build-cov/DatiAtto.mdb build-cov/packaging/hicolor
cmake --build build-cov -j"$(nproc)"
# A failed test ends the script with an error, after the figure: lines run by
# a test that fails are not lines the suite guards.
esito=0
ctest --test-dir build-cov --output-on-failure -j"$(nproc)" || esito=$?
gcovr --root . --object-directory build-cov --gcov-exclude '.*CompilerId.*' \
      --exclude 'tests/' --exclude 'bench/' --exclude 'fuzz/' --exclude 'packaging/tst_' --exclude 'build[^/]*/' \
      --print-summary --output build-cov/copertura.txt | tail -n 3
if [ "$esito" -ne 0 ]; then
    echo "Alcuni test sono falliti: la copertura qui sopra non vale." >&2
    exit "$esito"
fi
