// SPDX-License-Identifier: MIT
#pragma once

#include "app/database.h"
#include "fiscal/verificacodice.h"

#include <QPointer>
#include <QWidget>

class FrmCodiceFiscale;
class Platform;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Verifies a fiscal code a client hands in: whether it is well formed, whose
// it is (sex, date and place of birth, read from the database by its code)
// and whether it agrees with the person in the main window. One shared,
// non-modal window, reading DatiAtto.mdb through a connection of its own, so
// that it can outlive the main window.
class FrmVerificaCodice : public QWidget
{
public:
    // Shows the window, creating it when it is not open; a new window starts
    // with the code the main window computed, if any. A `codice` given is
    // shown in place of it, in a new window or an open one.
    static void apri(const QString &percorsoDatiAtto, Platform &platform, FrmCodiceFiscale *principale,
                     const QString &codice = {});

protected:
    void changeEvent(QEvent *event) override;

private:
    FrmVerificaCodice(const QString &percorsoDatiAtto, Platform &platform, FrmCodiceFiscale *principale);
    void createLayout();

    void txtCodice_Change();
    void cmdCopia_Click();
    void Form_Activate();

    void mostraDati();
    void mostraConfronto();

    Platform &m_platform;
    QPointer<FrmCodiceFiscale> m_principale;
    Database m_db;
    DbError m_erroreDb;
    EsitoCodFis m_esito;

    QLineEdit *txtCodice = nullptr;
    QPushButton *cmdCopia = nullptr;
    QLineEdit *txtEsito = nullptr;
    QLineEdit *txtOmocodia = nullptr;
    QLineEdit *txtSesso = nullptr;
    QLineEdit *txtDataNascita = nullptr;
    QLineEdit *txtLuogo = nullptr;
    QLineEdit *txtAvvisoLuogo = nullptr;
    QGroupBox *fraConfronto = nullptr;
    QLabel *lblConfronto = nullptr;
    // Surname, name, date, sex and place, as the main window holds them.
    QLineEdit *txtConfronto[5] = {};
};
