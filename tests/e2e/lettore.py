#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Both tasks with the keyboard alone, heard as a screen reader hears them
through the accessibility bus of a private D-Bus session: after each key the
focus events must name, last, the control that the tree shows focused.

    lettore.py --programma build/brantovel [--schermate CARTELLA] lettore_di_schermo"""

import os
import subprocess
import sys

sys.dont_write_bytecode = True

import casi  # noqa: E402
from schermo import attendi, attendi_appunti, scrivi, tasti  # noqa: E402


def sessione_dbus():
    """A D-Bus session of the test's own, where the accessibility bus starts on demand."""
    uscita = subprocess.run(["dbus-launch"], capture_output=True, text=True, check=True).stdout
    valori = dict(riga.split("=", 1) for riga in uscita.splitlines() if "=" in riga)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = valori["DBUS_SESSION_BUS_ADDRESS"]
    return int(valori["DBUS_SESSION_BUS_PID"])


class Lettore:
    """What the accessibility bus says of one program."""

    # Lists and tables hold thousands of entries that never take the focus here.
    NON_SCENDERE = ("list", "table", "list item", "table cell", "menu item")
    FINESTRE = ("frame", "dialog", "window", "alert", "application")

    def __init__(self, pyatspi):
        from gi.repository import GLib
        self.at = pyatspi
        self.contesto = GLib.MainContext.default()
        self.eventi = []
        pyatspi.Registry.registerEventListener(self.ascolta, "object:state-changed:focused")

    def ascolta(self, evento):
        if evento.detail1 == 1:
            self.eventi.append(self.nome(evento.source))

    def gira(self):
        while self.contesto.iteration(False):
            pass

    def nome(self, oggetto):
        """A list box is called by its caption, the label it is tied to: its own name is its choice."""
        if oggetto.getRoleName() == "combo box":
            for relazione in oggetto.getRelationSet():
                if relazione.getRelationType() == self.at.RELATION_LABELLED_BY:
                    return relazione.getTarget(0).name
        return oggetto.name

    def applicazione(self):
        self.gira()
        return next((a for a in self.at.Registry.getDesktop(0) if a is not None and a.name == "Brantovel"), None)

    def focus_vero(self):
        """The focused control of the active window, as the tree shows it."""
        attive = [f for f in self.applicazione() or [] if f and f.getState().contains(self.at.STATE_ACTIVE)]
        return attive and self.focalizzato(attive[0])

    def focalizzato(self, oggetto):
        """The innermost focused object: a window, or a panel around a button, is focused too."""
        if oggetto.getRoleName() not in self.NON_SCENDERE:
            for figlio in oggetto:
                if figlio is not None and (trovato := self.focalizzato(figlio)):
                    return trovato
        if oggetto.getState().contains(self.at.STATE_FOCUSED) and oggetto.getRoleName() not in self.FINESTRE:
            return oggetto
        return None

    def ascolta_tasti(self, atteso, *nomi, testo=None, passando=()):
        """Sends the keys (or types the text), then waits until the tree shows
        atteso focused and the focus events since are exactly the controls
        passed through (each typed digit moves on to the next box) and atteso."""
        self.gira()
        self.eventi.clear()
        if testo is not None:
            scrivi(testo)
        if nomi:
            tasti(*nomi)

        def giunto():
            self.gira()
            vero = self.focus_vero()
            return self.eventi and self.eventi[-1] == atteso and vero and self.nome(vero) == atteso
        attendi(giunto, f"il focus su «{atteso}»")
        # No control that never had the focus was announced on the way.
        if self.eventi != [*passando, atteso]:
            raise AssertionError(f"verso «{atteso}» annunciati {self.eventi}")


def caso_lettore_di_schermo(prova):
    import pyatspi  # connects to the session made for the test
    lettore = Lettore(pyatspi)
    prova.ambiente.update(DBUS_SESSION_BUS_ADDRESS=os.environ["DBUS_SESSION_BUS_ADDRESS"],
                          QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    prova.avvia()
    prova.principale().attiva()
    attendi(lettore.applicazione, "il programma sul bus dell'accessibilità")
    lettore.ascolta_tasti("Nome", "Tab", testo="rossi")
    lettore.ascolta_tasti("Sesso", "Tab", testo="mario")
    lettore.ascolta_tasti("Comune di nascita", "Tab")
    # No such place: the message, then the box alone is announced; Ctrl+A selects its text.
    lettore.ascolta_tasti("OK", "Tab", testo="x")
    lettore.ascolta_tasti("Comune di nascita", "Return")
    tasti("ctrl+a")
    lettore.ascolta_tasti("Data di nascita", "Tab", testo="rom")
    lettore.ascolta_tasti("Crea codice fiscale", "Tab", testo="01/01/1980")
    lettore.ascolta_tasti("OK", "space")
    lettore.ascolta_tasti("Crea codice fiscale", "Return")
    attendi_appunti("RSS MRA 80A01 H501U")
    lettore.ascolta_tasti("Esci", "Tab")
    lettore.ascolta_tasti("Codice Fiscale", "Tab")
    lettore.ascolta_tasti("Partita IVA, cifra 1", "Tab")
    lettore.ascolta_tasti("Ufficio IVA", testo="00488410010",
                          passando=[f"Partita IVA, cifra {k}" for k in range(2, 12)])
    lettore.ascolta_tasti("Controlla partita IVA", "shift+Tab")
    lettore.ascolta_tasti("OK", "space")
    lettore.ascolta_tasti("Controlla partita IVA", "Return")
    attendi_appunti("00488410010")
    # Closed as a user closes it: it ends by itself, and cleanly.
    prova.principale().attiva()
    tasti("alt+F4")
    assert prova.fine() == 0


if __name__ == "__main__":
    # The case joins casi.py's, which runs it on a real X server with a window manager.
    demone = sessione_dbus()
    try:
        casi.caso_lettore_di_schermo = caso_lettore_di_schermo
        sys.exit(casi.main())
    finally:
        os.kill(demone, 15)
