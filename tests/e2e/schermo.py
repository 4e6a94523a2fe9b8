# SPDX-License-Identifier: MIT
"""The X server as a person meets it: windows found by their titles, keys and
clicks sent through the server, the clipboard read back from outside the
program. Every wait polls for what it waits for."""

import re
import subprocess
import time

LIMITE = 20.0  # seconds a window may take to appear, go away or take the keyboard


def attendi(condizione, cosa):
    """Polls until condizione() gives a true value, and returns it."""
    fine = time.monotonic() + LIMITE
    while not (risultato := condizione()):
        if time.monotonic() > fine:
            raise AssertionError(f"dopo {LIMITE:.0f} s, ancora nulla: {cosa}")
        time.sleep(0.05)
    return risultato


def xdotool(*argomenti):
    esito = subprocess.run(["xdotool", *map(str, argomenti)], capture_output=True, text=True, timeout=15)
    # A search that finds nothing ends with 1 and prints nothing; so does
    # asking for the active window while the keyboard passes from one to another.
    if esito.returncode != 0 and not (esito.returncode == 1 and argomenti[0] in ("search", "getactivewindow")):
        raise RuntimeError(f"xdotool {' '.join(map(str, argomenti))}: {esito.stderr.strip()}")
    return esito.stdout


def finestre(pid, titolo=None):
    """The process's windows on the screen; with a title, those with exactly that one."""
    filtro = ["--name", "^" + re.sub(r"([][\\.^$|?*+(){}])", r"\\\1", titolo) + "$"] if titolo is not None else []
    trovate = [Finestra(int(w)) for w in xdotool("search", "--all", "--onlyvisible", "--pid", pid, *filtro).split()]
    # xdotool matches titles without regard to case.
    return [f for f in trovate if titolo is None or f.titolo() == titolo]


def gestore_vivo():
    """Whether a window manager runs: the root window names the manager's check
    window, and that window exists and names itself. A manager that exited may
    leave the root's property behind, naming a window that is gone."""
    def controllo(*dove):
        uscita = subprocess.run(["xprop", *dove, "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True).stdout
        trovato = re.search(r"window id # (0x[0-9a-f]+)", uscita)
        return trovato and trovato.group(1)
    radice = controllo("-root")
    return bool(radice) and controllo("-id", radice) == radice


def tasti(*nomi):
    """Keys by their X names ("Tab", "Return", "ctrl+c"), to the window that has the keyboard."""
    xdotool("key", "--delay", 60, *nomi)


def scrivi(testo):
    xdotool("type", "--delay", 60, testo)


def appunti():
    """The text on the clipboard, or None when no program holds one."""
    esito = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True, timeout=10)
    return esito.stdout.decode() if esito.returncode == 0 else None


def attendi_appunti(testo):
    attendi(lambda: appunti() == testo, f"{testo!r} negli Appunti")


class Finestra:
    def __init__(self, wid):
        self.wid = wid

    def __eq__(self, altra):
        return isinstance(altra, Finestra) and altra.wid == self.wid

    def __hash__(self):
        return self.wid

    def titolo(self):
        return xdotool("getwindowname", self.wid).rstrip("\n")

    def dimensioni(self):
        campi = dict(riga.split("=", 1) for riga in xdotool("getwindowgeometry", "--shell", self.wid).split())
        return int(campi["WIDTH"]), int(campi["HEIGHT"])

    def attiva(self):
        """Brings the window forward and waits until it has the keyboard:
        keys sent before would go to the window that had it. The request is
        repeated while waiting: a window that has just appeared may still be
        given the keyboard by the window manager after the request is served."""
        def attiva():
            xdotool("windowactivate", self.wid)
            return xdotool("getactivewindow").strip() == str(self.wid)
        attendi(attiva, f"la tastiera a {self.wid:#x}")

    def clic(self, x, y):
        """A left click at (x, y) pixels of the window's own area, once the
        window has the keyboard, so that what is typed next follows the click."""
        self.attiva()
        xdotool("mousemove", "--window", self.wid, x, y, "click", 1)
