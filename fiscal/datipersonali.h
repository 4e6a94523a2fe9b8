// SPDX-License-Identifier: MIT
#pragma once

class QString;
class QWidget;
struct FrmCodiceFiscaleUi;
class FormEvents;
class Platform;

// The personal data of the main window and the command that turns them into
// the fiscal code, shown in txtCodiceFiscale and copied to the clipboard.
class DatiPersonali
{
public:
    DatiPersonali(FrmCodiceFiscaleUi &ui, FormEvents &events, Platform &platform);

private:
    void txtCognome_KeyPress(int &keyAscii);
    void txtNome_KeyPress(int &keyAscii);
    void txtNome_LostFocus();
    void cboSesso_LostFocus();
    void txtDataNascita_LostFocus();
    void cmdElabora_Click();

    // Shows a failed check's message and sends the user back to the box.
    void rifiuta(const QString &messaggio, QWidget *box);

    FrmCodiceFiscaleUi &ui;
    FormEvents &m_events;
    Platform &m_platform;
};
