// SPDX-License-Identifier: MIT
#pragma once

#include "app/database.h"
#include "fiscal/datianagrafici.h"
#include "fiscal/verificacodice.h"

#include <QWidget>
#include <optional>

class Platform;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

// Verifies a fiscal code a client hands in: whether it is well formed, whose
// it is (sex, date and place of birth, read from the database by its code)
// and whether it agrees with the person in the main window. One shared,
// non-modal window, reading DatiAtto.mdb through a connection of its own, so
// that it can outlive the main window.
//
// The code typed in txtCodice is checked at each change (VerificaCodFis),
// decoded into the boxes below it, and compared with the person that the
// main window hands in through confronta(), again at each change of either.
class FrmVerificaCodice : public QWidget
{
public:
    // Shows the window, creating it when it is not open, and returns it; a
    // new window starts with `codice` in its box.
    static FrmVerificaCodice *apri(const QString &percorsoDatiAtto, Platform &platform, const QString &codice = {});
    // Puts a code in the box, as if typed, in place of the one there.
    void mostraCodice(const QString &codice);

    // The person to compare the code with, until the next call; none when
    // the main window is closed.
    void confronta(const std::optional<DatiAnagrafici> &dati);

private:
    FrmVerificaCodice(const QString &percorsoDatiAtto, Platform &platform, const QString &codice);
    void createLayout();

    void txtCodice_Change();
    void cmdCopia_Click();

    void mostraDati();
    void mostraConfronto();

    Platform &m_platform;
    std::optional<DatiAnagrafici> m_dati;
    Database m_db;
    DbError m_erroreDb;
    EsitoCodFis m_esito;

    QLineEdit *txtCodice = nullptr;
    QPushButton *cmdCopia = nullptr;
    QTextEdit *txtEsito = nullptr;
    QTextEdit *txtOmocodia = nullptr;
    QTextEdit *txtSesso = nullptr;
    QTextEdit *txtDataNascita = nullptr;
    QTextEdit *txtLuogo = nullptr;
    QTextEdit *txtAvvisoLuogo = nullptr;
    QGroupBox *fraConfronto = nullptr;
    QLabel *lblConfronto = nullptr;
    // Surname, name, date, sex and place, as the main window holds them.
    QTextEdit *txtConfronto[5] = {};
};
