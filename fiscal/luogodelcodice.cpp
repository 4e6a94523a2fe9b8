// SPDX-License-Identifier: MIT
#include "fiscal/luogodelcodice.h"

namespace {

QString giorno(const QDate &d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

bool esisteva(const LuogoDelCodice &luogo, const QDate &d)
{
    for (const LuogoDelCodice::Periodo &p : luogo.periodi)
        if ((p.dal.isNull() || p.dal <= d) && (p.al.isNull() || d <= p.al))
            return true;
    return luogo.periodi.isEmpty();
}

QString nonEsisteva(const LuogoDelCodice &luogo, const QDate &nascita)
{
    const LuogoDelCodice::Periodo &primo = luogo.periodi.first();
    const LuogoDelCodice::Periodo &ultimo = luogo.periodi.last();
    if (!primo.dal.isNull() && nascita < primo.dal)
        return QStringLiteral("il %1 questo luogo non esisteva ancora: è stato istituito il %2")
            .arg(giorno(nascita), giorno(primo.dal));
    if (!ultimo.al.isNull() && nascita > ultimo.al)
        return QStringLiteral("il %1 questo luogo non esisteva più: è esistito fino al %2")
            .arg(giorno(nascita), giorno(ultimo.al));
    return QStringLiteral("il %1 questo luogo non esisteva").arg(giorno(nascita));
}

} // namespace

DbError cercaLuogoDelCodice(const Database &db, const QString &codiceLuogo, LuogoDelCodice *luogo)
{
    *luogo = {};
    QList<QStringList> righe;
    DbError e = db.readRows(QStringLiteral("SELECT Nome, PROV FROM Comuni WHERE comcode = ?"),
                            {QStringLiteral("Nome"), QStringLiteral("PROV")}, &righe, {codiceLuogo});
    if (e.failed() || righe.isEmpty())
        return e;
    luogo->trovato = true;
    luogo->nome = righe.first().at(0);
    luogo->prov = righe.first().at(1);
    righe.clear();
    e = db.readRows(QStringLiteral("SELECT Dal, Al FROM ValiditaLuoghi WHERE comcode = ? ORDER BY Dal"),
                    {QStringLiteral("Dal"), QStringLiteral("Al")}, &righe, {codiceLuogo});
    for (const QStringList &r : std::as_const(righe))
        luogo->periodi.append({QDate::fromString(r.at(0), Qt::ISODate), QDate::fromString(r.at(1), Qt::ISODate)});
    return e;
}

QString avvisoLuogo(const LuogoDelCodice &luogo, const QString &codiceLuogo, const NascitaCodFis &nascita)
{
    if (!luogo.trovato)
        return QStringLiteral("il codice di luogo %1 non è di alcun comune né Stato conosciuto").arg(codiceLuogo);
    if (esisteva(luogo, nascita.data))
        return {};
    QString avviso = nonEsisteva(luogo, nascita.data);
    if (nascita.altraData.isValid() && esisteva(luogo, nascita.altraData))
        avviso += QStringLiteral("; esisteva il %1").arg(giorno(nascita.altraData));
    return avviso;
}
