# SPDX-License-Identifier: MIT
"""The baseline of bench_elenco: the same list read with Python's csv module,
each row's fiscal code and VAT number checked with python-stdnum, the row
written out with the two results.

python3 riferimento_stdnum.py ELENCO RISULTATI
"""
import csv
import sys

from stdnum.it import codicefiscale, iva

with open(sys.argv[1], newline="", encoding="utf-8") as ingresso, \
        open(sys.argv[2], "w", newline="", encoding="utf-8") as uscita:
    lettore = csv.reader(ingresso, delimiter=";")
    scrittore = csv.writer(uscita, delimiter=";")
    intestazione = next(lettore)
    cf, piva = intestazione.index("Codice fiscale"), intestazione.index("Partita IVA")
    scrittore.writerow(intestazione + ["Codice fiscale valido", "Partita IVA valida"])
    for riga in lettore:
        scrittore.writerow(riga + [codicefiscale.is_valid(riga[cf]), iva.is_valid(riga[piva])])
