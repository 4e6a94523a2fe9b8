// SPDX-License-Identifier: MIT
#pragma once

#include "app/database.h"
#include "app/interrogazioni.h"
#include "elenco/colonne.h"
#include "fiscal/luogodelcodice.h"

#include <QHash>

// How a row came out, from the worst: a malformed row, an invalid code or
// number, or data that disagree with the code make it NonValida; a place
// warning or a VAT number that needed mending, Avviso; a code computed from
// the data, Completata.
enum class StatoRiga { Valida, Completata, Avviso, NonValida };
QString nomeStato(StatoRiga s);

// Checks the rows of one list against the reference database. The result
// columns follow the input's columns, in the order of intestazioni(); the
// fiscal code is described as the verify window describes it. Places and VAT
// offices are looked up once and remembered.
class ControlloRiga
{
public:
    ControlloRiga(const Database &db, const QStringList &intestazione, const Colonne &colonne, const QDate &oggi);

    // The input's header followed by the names of the result columns.
    QStringList intestazioni() const;
    // Appends the result columns to `celle`, first making the row as wide as
    // the header.
    StatoRiga controlla(QStringList *celle);
    // The first database failure; the rows checked since then lack places.
    DbError erroreDb() const { return m_erroreDb; }

private:
    struct Risultato;
    struct Dati;
    void controllaCodice(const QString &testo, const Dati &dati, Risultato *r);
    void descriviCodice(const QString &codice, Risultato *r);
    void confronta(const Dati &dati, Risultato *r);
    void controllaPartitaIva(const QString &testo, Risultato *r);
    const LuogoDelCodice &luogo(const QString &codice);
    QString codiceDelLuogo(const QString &nome, const QString &preferito);
    QString ufficio(QStringView codice);
    void ricorda(const DbError &e);
    template <typename Chiave, typename Valore, typename Domanda>
    const Valore &ricordato(QHash<Chiave, Valore> &memoria, const Chiave &chiave, Domanda domanda);

    const Database &m_db;
    QStringList m_intestazione;
    Colonne m_colonne;
    QDate m_oggi;
    bool m_codice, m_dati, m_iva;
    DbError m_erroreDb;
    QHash<QString, LuogoDelCodice> m_luoghi;
    QHash<QString, QList<LuogoPerNome>> m_luoghiPerNome;
    QHash<int, QString> m_uffici; // by the number of three digits
};
