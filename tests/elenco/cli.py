# SPDX-License-Identifier: MIT
"""brantovel-elenco run as a script would: exit statuses, outputs, refusals.

python3 cli.py PROGRAMMA DATIATTO
"""
import datetime
import io
import json
import os
import pty
import signal
import subprocess
import sys
import tempfile
import threading
import zipfile

import openpyxl  # python3-openpyxl: a real spreadsheet reader checks the .xlsx written

PROGRAMMA, DATI = sys.argv[1], sys.argv[2]
VALIDA = "Codice fiscale,P.IVA\nRSSMRA80A01H501U,12345670017\n"
DUBBIA = "Codice fiscale;P.IVA\nRSSMRA80A01H501U;12345670017\nRSSMRA80A01H501X;\n"
CITTA = "Città,CF\nForlì,RSSMRA80A01H501U\n".encode("cp1252")



def xlsx_di(*righe):
    cartella = openpyxl.Workbook()
    for r in righe:
        cartella.active.append(r)
    cartella.create_sheet("secondo").append(["non letto"])
    b = io.BytesIO()
    cartella.save(b)
    return b.getvalue()


def zip_di(parti):
    b = io.BytesIO()
    with zipfile.ZipFile(b, "w", zipfile.ZIP_DEFLATED) as z:
        for nome, testo in parti.items():
            z.writestr(nome, testo)
    return b.getvalue()


ODS = zip_di({"content.xml": """<?xml version="1.0"?><office:document-content
 xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet><table:table>
<table:table-row><table:table-cell><text:p>CF</text:p></table:table-cell><table:table-cell table:number-columns-repeated="2"/>
<table:table-cell><text:p>Data di nascita</text:p></table:table-cell><table:table-cell><text:p>P.IVA</text:p></table:table-cell></table:table-row>
<table:table-row table:number-rows-repeated="2"><table:table-cell><text:p>RSSMRA80A01H501U</text:p></table:table-cell>
<table:table-cell table:number-columns-repeated="2"/><table:table-cell office:value-type="date" office:date-value="1980-01-01">
<text:p>1/1/80</text:p></table:table-cell><table:table-cell office:value-type="float" office:value="12345670017"/></table:table-row>
<table:table-row table:number-rows-repeated="1048570"><table:table-cell table:number-columns-repeated="1024"/></table:table-row>
</table:table><table:table><table:table-row><table:table-cell><text:p>no</text:p></table:table-cell></table:table-row>
</table:table></office:spreadsheet></office:body></office:document-content>"""})
BOMBA = zip_di({"xl/workbook.xml": '<workbook><sheets><sheet r:id="a" xmlns:r="r"/></sheets></workbook>',
                "xl/_rels/workbook.xml.rels": '<Relationships><Relationship Id="a" Target="s.xml"/></Relationships>',
                "xl/s.xml": "<worksheet>" + " " * (20 << 20) + "</worksheet>"})

# name, input bytes, arguments (IN: the input, OUT: the output), exit status,
# what standard error says, a check of the output (or None)
CASI = [
    ("all valid", VALIDA.encode(), ["IN", "-o", "OUT"], 0, "",
     lambda b: b.decode().splitlines()[1].startswith("RSSMRA80A01H501U,12345670017,valida,Codice fiscale valido")),
    ("a problem", DUBBIA.encode(), ["IN", "-o", "OUT"], 1, "",
     lambda b: b.decode().splitlines()[2].startswith("RSSMRA80A01H501X;;non valida;Codice non valido")),
    ("Windows-1252 and commas kept", CITTA, ["IN", "-o", "OUT"], 0, "",
     lambda b: b.splitlines()[1].startswith("Forl\xec,RSSMRA80A01H501U,valida".encode("cp1252"))),
    ("only problem rows", DUBBIA.encode(), ["IN", "--solo-problemi", "-o", "OUT"], 1, "",
     lambda b: len(b.splitlines()) == 2 and b"RSSMRA80A01H501X" in b),
    ("column named by number", b"a;b\nx;RSSMRA80A01H501U\n", ["IN", "--colonna-cf", "2", "-o", "OUT"], 0, "",
     lambda b: b"valida;Codice fiscale valido" in b),
    ("JSON, one object per row", DUBBIA.encode(), ["IN", "--formato", "json", "-o", "OUT"], 1, "",
     lambda b: [r["Esito della riga"] for r in json.loads(b)] == ["valida", "non valida"]),
    ("xlsx read back, the format told by the name", DUBBIA.encode(), ["IN", "-o", "OUT.xlsx"], 1, "", "xlsx"),
    ("xlsx: first sheet, dates, lost zero, empty cells",
     xlsx_di(["Cognome", "Nome", "Sesso", "Nato il", "Comune di nascita", "CF", "P.IVA"],
             ["Rossi", "Mario", "M", datetime.date(1980, 1, 1), "Roma", "RSSMRA80A01H501U", 1234560017],
             ["Verdi", "Anna", "F", "15/03/1985", "Milano"]), ["IN", "-o", "OUT"], 1, "",
     lambda b: b.decode("utf-8-sig").splitlines()[1:] == [
         "Rossi;Mario;M;01/01/1980;Roma;RSSMRA80A01H501U;1234560017;avviso;Codice fiscale valido;nessuna;maschile;"
         "01/01/1980;Roma (RM) H501;;concorda;;Partita IVA valida;001 Torino;rimesso lo zero iniziale: 01234560017",
         "Verdi;Anna;F;15/03/1985;Milano;;;completata;Codice calcolato dai dati;nessuna;femminile;15/03/1985;"
         "Milano (MI) F205;;;VRDNNA85C55F205H;;;"]),
    ("ods: repeated rows and cells", ODS, ["IN", "-o", "OUT"], 0, "",
     lambda b: b.decode("utf-8-sig").splitlines()[1:] == ["RSSMRA80A01H501U;;;01/01/1980;12345670017;valida;"
                                                          "Codice fiscale valido;nessuna;maschile;01/01/1980;"
                                                          "Roma (RM) H501;;concorda;;Partita IVA valida;001 Torino;"] * 2),
    ("xlsx from standard input", xlsx_di(["CF"], ["RSSMRA80A01H501U"]), ["-"], 0, "", lambda b: b"valida" in b),
    ("zip bomb", BOMBA, ["IN", "-o", "OUT"], 2, "si espanderebbe a 20 MB", None),
    ("zip without a sheet", zip_di({"a.xml": "x"}), ["IN", "-o", "OUT"], 2, "non un foglio .xlsx o .ods", None),
    ("broken zip", b"PK\x03\x04rotto", ["IN", "-o", "OUT"], 2, "archivio zip danneggiato", None),
    ("standard input and output", VALIDA.encode(), ["-"], 0, "", lambda b: b"valida" in b),
    ("no such file", None, ["manca.csv", "-o", "OUT"], 2, "impossibile leggere manca.csv", None),
    ("bad option", VALIDA.encode(), ["IN", "--sconosciuta"], 2, "sconosciuta", None),
    ("bad format", VALIDA.encode(), ["IN", "--formato", "pdf"], 2, "formato sconosciuto: pdf", None),
    ("no column recognised", b"a;b\n1;2\n", ["IN", "-o", "OUT"], 2, "nessuna colonna riconosciuta", None),
    ("missing column named", VALIDA.encode(), ["IN", "--colonna-nome", "Nome"], 2, "l'elenco non ha la colonna Nome", None),
    ("binary file", b"\x00\x01\x02", ["IN", "-o", "OUT"], 2, "non è una tabella", None),
    ("results over the input", VALIDA.encode(), ["IN", "-o", "IN"], 2, "non possono sostituire", None),
    ("no database", VALIDA.encode(), ["IN", "--dati", "nessuno.mdb"], 2, "impossibile aprire nessuno.mdb", None),
    ("folder that does not exist", VALIDA.encode(), ["IN", "-o", "manca/r.csv"], 2, "impossibile scrivere", None),
]


def xlsx(percorso):
    with open(percorso, "rb") as f:
        foglio = openpyxl.load_workbook(f).active
    righe = [[c.value for c in r] for r in foglio.iter_rows()]
    return righe[0][2] == "Esito della riga" and righe[1][:3] == ["RSSMRA80A01H501U", "12345670017", "valida"] \
        and righe[2][2] == "non valida"


def esegui(nome, ingresso, argomenti, stato, errore, controllo):
    with tempfile.TemporaryDirectory() as cartella:
        nome_uscita = next((a.replace("OUT", "risultati") for a in argomenti if a.startswith("OUT")), "risultati")
        entrata, uscita = os.path.join(cartella, "elenco.csv"), os.path.join(cartella, nome_uscita)
        if ingresso is not None:
            with open(entrata, "wb") as f:
                f.write(ingresso)
        sostituiti = [entrata if a == "IN" else uscita if a.startswith("OUT") else a for a in argomenti]
        dati = [] if "--dati" in argomenti else ["--dati", DATI]
        p = subprocess.run([PROGRAMMA, *sostituiti, *dati],
                           input=ingresso if argomenti == ["-"] else None, capture_output=True, cwd=cartella,
                           timeout=60)
        problemi = []
        if p.returncode != stato:
            problemi.append(f"stato {p.returncode} invece di {stato}")
        if errore not in p.stderr.decode() or (not errore and p.stderr):
            problemi.append(f"standard error: {p.stderr.decode()!r}")
        if ingresso is not None:
            with open(entrata, "rb") as f:
                if f.read() != ingresso:
                    problemi.append("l'elenco è stato modificato")
        if controllo == "xlsx":
            if not xlsx(uscita):
                problemi.append("foglio .xlsx diverso")
        elif controllo:
            risultato = p.stdout if "-" in argomenti else open(uscita, "rb").read()
            if not controllo(risultato):
                problemi.append(f"risultato: {risultato[:300]!r}")
        elif stato == 2 and os.path.exists(uscita):
            problemi.append("un file di risultati incompleto è rimasto")
        if not set(os.listdir(cartella)) <= {"elenco.csv", nome_uscita}:
            problemi.append(f"file avanzati: {os.listdir(cartella)}")
    return problemi


def interrotto(formato):
    """Ctrl-C while rows keep coming from standard input, once the progress
    on the terminal shows the run going: it must end by itself, say why, and
    leave neither the results nor a temporary file (TMPDIR is the folder)."""
    with tempfile.TemporaryDirectory() as cartella:
        terminale, progresso = pty.openpty()
        p = subprocess.Popen([PROGRAMMA, "-", "--formato", formato, "-o", "risultati", "--dati", DATI],
                             stdin=subprocess.PIPE, stderr=progresso, cwd=cartella, env={**os.environ, "TMPDIR": cartella})
        os.close(progresso)

        def alimenta():
            try:
                p.stdin.write(b"CF;P.IVA\n")
                while True:
                    p.stdin.write(b"RSSMRA80A01H501U;12345670017\n" * 1000)
            except OSError:  # the program has ended
                pass
        threading.Thread(target=alimenta, daemon=True).start()
        schermo = b""

        def leggi():
            nonlocal schermo
            try:
                schermo += os.read(terminale, 4096)
                return True
            except OSError:  # the terminal closes with the program
                return False
        while b" righe" not in schermo and leggi():
            pass
        p.send_signal(signal.SIGINT)
        while leggi():
            pass
        os.close(terminale)
        problemi = [] if p.wait(timeout=60) == 2 else [f"stato {p.returncode} invece di 2"]
        if b"brantovel-elenco: interrotto dopo" not in schermo:
            problemi.append(f"standard error: {schermo[-200:]!r}")
        if os.listdir(cartella):
            problemi.append(f"file avanzati: {os.listdir(cartella)}")
    return problemi


falliti = 0
for caso in CASI + [(f"interrupted, {f}", f) for f in ("csv", "xlsx")]:
    problemi = esegui(*caso) if len(caso) > 2 else interrotto(caso[1])
    print(("FAIL  " if problemi else "PASS  ") + caso[0] + "".join("\n      " + p for p in problemi))
    falliti += bool(problemi)
sys.exit(1 if falliti else 0)
