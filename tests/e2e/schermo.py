# SPDX-License-Identifier: MIT
"""The X server as a person meets it: windows found by their titles, keys and
mouse clicks sent through the server, the clipboard and pictures of the
screen read back from outside the program."""

import re
import struct
import subprocess
import time
import zlib

# How long a window may take to appear or go away. Every wait polls and ends
# as soon as what it waits for has happened.
LIMITE = 20.0


def attendi(condizione, cosa, limite=LIMITE):
    """Polls until condizione() gives a true value, and returns it."""
    fine = time.monotonic() + limite
    while True:
        risultato = condizione()
        if risultato:
            return risultato
        if time.monotonic() > fine:
            raise AssertionError(f"dopo {limite:.0f} s, ancora nulla: {cosa}")
        time.sleep(0.05)


def xdotool(*argomenti):
    esito = subprocess.run(["xdotool", *map(str, argomenti)], capture_output=True, text=True, timeout=15)
    # A search that finds nothing ends with 1 and prints nothing.
    if esito.returncode not in (0, 1) or (esito.returncode == 1 and argomenti[0] != "search"):
        raise RuntimeError(f"xdotool {' '.join(map(str, argomenti))}: {esito.stderr.strip()}")
    return esito.stdout


def _regex_esatta(testo):
    return "^" + re.sub(r"([][\\.^$|?*+(){}])", r"\\\1", testo) + "$"


def finestre_visibili(pid, titolo=None):
    """The program's windows on the screen; with a title, only those that
    carry exactly that title."""
    argomenti = ["search", "--onlyvisible", "--pid", pid]
    if titolo is not None:
        # xdotool matches titles without regard to case: the exact title is
        # checked again below.
        argomenti = ["search", "--all", "--onlyvisible", "--pid", pid, "--name", _regex_esatta(titolo)]
    trovate = [Finestra(int(riga)) for riga in xdotool(*argomenti).split()]
    if titolo is not None:
        trovate = [f for f in trovate if f.titolo() == titolo]
    return trovate


def tasti(*nomi):
    """Presses and releases keys, by their X names ("Tab", "Return", "ctrl+c")."""
    xdotool("key", "--delay", 60, *nomi)


def scrivi(testo):
    """Types a text into the window that has the keyboard."""
    xdotool("type", "--delay", 60, testo)


class Finestra:
    def __init__(self, wid):
        self.wid = wid

    def __eq__(self, altra):
        return isinstance(altra, Finestra) and altra.wid == self.wid

    def __hash__(self):
        return self.wid

    def __repr__(self):
        return f"Finestra({self.wid:#x})"

    def titolo(self):
        return xdotool("getwindowname", self.wid).rstrip("\n")

    def dimensioni(self):
        campi = dict(riga.split("=", 1) for riga in xdotool("getwindowgeometry", "--shell", self.wid).split())
        return int(campi["WIDTH"]), int(campi["HEIGHT"])

    def clic(self, x, y):
        """A left click at (x, y) pixels from the top left corner of the
        window's own area, below any title bar the window manager adds."""
        xdotool("mousemove", "--window", self.wid, x, y, "click", 1)

    def attiva(self):
        xdotool("windowactivate", "--sync", self.wid)

    def schermata(self):
        esito = subprocess.run(["xwd", "-silent", "-id", str(self.wid)], capture_output=True, timeout=15)
        if esito.returncode != 0:
            raise RuntimeError(f"xwd: {esito.stderr.decode(errors='replace').strip()}")
        return Immagine.da_xwd(esito.stdout)


class Immagine:
    """A picture of the screen, as the X server's dump format gives it."""

    def __init__(self, larghezza, altezza, righe):
        self.larghezza = larghezza
        self.altezza = altezza
        self.righe = righe  # one bytes object of R, G, B triples per row

    @classmethod
    def da_xwd(cls, dati):
        (lung_testata, _, formato, _, larghezza, altezza, _, ordine, _, _, _, bit_pixel, byte_riga,
         _, m_rosso, m_verde, m_blu, _, _, n_colori) = struct.unpack(">20I", dati[:80])
        passo = bit_pixel // 8
        # Where each colour's byte sits inside a pixel.
        posizioni = []
        for maschera in (m_rosso, m_verde, m_blu):
            spostamento = (maschera & -maschera).bit_length() - 1
            if formato != 2 or bit_pixel not in (24, 32) or maschera != 0xFF << spostamento:
                raise RuntimeError(f"schermata in un formato inatteso: formato {formato}, {bit_pixel} bit")
            posizioni.append(spostamento // 8 if ordine == 0 else passo - 1 - spostamento // 8)
        inizio = lung_testata + 12 * n_colori
        righe = []
        for y in range(altezza):
            riga = dati[inizio + y * byte_riga: inizio + y * byte_riga + larghezza * passo]
            rgb = bytearray(3 * larghezza)
            for canale, posizione in enumerate(posizioni):
                rgb[canale::3] = riga[posizione::passo]
            righe.append(bytes(rgb))
        return cls(larghezza, altezza, righe)

    def colore(self, x, y):
        return tuple(self.righe[y][3 * x:3 * x + 3])

    def conta(self, riquadro, condizione):
        """How many pixels inside (left, top, width, height) satisfy condizione(r, g, b)."""
        sinistra, alto, larghezza, altezza = riquadro
        return sum(1 for y in range(alto, alto + altezza) for x in range(sinistra, sinistra + larghezza)
                   if condizione(*self.colore(x, y)))

    def colonne_con(self, riquadro, condizione):
        """The x of the columns inside the box that hold a pixel satisfying condizione."""
        sinistra, alto, larghezza, altezza = riquadro
        return [x for x in range(sinistra, sinistra + larghezza)
                if any(condizione(*self.colore(x, y)) for y in range(alto, alto + altezza))]

    def salva_png(self, percorso):
        def blocco(tipo, contenuto):
            return (struct.pack(">I", len(contenuto)) + tipo + contenuto
                    + struct.pack(">I", zlib.crc32(tipo + contenuto)))
        grezzo = b"".join(b"\x00" + riga for riga in self.righe)
        with open(percorso, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n"
                    + blocco(b"IHDR", struct.pack(">IIBBBBB", self.larghezza, self.altezza, 8, 2, 0, 0, 0))
                    + blocco(b"IDAT", zlib.compress(grezzo))
                    + blocco(b"IEND", b""))


def schermo_intero():
    esito = subprocess.run(["xwd", "-silent", "-root"], capture_output=True, timeout=15)
    return Immagine.da_xwd(esito.stdout) if esito.returncode == 0 else None


def appunti():
    """The text on the clipboard, or None when no program holds one."""
    esito = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True, timeout=10)
    return esito.stdout.decode() if esito.returncode == 0 else None


def metti_negli_appunti(testo):
    """Puts a text on the clipboard; the xclip process returned holds it until
    another program takes the clipboard, and must be ended by the caller."""
    processo = subprocess.Popen(["xclip", "-quiet", "-i", "-selection", "clipboard"],
                                stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    processo.stdin.write(testo.encode())
    processo.stdin.close()
    attendi(lambda: appunti() == testo, f"il testo {testo!r} negli Appunti")
    return processo
