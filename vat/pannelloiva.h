// SPDX-License-Identifier: MIT
#pragma once

#include "app/database.h"

class QString;
struct FrmCodiceFiscaleUi;
class FormEvents;
class Platform;

// The VAT panel: the eleven digit boxes, the office lookup and the check of
// the partita IVA.
class PannelloIva
{
public:
    PannelloIva(FrmCodiceFiscaleUi &ui, FormEvents &events, Platform &platform, Database &dbDatiAtto);

private:
    // n is the box's number, Text4 to Text14.
    void Text_Change(int n);
    void Text_LostFocus(int n);
    void Text_GotFocus(int n);
    void Text_KeyPress(int n, int &keyAscii);
    void Text4_KeyPress(int &keyAscii);
    void Text5_GotFocus();
    void Text14_Change();
    void Command2_Click();

    // Spreads a number pasted into box n over the boxes; false when box n
    // holds no pasted number.
    bool incollaNumero(int n);
    // Assembles the number from the boxes and shows its office, or reports an
    // unknown office and resets the panel.
    void cercaUfficio();

    // The contents of Text4 to Text14 in digit order, with `separatore`
    // between them.
    QString cifre(const QString &separatore = {}) const;
    // Back to the state of start-up: every box "0", no number, no office.
    void azzeraPannello();
    void messaggio(const QString &testo);

    FrmCodiceFiscaleUi &ui;
    FormEvents &m_events;
    Platform &m_platform;
    Database &dbDatiAtto;
    // A key in a box has just selected its whole content (Ctrl+V, or any key
    // in the first box): what comes in replaces the digit, none is left beside.
    bool m_sostituisce = false;
};
