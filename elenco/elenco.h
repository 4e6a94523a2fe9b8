// SPDX-License-Identifier: MIT
#pragma once

// A list to check: its file opened, its kind found from its content (a text
// table, or a spreadsheet), its header read and its columns recognised.
// controllaElenco() then reads it row by row, checks each row and hands it
// on, so that the window and the command line share one engine.

#include "elenco/codifica.h"
#include "elenco/colonne.h"
#include "elenco/controlloriga.h"
#include "elenco/righe.h"

#include <QFile>
#include <QTemporaryFile>
#include <atomic>
#include <functional>
#include <memory>

class Elenco
{
public:
    Elenco();
    ~Elenco();

    // "-" is standard input. False with errore() when the file cannot be
    // read or is not a table.
    bool apri(const QString &percorso);
    QString errore() const { return m_errore; }

    const QStringList &intestazione() const { return m_intestazione; }
    Colonne colonne;
    // How a text table was written, kept for results in the same form; a
    // spreadsheet gives a semicolon and UTF-8 with its mark, as spreadsheets
    // on Italian Windows open them.
    QChar separatore() const { return m_separatore; }
    Codifica codifica() const { return m_codifica; }
    bool foglioDiCalcolo() const { return m_foglio; }
    SorgenteRighe &sorgente() { return *m_sorgente; }

private:
    bool apriTesto();
    bool apriFoglio();

    static constexpr qint64 LimiteFoglioDaStandard = 256 << 20;

    QFile m_file;
    QTemporaryFile m_copia;
    std::unique_ptr<SorgenteRighe> m_sorgente;
    QStringList m_intestazione;
    QChar m_separatore = u';';
    Codifica m_codifica = Codifica::Utf8Bom;
    bool m_foglio = false;
    QString m_errore;
};

struct Riepilogo
{
    qint64 righe = 0;
    qint64 perStato[4] = {}; // by StatoRiga

    qint64 conta(StatoRiga s) const { return perStato[int(s)]; }
    bool tutteValide() const { return righe == conta(StatoRiga::Valida) + conta(StatoRiga::Completata); }
};

struct Osservatori
{
    // Every row checked: the input's cells followed by the results. False
    // stops the run (the destination failed).
    std::function<bool(const QStringList &, StatoRiga)> riga;
    // Called every few hundred rows with the fraction read.
    std::function<void(double, const Riepilogo &)> avanzamento;
    // Read between rows; when set, the run stops keeping what was done.
    const std::atomic_bool *annulla = nullptr;
};

// Checks every row of `elenco` against the database `db`, opened by the
// calling thread. False with `errore` when reading or the database failed,
// or the observer stopped the run.
bool controllaElenco(Elenco &elenco, const Database &db, const QDate &oggi, const Osservatori &osservatori,
                     Riepilogo *riepilogo, QString *errore);
