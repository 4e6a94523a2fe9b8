// SPDX-License-Identifier: MIT
#pragma once

#include "app/database.h"
#include "fiscal/verificacodice.h"

#include <QDate>
#include <QList>
#include <QString>

// The place of birth a fiscal code names, found by its code in table Comuni,
// with the periods in which that code was in use (table ValiditaLuoghi).
struct LuogoDelCodice
{
    struct Periodo
    {
        QDate dal; // null: the sources do not say when the place began
        QDate al;  // null: the place still exists
    };

    bool trovato = false;
    QString nome;
    QString prov; // "EE" for a foreign state
    QList<Periodo> periodi;
};

DbError cercaLuogoDelCodice(const Database &db, const QString &codiceLuogo, LuogoDelCodice *luogo);

// Why the place cannot have been the place of birth on the date of birth, in
// Italian: an unknown code, a place not yet created or already ceased; and
// whether it existed on the date a century earlier, when that is possible.
// Empty when it existed then, or when no period of it is known.
QString avvisoLuogo(const LuogoDelCodice &luogo, const QString &codiceLuogo, const NascitaCodFis &nascita);
