// SPDX-License-Identifier: MIT
#pragma once

// Loading a newer register of municipalities into the reference data. The
// register is merged into the data, never used to start over: a code the data
// hold keeps its name, province and postcodes unless the register shows a
// newer name or province (one in force after the data's own date); a code new
// to the data takes the register's name, written as the shipped names are;
// places that come to share a name, new or not, all take the marks the
// shipped data give such places ("Castro (BG)", "Castro (LE)"), and a name no
// longer shared loses them; every municipality takes its periods from the
// register. Foreign states are not in the register and stay as they are.

#include "luoghi/periodiluoghi.h"

#include <QStringList>

struct LuogoDati
{
    QString nome;
    QString prov; // "EE" for a foreign state
    QString codice;
    QString cap;
};

// The place tables of the reference data: Comuni in its order (current
// municipalities, current states, ceased municipalities, ceased states, each
// alphabetical), ValiditaLuoghi and ProvinceLuoghi by code.
struct DatiLuoghi
{
    QList<LuogoDati> luoghi;
    QMap<QString, QList<PeriodoLuogo>> periodi;
    QMap<QString, QList<PeriodoLuogo>> altreProvince;
    // How current the data are: the newest day a place began or ceased, or
    // took a new name or province by the register last loaded.
    QDate data;
    // When the user loaded a register older than the data then in use: the
    // date of those data. The user's file stays in use while the installed
    // data are no newer than that day.
    QDate confermato;
};

// What loading changes, one line per place ("M999 Nuovo Comune (PV)"); a
// renamed place with both names ("M119 Volpara → Volpara Terme").
struct ModificheLuoghi
{
    QStringList aggiunti;
    QStringList cessati;
    QStringList rinominati;
    QStringList spostati;
    int periodiCambiati = 0; // codes whose periods change
    bool vuote() const;
};

// The changes as the user reads them: each list with its count and its first
// `righe` lines.
QString testoModifiche(const ModificheLuoghi &modifiche, int righe);

// The newest day a place began or ceased, by the periods.
QDate dataDeiPeriodi(const QMap<QString, QList<PeriodoLuogo>> &periodi);

// How current a register is: the newest day one of its rows began or ended,
// be it a place formed or ceased, or one renamed or moved to another province
// (which leaves its periods as they were).
QDate dataDelRegistro(const QList<RigaRegistro> &registro);

// Merges the register into `dati`. False, with the reason in Italian, for a
// register that cannot be the whole of it (fewer than 7,000 municipalities
// in force); then `dati` stays as it was. A register older than the data is
// loaded only on the user's word, which `dati` keep in `confermato`.
bool aggiornaLuoghi(DatiLuoghi *dati, const QList<RigaRegistro> &registro, ModificheLuoghi *modifiche, QString *errore);
