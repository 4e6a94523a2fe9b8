# SPDX-License-Identifier: MIT
"""luoghi_anpr, which the update tool (data/tools/aggiorna.mjs) reads the
register through, run on the shipped register: a few lines it must print, and
its refusals.

python3 anpr.py LUOGHI_ANPR REGISTRO
"""
import subprocess
import sys

PROGRAMMA, REGISTRO = sys.argv[1], sys.argv[2]
# Lonato, renamed with a new code in 2007; Brusasco Cavagnolo, ceased in 1957;
# San Candido, the Italian part of a bilingual name.
RIGHE = [
    "periodo\tE667\t\t2007-11-01",
    "periodo\tM312\t2007-11-02\t",
    "provincia\tB226\t1928-04-03\t1957-07-20\tTO",
    "luogo\tE667\tLONATO\tBS\tC\t2007-11-01",
    "luogo\tH786\tSAN CANDIDO\tBZ\tA\t",
]
# (arguments, exit status, what standard error says)
RIFIUTI = [([], 2, "uso: luoghi_anpr ARCHIVIO.csv"), (["manca.csv"], 1, "impossibile leggere manca.csv"),
           ([__file__], 1, f"luoghi_anpr: {__file__}: manca la colonna CODCATASTALE")]

falliti = []
fatto = subprocess.run([PROGRAMMA, REGISTRO], capture_output=True, text=True, timeout=60)
stampate = set(fatto.stdout.splitlines())
falliti += [f"manca la riga {r!r}" for r in RIGHE if r not in stampate]
if fatto.returncode != 0:
    falliti.append(f"stato {fatto.returncode} sul registro")
for argomenti, stato, errore in RIFIUTI:
    p = subprocess.run([PROGRAMMA, *argomenti], capture_output=True, text=True, timeout=60)
    if p.returncode != stato or errore not in p.stderr:
        falliti.append(f"{argomenti}: stato {p.returncode}, standard error {p.stderr!r}")
print("\n".join(falliti) or f"{len(RIGHE)} righe e {len(RIFIUTI)} rifiuti come attesi")
sys.exit(1 if falliti else 0)
