// SPDX-License-Identifier: MIT
#pragma once

#include "luoghi/aggiornaluoghi.h"

#include <QDialog>

class Platform;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// Loads a register of municipalities the user downloaded. The user chooses
// the file (cmdScegli); the window reads it against the data in use and
// shows what would change (txtModifiche) before anything is written.
// "Applica" writes the user's own reference file; "Annulla" leaves all as it
// was. A file that is not the register is refused with the reason, one older
// than the data unless the user confirms; then nothing changes.
class FrmAggiornaLuoghi : public QDialog
{
public:
    // Shows the window modally over `parent`; `datiInUso` is the reference
    // file the program reads.
    static void mostra(QWidget *parent, const QString &datiInUso, Platform &platform);

private:
    FrmAggiornaLuoghi(QWidget *parent, const QString &datiInUso, Platform &platform);
    void createLayout();

    void cmdScegli_Click();
    void cmdApplica_Click();
    // The reason a file cannot be loaded, or empty with m_nuovi and the
    // changes ready.
    QString carica(const QString &percorso, ModificheLuoghi *modifiche);

    QString m_datiInUso;
    Platform &m_platform;
    DatiLuoghi m_nuovi;

    QLabel *lblFile = nullptr;
    QPlainTextEdit *txtModifiche = nullptr;
    QPushButton *cmdApplica = nullptr;
};
