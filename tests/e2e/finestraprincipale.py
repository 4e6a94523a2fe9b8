# SPDX-License-Identifier: MIT
"""The main window seen from outside: where its controls lie, drawn in twips
(15 to a pixel) from the top left corner of the area below the menu bar."""

from collections import Counter

import schermo

ALTEZZA_AREA = round(6405 / 15)

_FRAME1 = (6840, 120)

CONTROLLI = {
    "txtCodiceFiscale": (1680, 240, 3672, 420),
    "txtCognome": (1680, 720, 3672, 360),
    "txtNome": (1680, 1260, 3672, 360),
    "cboSesso": (1680, 1920, 912, 288),
    "cboComune": (1680, 2640, 2772, 288),
    "Text2": (4560, 2640, 555, 288),
    "Text3": (5400, 2640, 915, 288),
    "CboStatoEstero": (1680, 3120, 2772, 288),
    "txtDataNascita": (1680, 3600, 2772, 288),
    "Text1": (6840, 600, 3970, 420),
    "Text15": (6840, 1320, 672, 288),
    "CboUfficioIva": (7920, 1320, 2772, 288),
    "cmdElabora": (720, 5040, 3255, 432),
    "Command1": (4800, 5040, 1215, 432),
    "Command2": (6840, 5040, 3255, 432),
    # The eleven digit boxes of the VAT number, inside Frame1.
    **{f"Text{k + 3}": (_FRAME1[0] + 360 * (k - 1), _FRAME1[1] + 120, 320, 370) for k in range(1, 12)},
}

MENU = ("Help", "CercaComuni", "VerificaCodice")

ROSSO = (255, 0, 0)
VERDEACQUA = (0, 128, 128)


def scuro(r, g, b):
    return max(r, g, b) < 110


def bianco(r, g, b):
    return min(r, g, b) > 200


class FinestraPrincipale:
    def __init__(self, finestra):
        self.finestra = finestra
        larghezza, altezza = finestra.dimensioni()
        self.larghezza = larghezza
        self.altezza_menu = altezza - ALTEZZA_AREA
        if not 10 <= self.altezza_menu <= 60:
            raise AssertionError(f"la finestra principale misura {larghezza}×{altezza}: "
                                 f"nessuna barra dei menu sopra un'area alta {ALTEZZA_AREA}")

    def riquadro(self, controllo):
        """(left, top, width, height) of the control in pixels of the window."""
        sinistra, alto, larghezza, altezza = (round(t / 15) for t in CONTROLLI[controllo])
        return sinistra, alto + self.altezza_menu, larghezza, altezza

    def interno(self, controllo):
        """The control without its frame, where only its background and its text are drawn."""
        sinistra, alto, larghezza, altezza = self.riquadro(controllo)
        return sinistra + 3, alto + 3, larghezza - 6, altezza - 6

    def clic(self, controllo):
        sinistra, alto, larghezza, altezza = self.riquadro(controllo)
        self.finestra.clic(sinistra + larghezza // 2, alto + altezza // 2)

    def clic_menu(self, voce):
        """Clicks an entry of the menu bar, found in a picture of the bar: the
        entries' captions are the dark runs of columns, apart from each other."""
        colonne = self.finestra.schermata().colonne_con((0, 0, self.larghezza, self.altezza_menu), scuro)
        voci = []
        for x in colonne:
            if voci and x - voci[-1][1] <= 6:
                voci[-1][1] = x
            else:
                voci.append([x, x])
        if len(voci) != len(MENU):
            raise AssertionError(f"la barra dei menu mostra {len(voci)} voci invece di {len(MENU)}")
        inizio, fine = voci[MENU.index(voce)]
        self.finestra.clic((inizio + fine) // 2, self.altezza_menu // 2)

    def sfondo(self, controllo, schermata=None):
        """The colour that fills most of the control."""
        schermata = schermata or self.finestra.schermata()
        sinistra, alto, larghezza, altezza = self.interno(controllo)
        colori = Counter(schermata.colore(x, y) for y in range(alto, alto + altezza)
                         for x in range(sinistra, sinistra + larghezza))
        return colori.most_common(1)[0][0]

    def ha_testo(self, controllo, inchiostro=scuro, schermata=None):
        """Whether characters are drawn in the control, in the given ink: more
        than a caret would draw."""
        schermata = schermata or self.finestra.schermata()
        return schermata.conta(self.interno(controllo), inchiostro) > 40

    def copia(self, controllo):
        """Selects the control's whole text and copies it with the keyboard."""
        self.clic(controllo)
        schermo.tasti("ctrl+a", "ctrl+c")
