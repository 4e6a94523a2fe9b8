# SPDX-License-Identifier: MIT
"""Brantovel started as a separate process on the X server, in a desktop of
its own: Italian locale, settings in a temporary home, and a web browser
that only writes down the addresses it is asked to open."""

import os
import stat
import subprocess
from pathlib import Path

import schermo
from schermo import attendi

TITOLO_PRINCIPALE = "Brantovel by Ozmir"
TITOLO_MESSAGGI = "Brantovel"

# Variables through which a desktop session would choose its own file
# dialogs and its own way of opening web pages.
_SESSIONE_DESKTOP = ("XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION", "GNOME_DESKTOP_SESSION_ID",
                     "KDE_FULL_SESSION", "KDE_SESSION_VERSION", "QT_QPA_PLATFORMTHEME", "WAYLAND_DISPLAY",
                     "LC_ALL", "LANGUAGE")


class Desktop:
    """A temporary home with a recording browser made the default one, both
    for the desktop's own choice (x-scheme-handler) and through BROWSER."""

    def __init__(self, cartella):
        self.cartella = Path(cartella)
        self.casa = self.cartella / "casa"
        self.indirizzi = self.cartella / "indirizzi.txt"
        configurazione = self.casa / ".config"
        applicazioni = self.casa / ".local/share/applications"
        esecuzione = self.cartella / "esecuzione"
        for c in (configurazione, applicazioni, esecuzione):
            c.mkdir(parents=True)
        esecuzione.chmod(0o700)

        registratore = self.cartella / "browser"
        registratore.write_text(f"#!/bin/sh\nprintf '%s\\n' \"$1\" >> '{self.indirizzi}'\n")
        registratore.chmod(registratore.stat().st_mode | stat.S_IXUSR)
        (applicazioni / "browser-di-prova.desktop").write_text(
            "[Desktop Entry]\nType=Application\nName=Browser di prova\n"
            f"Exec={registratore} %u\nMimeType=x-scheme-handler/http;x-scheme-handler/https;\n")
        (configurazione / "mimeapps.list").write_text(
            "[Default Applications]\n"
            "x-scheme-handler/http=browser-di-prova.desktop\nx-scheme-handler/https=browser-di-prova.desktop\n")

        self.ambiente = {k: v for k, v in os.environ.items() if k not in _SESSIONE_DESKTOP}
        self.ambiente.update(
            HOME=str(self.casa), XDG_CONFIG_HOME=str(configurazione),
            XDG_DATA_HOME=str(self.casa / ".local/share"), XDG_CACHE_HOME=str(self.casa / ".cache"),
            XDG_RUNTIME_DIR=str(esecuzione), BROWSER=str(registratore),
            LANG="it_IT.UTF-8", QT_QPA_PLATFORM="xcb",
            # Qt draws into shared memory that Xvfb does not always show on
            # the screen: the windows would look black in the pictures.
            QT_XCB_NO_MITSHM="1")

    def indirizzi_aperti(self):
        return self.indirizzi.read_text().splitlines() if self.indirizzi.exists() else []


class Programma:
    def __init__(self, comando, cartella_di_lavoro, desktop):
        self.desktop = desktop
        self.registro = open(desktop.cartella / "uscita-programma.txt", "ab")
        self.processo = subprocess.Popen([str(comando)], cwd=cartella_di_lavoro, env=desktop.ambiente,
                                         stdin=subprocess.DEVNULL, stdout=self.registro, stderr=subprocess.STDOUT)

    def finestre(self, titolo=None):
        return schermo.finestre_visibili(self.processo.pid, titolo)

    def attendi_finestra(self, titolo, tranne=()):
        """Waits for the one window with this title that is not among tranne."""
        def trovata():
            self.verifica_in_esecuzione(f"la finestra «{titolo}»")
            nuove = [f for f in self.finestre(titolo) if f not in tranne]
            return nuove[0] if len(nuove) == 1 else None
        return attendi(trovata, f"la finestra «{titolo}»")

    def attendi_chiusura(self, finestra):
        attendi(lambda: finestra not in self.finestre(), f"la chiusura di {finestra}")

    def verifica_in_esecuzione(self, attesa):
        if self.processo.poll() is not None:
            raise AssertionError(f"il programma è terminato (codice {self.processo.returncode}) "
                                 f"mentre si attendeva {attesa}")

    def attendi_fine(self):
        """Waits for the program to end by itself and returns its exit code."""
        try:
            return self.processo.wait(timeout=schermo.LIMITE)
        except subprocess.TimeoutExpired:
            raise AssertionError("il programma non è terminato") from None

    def chiudi(self):
        if self.processo.poll() is None:
            self.processo.terminate()
            try:
                self.processo.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.processo.kill()
                self.processo.wait()
        self.registro.close()
