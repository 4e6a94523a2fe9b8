// SPDX-License-Identifier: MIT
#include "app/interrogazioni.h"

DbError elencoUfficiIva(const Database &db, QStringList *uffici)
{
    return db.readColumn(QStringLiteral("SELECT * FROM CodiciUfficioIva"), QStringLiteral("ufficioIva"), uffici);
}

DbError ufficioIvaPerCodice(const Database &db, const QString &codice, QString *ufficio)
{
    // The code is passed as a value, never spliced into the query.
    QList<QStringList> righe;
    const DbError e =
        db.readRows(QStringLiteral("SELECT ufficioIva FROM CodiciUfficioIva WHERE substr(ufficioIva, 1, length(?)) = ? "
                                   "LIMIT 1"),
                    {QStringLiteral("ufficioIva")}, &righe, {codice, codice});
    *ufficio = righe.isEmpty() ? QString() : righe.first().first();
    return e;
}

DbError elencoStatiEsteri(const Database &db, QStringList *stati)
{
    return db.readColumn(QStringLiteral("SELECT Nome FROM Comuni WHERE PROV = 'ee' COLLATE NOCASEU"),
                         QStringLiteral("Nome"), stati);
}

DbError elencoComuni(const Database &db, QStringList *comuni)
{
    // The order of the names' index, the same one completion follows.
    return db.readColumn(QStringLiteral("SELECT Nome FROM Comuni INDEXED BY comune "
                                        "WHERE PROV <> 'EE' COLLATE NOCASEU ORDER BY Nome COLLATE NOCASEU"),
                         QStringLiteral("Nome"), comuni);
}

DbError tuttiILuoghi(const Database &db, const QStringList &campi, QList<QStringList> *righe)
{
    return db.readRows(QStringLiteral("SELECT * FROM Comuni"), campi, righe);
}

DbError apriComuniPerNome(const Database &db, Recordset *comuni)
{
    return comuni->openTable(db, QStringLiteral("Comuni"), QStringLiteral("comune"), QStringLiteral("Nome"));
}

DbError luoghiPerNome(const Database &db, const QString &nome, QList<LuogoPerNome> *luoghi)
{
    QList<QStringList> righe;
    const DbError e = db.readRows(QStringLiteral("SELECT comcode, PROV FROM Comuni INDEXED BY comune "
                                                 "WHERE Nome = ? COLLATE NOCASEU"),
                                  {QStringLiteral("comcode"), QStringLiteral("PROV")}, &righe, {nome});
    for (const QStringList &r : std::as_const(righe))
        luoghi->append({r.at(0), r.at(1)});
    return e;
}
