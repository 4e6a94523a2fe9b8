#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Brantovel end to end, as a person uses it: the program is started as a
separate process on a real X server with a window manager, driven with keys
and mouse clicks through the server, and judged by what can be read from
outside it: window titles, the clipboard, pictures of its windows, and the
addresses it hands to the desktop's web browser.

    casi.py --programma build/brantovel [--schermate CARTELLA] CASO

runs one case on the built program and then, when BRANTOVEL_E2E_INSTALLED
names the installed command (e.g. /usr/bin/brantovel), on the installed one.
Exit code 0: passed; 1: failed."""

import argparse
import contextlib
import os
import shutil
import subprocess
import sys
import tempfile
import traceback
from pathlib import Path
from urllib.parse import urlsplit

sys.dont_write_bytecode = True

import schermo  # noqa: E402
from finestraprincipale import ROSSO, VERDEACQUA, FinestraPrincipale, bianco, scuro  # noqa: E402
from programma import TITOLO_MESSAGGI, TITOLO_PRINCIPALE, Desktop, Programma  # noqa: E402
from schermo import appunti, attendi, scrivi, tasti  # noqa: E402

STRUMENTI = ("xdotool", "xclip", "xwd", "xprop", "openbox")

CASI = {}


def caso(funzione):
    CASI[funzione.__name__.removeprefix("caso_")] = funzione
    return funzione


class Prova:
    """One run of a case: the program's command, a temporary desktop, and the
    processes to end afterwards."""

    def __init__(self, comando, cartella):
        self.comando = Path(comando)
        self.eseguibile = self.comando.resolve()
        self.dati = self.eseguibile.parent / "DatiAtto.mdb"
        self.cartella = Path(cartella)
        self.desktop = Desktop(self.cartella / "desktop")
        # The folder a person works in, which is not the program's.
        self.altrove = self.cartella / "documenti"
        self.altrove.mkdir()
        self._processi = []

    def avvia(self, comando=None, cartella_di_lavoro=None):
        programma = Programma(comando or self.comando, cartella_di_lavoro or self.altrove, self.desktop)
        self._processi.append(programma)
        return programma

    def principale(self, programma):
        return FinestraPrincipale(programma.attendi_finestra(TITOLO_PRINCIPALE))

    def termina_alla_fine(self, processo):
        """A process the case needs, ended with it."""
        self._processi.append(processo)

    def appunti_di_prova(self, testo):
        self._processi.append(schermo.metti_negli_appunti(testo))

    def chiudi(self):
        for processo in reversed(self._processi):
            if isinstance(processo, Programma):
                processo.chiudi()
            elif processo.poll() is None:
                processo.terminate()
                processo.wait()


def solo(programma, *finestre):
    """The program shows these windows and no other: no message is waiting."""
    mostrate = programma.finestre()
    assert set(mostrate) == set(finestre), f"finestre mostrate: {[f.titolo() for f in mostrate]}"


def icona(messaggio):
    """The kind of icon left of a message's text, told by its colour: the
    exclamation mark on yellow, or the information sign on blue."""
    schermata = messaggio.schermata()
    larghezza, altezza = messaggio.dimensioni()
    sinistra = (0, 0, min(70, larghezza // 3), altezza)
    gialli = schermata.conta(sinistra, lambda r, g, b: r > 200 and g > 170 and b < 90)
    blu = schermata.conta(sinistra, lambda r, g, b: b > 150 and r < 100 and g < 170)
    if gialli > 50 and blu < 10:
        return "avviso"
    if blu > 50 and gialli < 10:
        return "informazione"
    return f"nessuna (gialli {gialli}, blu {blu})"


def conferma(programma, messaggio, tipo):
    """Checks the kind of a message by its icon, once drawn, and closes it
    with its OK button from the keyboard."""
    attendi(lambda: icona(messaggio) == tipo, f"l'icona «{tipo}» nel messaggio")
    messaggio.attiva()
    tasti("Return")
    programma.attendi_chiusura(messaggio)


def attendi_appunti(testo):
    attendi(lambda: appunti() == testo, f"{testo!r} negli Appunti")


def verifica_codice(prova, programma, fp, codice):
    """After CreaCodiceFiscale: the information message, then the code on the
    clipboard and in the result box."""
    conferma(programma, programma.attendi_finestra(TITOLO_MESSAGGI), "informazione")
    attendi_appunti(codice)
    prova.appunti_di_prova("-")
    fp.copia("txtCodiceFiscale")
    attendi_appunti(codice)


@caso
def caso_avvio(prova):
    """Started from its own folder, the program opens its window and no message."""
    programma = prova.avvia(cartella_di_lavoro=prova.eseguibile.parent)
    fp = prova.principale(programma)
    solo(programma, fp.finestra)
    schermata = fp.finestra.schermata()
    assert fp.sfondo("Text14", schermata) == ROSSO
    assert fp.sfondo("txtCodiceFiscale", schermata) == VERDEACQUA


def scrivi_persona(fp, cognome, nome, sesso):
    """Types the surname and the name; leaving the name lands in the sex, and
    leaving the sex, in the place of birth."""
    fp.clic("txtCognome")
    scrivi(cognome)
    tasti("Tab")
    scrivi(nome)
    tasti("Tab")
    if sesso == "F":
        # "M" is chosen at start; "F" comes after it in the list.
        tasti("Down")
    tasti("Tab")


@caso
def caso_codice_comune(prova):
    """A person born in an Italian municipality, the place typed and completed."""
    programma = prova.avvia()
    fp = prova.principale(programma)
    scrivi_persona(fp, "rossi", "mario", "M")
    scrivi("rom")
    # Leaving the place confirms the completed name and moves on to the date.
    tasti("Tab")
    scrivi("01/01/1980")
    fp.clic("cmdElabora")
    verifica_codice(prova, programma, fp, "RSS MRA 80A01 H501U")


@caso
def caso_codice_estero(prova):
    """A person born abroad, the state chosen from the list of foreign states."""
    programma = prova.avvia()
    fp = prova.principale(programma)
    scrivi_persona(fp, "Schmidt", "Anna", "F")
    fp.clic("CboStatoEstero")
    # The list opens, typing finds the state in it, Return chooses it; the
    # choice moves on to the date.
    tasti("F4")
    scrivi("Germania")
    tasti("Return")
    scrivi("15/07/1985")
    fp.clic("cmdElabora")
    verifica_codice(prova, programma, fp, "SCH NNA 85L55 Z112L")


@caso
def caso_data_mancante(prova):
    """Without a date of birth, a message and no code; the date is asked for."""
    prova.appunti_di_prova("nessun codice")
    programma = prova.avvia()
    fp = prova.principale(programma)
    scrivi_persona(fp, "ROSSI", "MARIO", "M")
    fp.clic("cmdElabora")
    conferma(programma, programma.attendi_finestra(TITOLO_MESSAGGI), "avviso")
    assert appunti() == "nessun codice"
    schermata = fp.finestra.schermata()
    assert not fp.ha_testo("txtCodiceFiscale", bianco, schermata)
    assert not fp.ha_testo("txtDataNascita", scuro, schermata)
    # The message gave the focus to the date: what is typed next lands there.
    scrivi("01/01/1980")
    attendi(lambda: fp.ha_testo("txtDataNascita"), "la data scritta nella sua casella")


def scrivi_partita_iva(fp, cifre):
    fp.clic("Text4")
    scrivi(cifre)


@caso
def caso_partita_iva(prova):
    """A VAT number with a wrong check digit, then with the right one: only
    the right one is copied and opens the checking page, whose address does
    not carry the number."""
    prova.appunti_di_prova("nessun numero")
    programma = prova.avvia()
    fp = prova.principale(programma)

    scrivi_partita_iva(fp, "12345670018")
    fp.clic("Command2")
    errata = programma.attendi_finestra(TITOLO_PRINCIPALE, tranne=[fp.finestra])
    assert fp.sfondo("Text1") == ROSSO
    conferma(programma, errata, "informazione")
    attendi(lambda: fp.sfondo("Text1") == VERDEACQUA, "il numero di nuovo su verde acqua")
    assert appunti() == "nessun numero"

    scrivi_partita_iva(fp, "12345670017")
    fp.clic("Command2")
    conferma(programma, programma.attendi_finestra(TITOLO_PRINCIPALE, tranne=[fp.finestra]), "informazione")
    attendi_appunti("12345670017")
    indirizzi = attendi(prova.desktop.indirizzi_aperti, "l'indirizzo passato al browser")
    assert len(indirizzi) == 1, f"indirizzi aperti: {indirizzi}"
    parti = urlsplit(indirizzi[0])
    assert parti.scheme in ("http", "https"), indirizzi[0]
    assert (parti.path, parti.query, parti.fragment) == ("/servizi/vies/vies.htm", "act=default&piva=&stato=IT",
                                                         "app"), indirizzi[0]


@caso
def caso_cercacomuni(prova):
    """The municipalities' window, from the menu, beside the main window; Esci
    closes only the main window, and the program ends with the last one."""
    programma = prova.avvia()
    fp = prova.principale(programma)
    fp.clic_menu("CercaComuni")
    comuni = programma.attendi_finestra("Comuni by Ozmir")
    # The grid holds the municipalities, although the program was started
    # from another folder than its own.
    griglia_righe = (5, 30, 700, 260)
    attendi(lambda: comuni.schermata().conta(griglia_righe, scuro) > 100, "i comuni nella griglia")
    # The new window may cover Esci: the main window is brought forward first.
    fp.finestra.attiva()
    fp.clic("Command1")
    programma.attendi_chiusura(fp.finestra)
    programma.verifica_in_esecuzione("che il programma restasse aperto con la finestra dei comuni")
    solo(programma, comuni)
    comuni.attiva()
    tasti("alt+F4")
    assert programma.attendi_fine() == 0


TITOLO_AIUTO = "Help of Brantovel  by Notaio Talvekko"


@caso
def caso_aiuto(prova):
    """The help window from the menu: its text can be read and copied, and a
    change typed into it is gone when the window is opened again."""
    programma = prova.avvia()
    fp = prova.principale(programma)
    fp.clic_menu("Help")
    aiuto = programma.attendi_finestra(TITOLO_AIUTO)
    aiuto.attiva()
    tasti("ctrl+a", "ctrl+c")
    testo = attendi(lambda: (t := appunti()) and "DatiAtto.mdb" in t and t, "il testo dell'aiuto negli Appunti")
    assert testo.startswith("Il programma Brantovel"), testo[:80]
    assert "Partita Iva" in testo
    scrivi("x")
    tasti("alt+F4")
    programma.attendi_chiusura(aiuto)
    solo(programma, fp.finestra)

    fp.clic_menu("Help")
    prova.appunti_di_prova("-")
    programma.attendi_finestra(TITOLO_AIUTO).attiva()
    tasti("ctrl+a", "ctrl+c")
    attendi_appunti(testo)


@caso
def caso_esci(prova):
    """Esci closes the window and ends the program."""
    programma = prova.avvia()
    fp = prova.principale(programma)
    fp.clic("Command1")
    assert programma.attendi_fine() == 0


@caso
def caso_altra_cartella(prova):
    """The `brantovel` command, a link to the program as installed, starts it
    from any folder, and the program finds its database beside itself."""
    if prova.comando.is_symlink():
        cartella_comandi = prova.comando.parent
    else:
        cartella_comandi = prova.cartella / "bin"
        cartella_comandi.mkdir()
        (cartella_comandi / "brantovel").symlink_to(prova.eseguibile)
    prova.desktop.ambiente["PATH"] = f"{cartella_comandi}{os.pathsep}{os.environ['PATH']}"
    programma = prova.avvia(comando="brantovel")
    fp = prova.principale(programma)
    solo(programma, fp.finestra)


def senza_database(prova):
    """The program copied alone into a folder, and DatiAtto.mdb elsewhere
    under its own name and under another one."""
    cartella = prova.cartella / "programma"
    cartella.mkdir()
    shutil.copy2(prova.eseguibile, cartella)
    dati = prova.cartella / "dati"
    dati.mkdir()
    for nome in ("DatiAtto.mdb", "Copia di DatiAtto.mdb"):
        shutil.copy2(prova.dati, dati / nome)
    programma = prova.avvia(comando=cartella / prova.eseguibile.name)
    avviso = programma.attendi_finestra(TITOLO_MESSAGGI)
    # Start-up waits for the database before it shows the window.
    solo(programma, avviso)
    return programma, avviso, dati


@caso
def caso_database_cercato(prova):
    """Without DatiAtto.mdb beside it, the program asks for it; a file of
    another name is refused and asked for again; the right one is opened."""
    programma, avviso, dati = senza_database(prova)
    for nome in ("Copia di DatiAtto.mdb", "DatiAtto.mdb"):
        conferma(programma, avviso, "avviso")
        dialogo = programma.attendi_finestra("Cerca DatiAtto.mdb")
        scrivi(str(dati / nome))
        tasti("Return")
        programma.attendi_chiusura(dialogo)
        if nome != "DatiAtto.mdb":
            avviso = programma.attendi_finestra(TITOLO_MESSAGGI)
    fp = prova.principale(programma)
    solo(programma, fp.finestra)


@caso
def caso_database_non_trovato(prova):
    """Without DatiAtto.mdb, cancelling the search ends the program, with no
    further message."""
    programma, avviso, _ = senza_database(prova)
    conferma(programma, avviso, "avviso")
    programma.attendi_finestra("Cerca DatiAtto.mdb")
    tasti("Escape")
    assert programma.attendi_fine() == 0


@contextlib.contextmanager
def gestore_finestre():
    """A window manager, as on a person's desktop: it gives the focus back to
    a window when a message closes, and closes windows on Alt+F4."""
    with tempfile.TemporaryFile() as uscita:
        processo = subprocess.Popen(["openbox", "--sm-disable"], stdout=uscita, stderr=subprocess.STDOUT)

        def pronto():
            if processo.poll() is not None:
                uscita.seek(0)
                raise RuntimeError(f"openbox è terminato ({processo.returncode}): {uscita.read().decode()}")
            return "window id" in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                                 capture_output=True, text=True).stdout
        try:
            attendi(pronto, "il gestore delle finestre")
            yield
        finally:
            processo.terminate()
            processo.wait()


def esegui(funzione, variante, comando, schermate):
    nome = funzione.__name__.removeprefix("caso_")
    print(f"== {nome} ({variante}: {comando})", flush=True)
    with tempfile.TemporaryDirectory(prefix="brantovel-e2e-") as cartella:
        prova = Prova(comando, cartella)
        try:
            funzione(prova)
            print("   superato", flush=True)
            return "superato"
        except Exception:  # noqa: BLE001 - every failure is reported with its picture
            traceback.print_exc()
            if schermate:
                Path(schermate).mkdir(parents=True, exist_ok=True)
                immagine = schermo.schermo_intero()
                if immagine:
                    file = Path(schermate) / f"{nome}-{variante}.png"
                    immagine.salva_png(file)
                    print(f"   schermata: {file}")
            uscita = prova.desktop.cartella / "uscita-programma.txt"
            if uscita.exists() and uscita.stat().st_size:
                print("   uscita del programma:\n" + uscita.read_text(errors="replace"))
            return "fallito"
        finally:
            prova.chiudi()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--programma", required=True, help="the built executable")
    parser.add_argument("--schermate", help="folder for the pictures of failed cases")
    parser.add_argument("caso", choices=sorted(CASI))
    argomenti = parser.parse_args()

    mancanti = [s for s in STRUMENTI if not shutil.which(s)]
    if mancanti:
        print(f"mancano {', '.join(mancanti)}: installali con scripts/prepara.sh", file=sys.stderr)
        return 1
    varianti = [("costruito", argomenti.programma)]
    if os.environ.get("BRANTOVEL_E2E_INSTALLED"):
        varianti.append(("installato", os.environ["BRANTOVEL_E2E_INSTALLED"]))
    with gestore_finestre():
        esiti = [esegui(CASI[argomenti.caso], variante, comando, argomenti.schermate)
                 for variante, comando in varianti]
    return 1 if "fallito" in esiti else 0


if __name__ == "__main__":
    sys.exit(main())
