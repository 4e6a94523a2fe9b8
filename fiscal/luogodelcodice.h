// SPDX-License-Identifier: MIT
#pragma once

#include "app/database.h"
#include "fiscal/verificacodice.h"

#include <QDate>
#include <QList>
#include <QString>

// The place of birth a fiscal code names, found by its code in table Comuni,
// with the periods in which that code was in use (table ValiditaLuoghi) and
// those in which it lay in another province (table ProvinceLuoghi).
struct LuogoDelCodice
{
    struct Periodo
    {
        QDate dal; // null: in use since before the records begin
        QDate al;  // null: the place still exists
        QString prov; // only for the periods in another province
    };

    bool trovato = false;
    QString nome;
    QString prov; // "EE" for a foreign state
    QList<Periodo> periodi;
    QList<Periodo> altreProvince;
};

DbError cercaLuogoDelCodice(const Database &db, const QString &codiceLuogo, LuogoDelCodice *luogo);

// Why the place cannot have been the place of birth on the date of birth, in
// Italian: an unknown code, a place not yet created or already ceased; and
// whether it existed on the date a century earlier, when that is possible.
// Empty when it existed then, or when no period of it is known.
QString avvisoLuogo(const LuogoDelCodice &luogo, const QString &codiceLuogo, const NascitaCodFis &nascita);

// The place as the clerk reads it: its name and its province on the day of
// birth, "Palau (OT, oggi SS)" where that province is not today's ("poi" for
// a ceased place and its last province), or "Stato estero". A name that already carries its province, as places that share a
// name do ("Castro (BG)", "Forno (soppresso nel 1928, NO)"), does not get it
// twice.
QString testoLuogo(const LuogoDelCodice &luogo, const QDate &nascita);
