# SPDX-License-Identifier: MIT
"""brantovel-elenco run as a script would: exit statuses, outputs, refusals.

python3 cli.py PROGRAMMA DATIATTO
"""
import datetime
import io
import json
import os
import pty
import resource
import shutil
import signal
import sqlite3
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
MOLTE = (VALIDA + "RSSMRA80A01H501U,12345670017\n" * 3000).encode()  # about 400 KB of results
# The register without its VAT offices: a lookup fails in the middle of a run.
COPIA = tempfile.TemporaryDirectory()
SENZA_UFFICI = shutil.copy(DATI, os.path.join(COPIA.name, "DatiAtto.mdb"))
sqlite3.connect(SENZA_UFFICI).execute("DROP TABLE CodiciUfficioIva").connection.commit()


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
<table:table-cell><text:p>Data di nascita</text:p></table:table-cell><table:table-cell><text:p>P.IVA</text:p></table:table-cell>
<table:table-cell><text:p>Note</text:p></table:table-cell></table:table-row>
<table:table-row table:number-rows-repeated="2"><table:table-cell><text:p>RSSMRA80A01H501U</text:p></table:table-cell>
<table:table-cell table:number-columns-repeated="2"/><table:table-cell office:value-type="date" office:date-value="1980-01-01">
<text:p>1/1/80</text:p></table:table-cell><table:table-cell office:value-type="float" office:value="12345670017"/>
<table:table-cell><text:p>uno</text:p><text:p>due</text:p></table:table-cell></table:table-row>
<table:table-row table:number-rows-repeated="1048570"><table:table-cell table:number-columns-repeated="1024"/></table:table-row>
</table:table><table:table><table:table-row><table:table-cell><text:p>no</text:p></table:table-cell></table:table-row>
</table:table></office:spreadsheet></office:body></office:document-content>"""})
# A workbook of the least parts, its first sheet xl/s.xml.
XLSX = {"xl/workbook.xml": '<workbook><sheets><sheet r:id="a" xmlns:r="r"/></sheets></workbook>',
        "xl/_rels/workbook.xml.rels": '<Relationships><Relationship Id="a" Target="s.xml"/></Relationships>'}


def foglio_di(*righe):
    return "<worksheet><sheetData>" + "".join(f"<row>{r}</row>" for r in righe)


def bomba(parte):
    return zip_di({**(XLSX if parte.startswith("xl/") else {}), parte: " " * (20 << 20)})


# Shared texts (one in two runs of different fonts, with its reading aid),
# a formula's value, an index past the texts, a cell with only a style.
TESTI = zip_di({**XLSX, "xl/sharedStrings.xml": '<sst><si><t>CF</t></si><si><r><t>RSSMRA80A01</t></r><r><rPr><b/></rPr>'
                '<t>H501U</t></r><rPh><t>rossi</t></rPh></si></sst>',
                "xl/s.xml": foglio_di('<c r="A1" t="s"><v>0</v></c><c r="B1" t="inlineStr"><is><t>Importo</t></is></c>'
                                   '<c r="C1" t="inlineStr"><is><t>Altro</t></is></c>', '<c r="A2" t="s"><v>1</v></c>'
                                   '<c r="B2"><f>1/8</f><v>0.125</v></c><c r="C2" t="s"><v>9</v></c><c r="D2" s="1"/>')
                + "</sheetData></worksheet>"})
# The sheet's packed bytes spoilt from the start (it is the first part).
GUASTO = zip_di({"xl/s.xml": foglio_di("<c/>" * 100), **XLSX})
GUASTO = GUASTO[:38] + b"\xff" * 8 + GUASTO[46:]

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
     lambda b: b.decode("utf-8-sig").split("\r\n")[1:] == ["RSSMRA80A01H501U;;;01/01/1980;12345670017;\"uno\ndue\";valida;"
                                                          "Codice fiscale valido;nessuna;maschile;01/01/1980;"
                                                          "Roma (RM) H501;;concorda;;Partita IVA valida;001 Torino;"] * 2 + [""]),
    ("xlsx: shared texts, formula, text index out of range", TESTI, ["IN", "-o", "OUT"], 0, "",
     lambda b: b.decode("utf-8-sig").splitlines()[1].startswith("RSSMRA80A01H501U;0.125;;valida")),
    ("UTF-16 big-endian, quotes kept", b"\xfe\xff" + 'CF,Nota\nRSSMRA80A01H501U,"a""b"\n'.encode("utf-16-be"),
     ["IN", "-o", "OUT"], 0, "", lambda b: b.decode("utf-16").splitlines()[1].startswith('RSSMRA80A01H501U,"a""b",valida')),
    ("JSON: escapes, empty and repeated names", b'CF;;CF\nRSSMRA80A01H501U;"a""b\\\tc";x\n', ["IN", "--formato", "json"], 0,
     "", lambda b: list(json.loads(b)[0].items())[:3] == [("CF", "RSSMRA80A01H501U"), (" (2)", 'a"b\\\tc'), ("CF (3)", "x")]),
    ("column named", b"a;Codice\nx;RSSMRA80A01H501U\n", ["IN", "--colonna-cf", "codice"], 0, "", lambda b: b"valida" in b),
    ("help", None, ["--help"], 0, "", lambda b: b"--colonna-cf" in b),
    ("version", None, ["--version"], 0, "", lambda b: b.startswith(b"brantovel-elenco ")),
    ("no list named", None, [], 2, "indicare un solo elenco", None),
    ("empty list", b"", ["IN", "-o", "OUT"], 2, "è vuoto", None),
    ("xlsx from standard input", xlsx_di(["CF"], ["RSSMRA80A01H501U"]), ["-"], 0, "", lambda b: b"valida" in b),
    *[(f"zip bomb in {p}", bomba(p), ["IN", "-o", "OUT"], 2, "si espanderebbe a 20 MB", None)
      for p in ("xl/s.xml", "xl/workbook.xml", "xl/sharedStrings.xml", "content.xml")],
    ("workbook without sheets", zip_di({**XLSX, "xl/workbook.xml": "<workbook/>"}), ["IN"], 2, "nessun foglio nella", None),
    ("shared texts cut short", zip_di({**XLSX, "xl/s.xml": "", "xl/sharedStrings.xml": "<sst><si><t>CF"}), ["IN"], 2,
     "testi condivisi illeggibili", None),
    ("sheet packed data spoilt", GUASTO, ["IN", "-o", "OUT"], 2, "non è un foglio di calcolo leggibile", None),
    ("sheet cut short after its rows", zip_di({**XLSX, "xl/s.xml": foglio_di('<c t="inlineStr"><is><t>CF</t></is></c>',
     "<c><v>1</v></c>")}), ["IN", "-o", "OUT"], 2, "non è un foglio di calcolo leggibile", None),
    ("document without a table", zip_di({"content.xml": "<document/>"}), ["IN"], 2, "nessun foglio nel documento", None),
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
    ("no database", VALIDA.encode(), ["IN", "--dati", "nessuno.mdb"], 2,
     "impossibile aprire nessuno.mdb: Impossibile trovare il file 'nessuno.mdb'.", None),
    ("folder that does not exist", VALIDA.encode(), ["IN", "-o", "manca/r.csv"], 2, "impossibile scrivere", None),
    ("a database lookup fails", VALIDA.encode(), ["IN", "-o", "OUT", "--dati", SENZA_UFFICI], 2, "errore del database", None),
    ("standard input too large", b"PK\x03\x04" + bytes(256 << 20), ["-"], 2, "non può superare 256 MB", None),
    ("standard input a folder", None, ["-", "<."], 2, "lettura non riuscita", None),
    ("no temporary folder for standard input", TESTI, ["-", "TMPDIR=/dev/null"], 2, "impossibile creare un file temp", None),
    ("temporary copy of standard input", b"PK\x03\x04" + bytes(1 << 20), ["-", "FSIZE=131072"], 2, "file temporaneo", None),
    ("temporary copy, the disk full at once", TESTI, ["-", "FSIZE=0"], 2, "impossibile scrivere un file temporaneo", None),
    ("no temporary folder for the sheet", DUBBIA.encode(), ["IN", "-o", "OUT.xlsx", "TMPDIR=/dev/null"], 2, "in /dev/null", None),
    ("results file filled", MOLTE, ["IN", "-o", "OUT", "FSIZE=131072"], 2, "scrittura dei risultati non riuscita", None),
    ("standard output full", VALIDA.encode(), ["IN", ">/dev/full"], 2, "scrittura sullo standard output", None),
    ("standard output full, sheet", MOLTE, ["IN", "--formato", "xlsx", ">/dev/full"], 2, "scrittura dei risultati", None),
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
        if "IN" in argomenti:
            with open(entrata, "wb") as f:
                f.write(ingresso)
        # NAME=value goes to the environment (FSIZE: a limit on file sizes), <file and >file redirect.
        ambiente = dict(a.split("=", 1) for a in argomenti if "=" in a)
        flussi = {a[0]: os.open(os.path.join(cartella, a[1:]), os.O_RDONLY if a[0] == "<" else os.O_WRONLY)
                  for a in argomenti if a[0] in "<>"}
        sostituiti = [entrata if a == "IN" else uscita if a.startswith("OUT") else a for a in argomenti
                      if "=" not in a and a[0] not in "<>"]
        dati = [] if "--dati" in argomenti else ["--dati", DATI]
        p = subprocess.run([PROGRAMMA, *sostituiti, *dati], input=ingresso if argomenti[:1] == ["-"] else None,
                           stdin=flussi.get("<"), stdout=flussi.get(">", subprocess.PIPE), stderr=subprocess.PIPE,
                           cwd=cartella, env={**os.environ, **ambiente}, timeout=60,
                           preexec_fn=lambda: "FSIZE" in ambiente and (
                               signal.signal(signal.SIGXFSZ, signal.SIG_IGN),
                               resource.setrlimit(resource.RLIMIT_FSIZE, (int(ambiente["FSIZE"]),) * 2)))
        for f in flussi.values():
            os.close(f)
        problemi = []
        if p.returncode != stato:
            problemi.append(f"stato {p.returncode} invece di {stato}")
        if errore not in p.stderr.decode() or (not errore and p.stderr):
            problemi.append(f"standard error: {p.stderr.decode()!r}")
        if "IN" in argomenti:
            with open(entrata, "rb") as f:
                if f.read() != ingresso:
                    problemi.append("l'elenco è stato modificato")
        if controllo == "xlsx":
            if not xlsx(uscita):
                problemi.append("foglio .xlsx diverso")
        elif controllo:
            risultato = open(uscita, "rb").read() if any(a.startswith("OUT") for a in argomenti) else p.stdout
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
