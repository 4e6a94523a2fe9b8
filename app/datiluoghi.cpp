// SPDX-License-Identifier: MIT
#include "app/datiluoghi.h"

DbError dataDeiLuoghi(const Database &db, QDate *giorno)
{
    QStringList valori;
    const DbError e = db.readColumn(QStringLiteral("SELECT MAX(IFNULL(MAX(Dal), ''), IFNULL(MAX(date(Al, '+1 day')), '')) AS v "
                                                   "FROM ValiditaLuoghi"),
                                    QStringLiteral("v"), &valori);
    *giorno = e.failed() || valori.isEmpty() ? QDate() : QDate::fromString(valori.constFirst(), Qt::ISODate);
    return e;
}

QString testoAggiornamento(const QDate &giorno)
{
    return giorno.isNull() ? QString()
                           : QStringLiteral("Dati dei luoghi aggiornati al %1").arg(giorno.toString(QStringLiteral("dd/MM/yyyy")));
}
