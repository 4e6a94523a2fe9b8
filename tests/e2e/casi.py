#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Brantovel end to end, one case per task a person does with it: the program
started on its own on a real X server with a window manager, driven with keys
and clicks through the server, judged by what shows outside it: windows, the
clipboard, the address handed to the web browser.

    casi.py --programma build/brantovel [--schermate CARTELLA] CASO

runs one case on the built program and then, when BRANTOVEL_E2E_INSTALLED
names the installed command (e.g. /usr/bin/brantovel), on the installed one."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import traceback
from pathlib import Path
from urllib.parse import urlsplit

sys.dont_write_bytecode = True

from schermo import Finestra, appunti, attendi, attendi_appunti, finestre, gestore_vivo, scrivi, tasti, xdotool  # noqa: E402

PRINCIPALE = "Brantovel by Ozmir"
MESSAGGI = "Brantovel"

# The main window's controls, in twips (15 to a pixel) from the top left
# corner of the area below the menu bar, which is 6405 twips high.
CONTROLLI = {"txtCognome": (1680, 720), "cboComune": (1680, 2640), "cmdElabora": (720, 5040),
             "Command1": (4800, 5040), "Command2": (6840, 5040), "Text4": (6840, 240)}
MENU = ("Help", "CercaComuni", "VerificaCodice", "ControllaElenco", "AggiornaLuoghi")


class Prova:
    """One run of a case: a temporary desktop whose web browser only writes
    down the addresses it is given, the program as a `brantovel` command on
    the PATH, and a working folder that is not the program's."""

    def __init__(self, comando, cartella):
        self.eseguibile = Path(comando).resolve()
        self.cartella = Path(cartella)
        self.indirizzi = self.cartella / "indirizzi.txt"
        casa, comandi, self.documenti = (self.cartella / c for c in ("casa", "bin", "documenti"))
        applicazioni = casa / ".local/share/applications"
        for c in (applicazioni, casa / ".config", comandi, self.documenti):
            c.mkdir(parents=True)
        (comandi / "brantovel").symlink_to(Path(comando).absolute())
        browser = self.cartella / "browser"
        browser.write_text(f"#!/bin/sh\nprintf '%s\\n' \"$1\" >> '{self.indirizzi}'\n")
        browser.chmod(0o755)
        (applicazioni / "browser.desktop").write_text(
            f"[Desktop Entry]\nType=Application\nName=Browser\nExec={browser} %u\n"
            "MimeType=x-scheme-handler/http;x-scheme-handler/https;\n")
        (casa / ".config/mimeapps.list").write_text(
            "[Default Applications]\nx-scheme-handler/http=browser.desktop\nx-scheme-handler/https=browser.desktop\n")
        self.ambiente = {k: v for k, v in os.environ.items()
                         if not k.startswith(("XDG_", "KDE_", "GNOME_", "DESKTOP_", "QT_", "WAYLAND", "LC_"))}
        self.ambiente.update(HOME=str(casa), PATH=f"{comandi}{os.pathsep}{os.environ['PATH']}", BROWSER=str(browser),
                             LANG="it_IT.UTF-8", QT_QPA_PLATFORM="xcb",
                             # Xvfb does not always show what Qt draws into shared memory.
                             QT_XCB_NO_MITSHM="1")
        self.uscita = self.cartella / "uscita-programma.txt"
        self.processo = None

    def avvia(self, comando="brantovel"):
        with open(self.uscita, "ab") as uscita:
            self.processo = subprocess.Popen([str(comando)], cwd=self.documenti, env=self.ambiente,
                                             stdin=subprocess.DEVNULL, stdout=uscita, stderr=subprocess.STDOUT)

    def finestra(self, titolo, tranne=()):
        """Waits for the one window with this title that is not among tranne."""
        def trovata():
            if self.processo.poll() is not None:
                raise AssertionError(f"il programma è terminato ({self.processo.returncode}) attendendo «{titolo}»")
            nuove = [f for f in finestre(self.processo.pid, titolo) if f not in tranne]
            return nuove[0] if len(nuove) == 1 else None
        return attendi(trovata, f"la finestra «{titolo}»")

    def chiusa(self, finestra):
        attendi(lambda: finestra not in finestre(self.processo.pid), "la chiusura della finestra")

    def principale(self):
        return FinestraPrincipale(self.finestra(PRINCIPALE))

    def conferma(self, titolo=MESSAGGI, tranne=()):
        """Closes the message that comes up, with its OK button from the keyboard."""
        messaggio = self.finestra(titolo, tranne)
        messaggio.attiva()
        tasti("Return")
        self.chiusa(messaggio)

    def scegli_file(self, voce, titolo, dialogo, percorso):
        """Starts the program and opens the menu entry's window, where Alt+S
        opens the file dialog; the path typed and Return choose the file.
        Gives the main window and the entry's."""
        self.avvia()
        fp = self.principale()
        fp.scegli_dal_menu(voce)
        finestra = self.finestra(titolo)
        finestra.attiva()
        tasti("alt+s")
        scelta = self.finestra(dialogo)
        scelta.attiva()
        scrivi(str(percorso))
        tasti("Return")
        self.chiusa(scelta)
        return fp, finestra

    def fine(self):
        """Waits for the program to end by itself and gives its exit code; a
        build that counts its lines writes them all out as it ends."""
        return self.processo.wait(timeout=60)

    def chiudi(self):
        if self.processo and self.processo.poll() is None:
            self.processo.kill()
            self.processo.wait()


class FinestraPrincipale(Finestra):
    def __init__(self, finestra):
        super().__init__(finestra.wid)
        self.menu = self.dimensioni()[1] - round(6405 / 15)

    def clic_su(self, controllo):
        sinistra, alto = CONTROLLI[controllo]
        self.clic(round(sinistra / 15) + 8, round(alto / 15) + self.menu + 8)

    def scegli_dal_menu(self, voce):
        """F10 lights the menu bar's first entry; the arrows move along it."""
        self.attiva()
        tasti("F10", *["Right"] * MENU.index(voce), "Return")


def caso_codice_fiscale(prova):
    """A person born in an Italian municipality: the place typed and completed,
    the code computed, shown and copied."""
    prova.avvia()
    fp = prova.principale()
    fp.clic_su("txtCognome")
    # Leaving the name lands in the sex, leaving the sex in the place of birth,
    # leaving the place confirms the completed name and moves to the date.
    scrivi("rossi\tmario\t\trom\t01/01/1980")
    fp.clic_su("cmdElabora")
    prova.conferma()
    attendi_appunti("RSS MRA 80A01 H501U")


def caso_partita_iva(prova):
    """A right VAT number is copied and opens the checking page, whose address
    does not carry the number."""
    prova.avvia()
    fp = prova.principale()
    fp.clic_su("Text4")
    scrivi("12345670017")
    fp.clic_su("Command2")
    prova.conferma(PRINCIPALE, tranne=[fp])
    attendi_appunti("12345670017")
    indirizzi = attendi(lambda: prova.indirizzi.exists() and prova.indirizzi.read_text().split(),
                        "l'indirizzo passato al browser")
    parti = urlsplit(indirizzi[0])
    assert len(indirizzi) == 1 and (parti.scheme, parti.netloc) == ("https", "www1.agenziaentrate.gov.it"), indirizzi
    assert (parti.path, parti.query, parti.fragment) == ("/servizi/vies/vies.htm", "act=default&piva=&stato=IT",
                                                         "app"), indirizzi[0]


def caso_cercacomuni(prova):
    """The municipalities' window from the menu; Esci closes only the main
    window, and the program ends with the last one."""
    prova.avvia()
    fp = prova.principale()
    fp.scegli_dal_menu("CercaComuni")
    comuni = prova.finestra("Comuni by Ozmir - Dati dei luoghi aggiornati al 22/01/2024")
    fp.clic_su("Command1")
    prova.chiusa(fp)
    assert finestre(prova.processo.pid) == [comuni]
    comuni.attiva()
    tasti("alt+F4")
    prova.chiusa(comuni)
    assert prova.fine() == 0


def caso_aiuto(prova):
    """The help window from the menu: its text can be read and copied."""
    prova.avvia()
    fp = prova.principale()
    fp.scegli_dal_menu("Help")
    prova.finestra("Help of Brantovel  by Notaio Talvekko").attiva()
    tasti("ctrl+a", "ctrl+c")
    testo = attendi(lambda: (t := appunti()) and "DatiAtto.mdb" in t and t, "il testo dell'aiuto negli Appunti")
    assert testo.startswith("Il programma Brantovel"), testo[:80]


def caso_aggiorna_luoghi(prova):
    """A register with a place formed after the data, chosen and applied in the
    dialog: started again, the program completes that place and computes a
    code for it."""
    registro = prova.documenti / "ANPR_archivio_comuni.csv"
    registro.write_bytes((Path(__file__).resolve().parents[2] / "data/anpr/comuni_anpr_2024.csv").read_bytes() +
                         b'1,2025-01-01,9999-12-31,018999,M999,"NUOVO PAESE",X,,,18,018,03,,active,PV,,2025-01-01,\n')
    fp, dialogo = prova.scegli_file("AggiornaLuoghi", "Aggiorna i luoghi", "Scegli l'archivio dei comuni", registro)
    # Once the changes are shown, Applica has the keyboard.
    dialogo.attiva()
    tasti("Return")
    prova.conferma()
    prova.chiusa(dialogo)
    fp.attiva()
    tasti("alt+F4")
    assert prova.fine() == 0
    prova.avvia()
    fp = prova.principale()
    fp.clic_su("txtCognome")
    scrivi("rossi\tmario\t\tnuovo pa\t01/01/2025")
    fp.clic_su("cmdElabora")
    prova.conferma()
    attendi_appunti("RSS MRA 25A01 M999C")


def caso_controlla_elenco(prova):
    """The example list chosen, checked and its results saved from the window:
    the file saved holds what brantovel-elenco writes for the same list."""
    esempio = Path(__file__).resolve().parents[2] / "docs/elenco-esempio.csv"
    salvati = prova.documenti / "risultati.csv"
    _, elenco = prova.scegli_file("ControllaElenco", "Controllo di un elenco", "Scegli l'elenco da controllare", esempio)
    elenco.attiva()
    tasti("alt+c")
    # "Salva risultati" answers only once the check is over: until then Alt+V
    # does nothing, and it is pressed again. One that reaches the dialog as it
    # comes up finds nothing to do there either.
    def salva():
        if dialogo := finestre(prova.processo.pid, "Salva i risultati"):
            return dialogo[0]
        if xdotool("getactivewindow").strip() == str(elenco.wid):
            tasti("alt+v")
        return None
    attendi(salva, "la fine del controllo e il dialogo «Salva i risultati»").attiva()
    scrivi(str(salvati))
    tasti("Return")
    attendi(salvati.exists, "il file dei risultati")
    atteso = subprocess.run([prova.eseguibile.parent / "brantovel-elenco", esempio], env=prova.ambiente,
                            capture_output=True, check=False)
    assert atteso.returncode == 1, atteso.stderr
    assert salvati.read_bytes() == atteso.stdout, salvati.read_text()


def caso_database_cercato(prova):
    """The program alone in a folder asks for DatiAtto.mdb: cancelling the
    search ends it; started again, it opens the one the user finds elsewhere.
    A DatiAtto.mdb that is no database is reported and ends it with an error."""
    cartella = prova.cartella / "programma"
    cartella.mkdir()
    shutil.copy2(prova.eseguibile, cartella)
    shutil.copy2(prova.eseguibile.parent / "DatiAtto.mdb", prova.documenti)
    programma = cartella / prova.eseguibile.name
    guasto = cartella / "DatiAtto.mdb"
    guasto.write_bytes(b"non un database " * 64)
    prova.avvia(programma)
    prova.conferma()
    assert prova.fine() == 1
    guasto.unlink()
    for tasto in ("Escape", "Return"):
        prova.avvia(programma)
        prova.conferma()
        prova.finestra("Cerca DatiAtto.mdb").attiva()
        if tasto == "Escape":
            tasti(tasto)
            assert prova.fine() == 0
    scrivi(str(prova.documenti / "DatiAtto.mdb"))
    tasti("Return")
    prova.principale()


def esegui(nome, comando, schermate):
    with tempfile.TemporaryDirectory(prefix="brantovel-e2e-") as cartella:
        prova = Prova(comando, cartella)
        try:
            globals()["caso_" + nome](prova)
            return True
        except Exception:  # noqa: BLE001 - every failure is reported with a picture of the screen
            traceback.print_exc()
            if schermate:
                Path(schermate).mkdir(parents=True, exist_ok=True)
                subprocess.run(["xwd", "-silent", "-root", "-out", f"{schermate}/{nome}.xwd"], check=False)
            print("uscita del programma:\n" + prova.uscita.read_text(errors="replace"))
            return False
        finally:
            prova.chiudi()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--programma", required=True)
    parser.add_argument("--schermate", help="folder for a picture of the screen when a case fails")
    parser.add_argument("caso", choices=[n[5:] for n in globals() if n.startswith("caso_")])
    argomenti = parser.parse_args()
    comandi = [argomenti.programma] + [c for c in [os.environ.get("BRANTOVEL_E2E_INSTALLED")] if c]
    # A window manager, as on a person's desktop: it gives the keyboard back
    # to a window when a message closes, and closes windows on Alt+F4.
    gestore = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        attendi(lambda: gestore.poll() is None and gestore_vivo(), "il gestore delle finestre")
        return 0 if all([esegui(argomenti.caso, c, argomenti.schermate) for c in comandi]) else 1
    finally:
        gestore.terminate()
        gestore.wait()


if __name__ == "__main__":
    sys.exit(main())
