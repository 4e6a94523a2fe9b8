# SPDX-License-Identifier: MIT
"""brantovel-luoghi run as an administrator would: what it prints, what it
writes into the user's data folder, its exit statuses.

python3 comando.py PROGRAMMA CARTELLA_ANPR
"""
import os
import subprocess
import sys
import tempfile
from pathlib import Path

PROGRAMMA, ANPR = sys.argv[1], Path(sys.argv[2])
NUOVO = (ANPR / "comuni_anpr_2024.csv").read_bytes() + \
    b'1,2025-01-01,9999-12-31,018999,M999,"NUOVO PAESE",X,,,18,018,03,,active,PV,,2025-01-01,\n'
VECCHIO = (ANPR / "ANPR_archivio_comuni.csv").read_bytes()
PAGINA = b"<html><body>Not found</body></html>\n"
TRONCATO = NUOVO[:NUOVO.index(b"\n", len(NUOVO) // 3) + 1]

# (what it is, register, options, exit status, a line printed on stdout or stderr,
#  whether the user's file exists afterwards). The rows run in order on one
#  user's data folder.
CASI = [
    ("its help, in Italian", None, ["--help"], 0, "Carica l'archivio dei comuni dell'ANPR nei dati dei luoghi", False),
    ("no file named", None, [], 2, "--aggiorna-luoghi", False),
    ("a file that is not there", "manca.csv", [], 1, "impossibile leggere", False),
    ("an error page saved as CSV", PAGINA, [], 1, "manca la colonna CODCATASTALE", False),
    ("a register cut short", TRONCATO, ["--anche-meno-recente"], 1, "non è l'archivio completo", False),
    ("an older edition, unconfirmed", VECCHIO, [], 1, "per caricarlo comunque, --anche-meno-recente", False),
    ("a new place, only shown", NUOVO, ["--prova"], 0, "Prova: nulla è stato scritto.", False),
    ("a new place, written", NUOVO, [], 0, "(Dati dei luoghi aggiornati al 01/01/2025)", True),
    ("the same again: the user's data are read", NUOVO, [], 0, "Dati in uso: {utente}\nLuoghi aggiunti: 0", True),
    ("an older edition, confirmed", VECCHIO, ["--anche-meno-recente"], 0, "Scritto:", True),
]

falliti = 0
with tempfile.TemporaryDirectory() as casa:
    ambiente = dict(os.environ, HOME=casa, XDG_DATA_HOME=os.path.join(casa, "dati"), LANG="it_IT.UTF-8")
    utente = Path(casa, "dati", "Brantovel", "DatiAtto.mdb")
    for nome, registro, opzioni, atteso, riga, scritto in CASI:
        argomenti = [PROGRAMMA] + opzioni
        if registro is not None:
            file = Path(casa, registro if isinstance(registro, str) else "ANPR_archivio_comuni.csv")
            if not isinstance(registro, str):
                file.write_bytes(registro)
            argomenti += ["--aggiorna-luoghi", str(file)]
        fatto = subprocess.run(argomenti, capture_output=True, text=True, env=ambiente, timeout=60)
        uscita = fatto.stdout + fatto.stderr
        riga = riga.format(utente=utente)
        visto = (fatto.returncode, riga in uscita, utente.exists())
        if visto != (atteso, True, scritto):
            falliti += 1
            print(f"FALLITO {nome}: stato {fatto.returncode} (atteso {atteso}), file dell'utente {visto[2]} "
                  f"(atteso {scritto}), «{riga}» {'trovato' if visto[1] else 'non trovato'} in:\n{uscita}")
print(f"{len(CASI) - falliti} casi su {len(CASI)} superati")
sys.exit(1 if falliti else 0)
