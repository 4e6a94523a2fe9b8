// SPDX-License-Identifier: MIT
#pragma once

// The questions the windows and the list engine ask the reference database,
// one named function each, so that no window holds query text.

#include "app/database.h"

#include <QString>
#include <QStringList>

// Every VAT office, as "code name" in the table's order.
DbError elencoUfficiIva(const Database &db, QStringList *uffici);
// The office whose name begins with `codice` (the three digits 8 to 10 of a
// VAT number); `ufficio` stays empty when there is none.
DbError ufficioIvaPerCodice(const Database &db, const QString &codice, QString *ufficio);
// The names of the foreign states.
DbError elencoStatiEsteri(const Database &db, QStringList *stati);
// The names of the Italian municipalities, in alphabetical order without
// regard to case.
DbError elencoComuni(const Database &db, QStringList *comuni);
// Every row of the places' table in the table's order, with the fields
// `campi` (names as the browser shows them) in that order.
DbError tuttiILuoghi(const Database &db, const QStringList &campi, QList<QStringList> *righe);
// Makes `comuni` seek places by name, in the same order as the list above.
DbError apriComuniPerNome(const Database &db, Recordset *comuni);

// A place found by name: its code and province ("EE" for a foreign state).
struct LuogoPerNome
{
    QString codice;
    QString prov;
};
// The places called `nome`, without regard to case; a name that two places
// share gives both.
DbError luoghiPerNome(const Database &db, const QString &nome, QList<LuogoPerNome> *luoghi);
