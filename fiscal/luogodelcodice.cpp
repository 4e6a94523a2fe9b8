// SPDX-License-Identifier: MIT
#include "fiscal/luogodelcodice.h"

#include <QStringBuilder>

namespace {

QString giorno(const QDate &d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

bool dentro(const LuogoDelCodice::Periodo &p, const QDate &d)
{
    return (p.dal.isNull() || p.dal <= d) && (p.al.isNull() || d <= p.al);
}

bool esisteva(const LuogoDelCodice &luogo, const QDate &d)
{
    for (const LuogoDelCodice::Periodo &p : luogo.periodi)
        if (dentro(p, d))
            return true;
    return luogo.periodi.isEmpty();
}

QList<LuogoDelCodice::Periodo> periodi(const QList<QStringList> &righe)
{
    QList<LuogoDelCodice::Periodo> periodi;
    for (const QStringList &r : righe)
        periodi.append({QDate::fromString(r.at(0), Qt::ISODate), QDate::fromString(r.at(1), Qt::ISODate), r.value(2)});
    return periodi;
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
    luogo->periodi = periodi(righe);
    if (e.failed())
        return e;
    righe.clear();
    e = db.readRows(QStringLiteral("SELECT Dal, Al, PROV FROM ProvinceLuoghi WHERE comcode = ?"),
                    {QStringLiteral("Dal"), QStringLiteral("Al"), QStringLiteral("PROV")}, &righe, {codiceLuogo});
    luogo->altreProvince = periodi(righe);
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

QString testoLuogo(const LuogoDelCodice &luogo, const QDate &nascita)
{
    // A state's name may already say so: "Palau (Stato estero)", "Unione
    // Sovietica (Stato cessato nel 1991)".
    if (luogo.prov.compare(QLatin1String("EE"), Qt::CaseInsensitive) == 0)
        return luogo.nome.contains(QLatin1String(" (Stato ")) ? luogo.nome : luogo.nome + QLatin1String(" (Stato estero)");
    QString allora = luogo.prov;
    for (const LuogoDelCodice::Periodo &p : luogo.altreProvince)
        if (dentro(p, nascita))
            allora = p.prov;
    // Two places of one name carry the province in it: " (BG)" for current
    // ones, ", NO)" at the end of a ceased one's mark. Read without building
    // texts: every row of a list passes here.
    const QStringView chiuso = QStringView(luogo.nome).chopped(luogo.nome.endsWith(u')') ? 1 : luogo.nome.size());
    const QStringView prima = chiuso.chopped(chiuso.endsWith(luogo.prov) ? luogo.prov.size() : chiuso.size());
    const bool conProvincia = !chiuso.isEmpty() && (prima.endsWith(u" (") || prima.endsWith(u", "));
    if (allora == luogo.prov)
        return conProvincia ? luogo.nome : QString(luogo.nome % QLatin1String(" (") % luogo.prov % QLatin1Char(')'));
    const bool attuale = !luogo.periodi.isEmpty() && luogo.periodi.last().al.isNull();
    const QString nome = conProvincia && attuale ? luogo.nome.chopped(luogo.prov.size() + 3) : luogo.nome;
    return QStringLiteral("%1 (%2, %3 %4)").arg(nome, allora, attuale ? QStringLiteral("oggi") : QStringLiteral("poi"), luogo.prov);
}
