#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Brantovel as a screen reader reads it: the running program's tree of
accessible objects, read through the desktop's accessibility bus (AT-SPI)
on a session bus of its own. Every control of the main window, the
municipalities' window, the verification window and the help window has a
name, no two editable controls share one, and a place marked red says why.

    accessibilita.py --programma build/brantovel [--schermate CARTELLA] accessibilita
"""

import os
import subprocess
import sys

sys.dont_write_bytecode = True

import pyatspi  # noqa: E402
from gi.repository import GLib  # noqa: E402

import casi  # noqa: E402
from schermo import attendi, scrivi, tasti  # noqa: E402

# Where a screen reader does not go control by control: the rows of a list
# or a grid are read as their contents.
RUOLI_ELENCO = ("list", "table")
RUOLI_CONTROLLO = ("push button", "radio button", "combo box", "table", "text")


def bus_di_sessione(prova):
    """A session bus for the program and for us, ended by the caller; the
    accessibility bus is started on it on demand."""
    demone = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"], env=prova.ambiente,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    indirizzo = demone.stdout.readline().strip()
    prova.ambiente.update(DBUS_SESSION_BUS_ADDRESS=indirizzo, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    # Our own reading of the bus goes through the same session.
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = indirizzo
    return demone


def controlli(nodo):
    """The controls under a node, without the rows of lists and grids."""
    for i in range(nodo.childCount):
        figlio = nodo.getChildAtIndex(i)
        if figlio is None:
            continue
        if figlio.getRoleName() in RUOLI_CONTROLLO:
            yield figlio
        if figlio.getRoleName() not in RUOLI_ELENCO:
            yield from controlli(figlio)


def detto(controllo):
    """The name a screen reader says. A list box gives its choice as its name
    and is called by the caption tied to it."""
    if controllo.getRoleName() != "combo box":
        return controllo.name
    etichette = [r.getTarget(0).name for r in controllo.getRelationSet()
                 if r.getRelationType() == pyatspi.RELATION_LABELLED_BY]
    return etichette[0] if etichette else ""


def finestra(applicazione, titolo):
    def trovata():
        applicazione.clearCache()
        return next((f for f in applicazione if f is not None and f.name == titolo and f.childCount), None)
    return attendi(trovata, f"la finestra «{titolo}» fra gli oggetti accessibili")


def verifica_nomi(applicazione, titolo):
    trovati = list(controlli(finestra(applicazione, titolo)))
    assert trovati, f"nessun controllo in «{titolo}»"
    senza_nome = [c.getRoleName() for c in trovati if not detto(c).strip()]
    assert not senza_nome, f"«{titolo}»: controlli senza nome: {senza_nome}"
    modificabili = [c.name for c in trovati if c.getState().contains(pyatspi.STATE_EDITABLE)]
    doppi = sorted({n for n in modificabili if modificabili.count(n) > 1})
    assert not doppi, f"«{titolo}»: nomi di più controlli modificabili: {doppi}"
    return trovati


def caso_accessibilita(prova):
    demone = bus_di_sessione(prova)
    try:
        leggi_il_programma(prova)
    finally:
        demone.terminate()
        demone.wait()


def leggi_il_programma(prova):
    # Listened to before the program starts, which then knows from the start
    # that someone listens.
    annunci = []
    pyatspi.Registry.registerEventListener(lambda e: annunci.append((e.source.name, e.source.description)),
                                           "object:property-change:accessible-description")
    prova.avvia()
    fp = prova.principale()

    def trovata():
        scrivania = pyatspi.Registry.getDesktop(0)
        scrivania.clearCache()
        return next((a for a in scrivania if a is not None and a.get_process_id() == prova.processo.pid), None)
    applicazione = attendi(trovata, "il programma sul bus dell'accessibilità")

    verifica_nomi(applicazione, casi.PRINCIPALE)
    # No place begins with an x: the first key released marks the box red,
    # silently, and the box announces why.
    fp.clic_su("cboComune")
    scrivi("x")

    def annunciato():
        GLib.MainContext.default().iteration(False)  # hands over the events received
        return ("Comune di nascita", "Comune inesistente") in annunci
    attendi(annunciato, "il motivo del rosso, annunciato")

    for voce, titolo in (("CercaComuni", "Comuni by Ozmir"), ("VerificaCodice", "Verifica codice fiscale"),
                         ("Help", "Help of Brantovel  by Notaio Talvekko")):
        fp.attiva()
        fp.clic_menu(voce)
        finestra = prova.finestra(titolo)
        verifica_nomi(applicazione, titolo)
        finestra.attiva()
        tasti("alt+F4")
        prova.chiusa(finestra)


if __name__ == "__main__":
    # Run as one more case, on the same desktop as the others.
    casi.caso_accessibilita = caso_accessibilita
    sys.exit(casi.main())
