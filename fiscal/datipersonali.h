// SPDX-License-Identifier: MIT
#pragma once

class Database;
class QDate;
class QString;
class QWidget;
struct FrmCodiceFiscaleUi;
class FormEvents;
class Platform;

// The personal data of the main window and the command that turns them into
// the fiscal code, shown in txtCodiceFiscale and copied to the clipboard. A
// place of birth that did not exist on the date of birth is told first.
class DatiPersonali
{
public:
    DatiPersonali(FrmCodiceFiscaleUi &ui, FormEvents &events, Platform &platform, const Database &db);

private:
    void txtCognome_KeyPress(int &keyAscii);
    void txtNome_KeyPress(int &keyAscii);
    void txtNome_LostFocus();
    void cboSesso_LostFocus();
    void txtDataNascita_LostFocus();
    void cmdElabora_Click();

    // Shows a failed check's message and sends the user back to the box.
    void rifiuta(const QString &messaggio, QWidget *box);
    // Warns when the place of birth did not exist on the date; the code is
    // computed all the same, as the user may know better than the data.
    void avvisaLuogo(const QDate &nascita);

    FrmCodiceFiscaleUi &ui;
    FormEvents &m_events;
    Platform &m_platform;
    const Database &m_db;
};
