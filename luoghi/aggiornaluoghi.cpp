// SPDX-License-Identifier: MIT
#include "luoghi/aggiornaluoghi.h"

#include "luoghi/nomiluoghi.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>

namespace {

constexpr int MinimoComuniInVigore = 7000;

bool estero(const LuogoDati &l)
{
    return l.prov == QLatin1String("EE");
}

bool cessato(const LuogoDati &l)
{
    static const QRegularExpression marcatore(QStringLiteral(" \\((soppresso|Stato cessato) nel \\d{4}[^)]*\\)$"));
    return marcatore.match(l.nome).hasMatch();
}

// The name without the marks that tell places apart: " (BG)", " (soppresso
// nel 1928, NO)".
QString nomeBase(const LuogoDati &l)
{
    static const QRegularExpression marchi(QStringLiteral(" \\((soppresso nel \\d{4}[^)]*|[A-Z]{2})\\)$"));
    return QString(l.nome).remove(marchi);
}

// Current municipalities, current states, ceased municipalities, ceased
// states; each group alphabetical, then by exact name, then by code.
void ordina(QList<LuogoDati> *luoghi)
{
    const auto gruppo = [](const LuogoDati &l) { return int(cessato(l)) * 2 + int(estero(l)); };
    QHash<QString, QString> chiavi;
    for (const LuogoDati &l : std::as_const(*luoghi))
        chiavi.insert(l.nome, chiaveOrdinamento(l.nome));
    std::stable_sort(luoghi->begin(), luoghi->end(), [&](const LuogoDati &a, const LuogoDati &b) {
        const int ga = gruppo(a), gb = gruppo(b);
        if (ga != gb)
            return ga < gb;
        const QString &ka = chiavi[a.nome], &kb = chiavi[b.nome];
        if (ka != kb)
            return ka < kb;
        return a.nome != b.nome ? a.nome < b.nome : a.codice < b.codice;
    });
}

// A name no other place has, ignoring case: else the province, then the code.
QString nomeUnico(const QString &nome, const LuogoDati &l, const QSet<QString> &usati)
{
    if (!usati.contains(nome.toLower()))
        return nome;
    const QString conProvincia = nome.endsWith(QLatin1Char(')')) ? nome.chopped(1) + QStringLiteral(", %1)").arg(l.prov)
                                                                  : nome + QStringLiteral(" (%1)").arg(l.prov);
    if (!usati.contains(conProvincia.toLower()))
        return conProvincia;
    return nome.endsWith(QLatin1Char(')')) ? nome.chopped(1) + QStringLiteral(", codice %1)").arg(l.codice)
                                           : nome + QStringLiteral(" (codice %1)").arg(l.codice);
}

QString soppresso(const QString &nome, const QDate &ultimoGiorno)
{
    return QStringLiteral("%1 (soppresso nel %2)").arg(nome).arg(ultimoGiorno.addDays(1).year());
}

QString riga(const LuogoDati &l)
{
    return QStringLiteral("%1 %2 (%3)").arg(l.codice, l.nome, l.prov);
}

} // namespace

bool ModificheLuoghi::vuote() const
{
    return aggiunti.isEmpty() && cessati.isEmpty() && rinominati.isEmpty() && spostati.isEmpty() && periodiCambiati == 0;
}

QString testoModifiche(const ModificheLuoghi &modifiche, int righe)
{
    QString testo;
    const std::pair<const char *, const QStringList *> elenchi[] = {
        {"Luoghi aggiunti", &modifiche.aggiunti},
        {"Luoghi cessati", &modifiche.cessati},
        {"Luoghi rinominati", &modifiche.rinominati},
        {"Luoghi passati ad altra provincia", &modifiche.spostati},
    };
    for (const auto &[titolo, elenco] : elenchi) {
        testo += QStringLiteral("%1: %2\n").arg(QString::fromUtf8(titolo)).arg(elenco->size());
        for (const QString &r : elenco->mid(0, righe))
            testo += QStringLiteral("   %1\n").arg(r);
        if (elenco->size() > righe)
            testo += QStringLiteral("   ... e altri %1\n").arg(elenco->size() - righe);
    }
    return testo + QStringLiteral("Codici con periodi di validità cambiati: %1\n").arg(modifiche.periodiCambiati);
}

QDate dataDeiPeriodi(const QMap<QString, QList<PeriodoLuogo>> &periodi)
{
    QDate data;
    for (const auto &delCodice : periodi)
        for (const PeriodoLuogo &p : delCodice)
            for (const QDate &giorno : {p.dal, p.al.isNull() ? QDate() : p.al.addDays(1)})
                if (giorno.isValid() && (data.isNull() || giorno > data))
                    data = giorno;
    return data;
}

bool aggiornaLuoghi(DatiLuoghi *dati, const QList<RigaRegistro> &registro, ModificheLuoghi *modifiche, QString *errore)
{
    *modifiche = {};
    const auto periodi = periodiDelRegistro(registro);
    const auto province = provinceDelRegistro(registro);
    const auto inVigore = std::count_if(periodi.cbegin(), periodi.cend(), [](const auto &p) { return p.last().al.isNull(); });
    if (inVigore < MinimoComuniInVigore) {
        *errore = QStringLiteral("contiene %1 comuni in vigore invece di almeno %2: non è l'archivio completo")
                      .arg(inVigore)
                      .arg(MinimoComuniInVigore);
        return false;
    }
    if (dataDeiPeriodi(periodi) < dati->data)
        dati->confermato = std::max(dati->confermato, dati->data);
    // Each code's last row: its newest name, province and state.
    QHash<QString, const RigaRegistro *> ultima;
    for (const RigaRegistro &r : registro)
        if (periodi.contains(r.codice) && (!ultima.contains(r.codice) || ultima[r.codice]->dal < r.dal))
            ultima[r.codice] = &r;

    QSet<QString> usati;
    QHash<QString, qsizetype> perCodice;
    for (qsizetype i = 0; i < dati->luoghi.size(); ++i) {
        usati.insert(dati->luoghi.at(i).nome.toLower());
        perCodice.insert(dati->luoghi.at(i).codice, i);
    }
    for (auto it = periodi.cbegin(); it != periodi.cend(); ++it) {
        const RigaRegistro &r = *ultima.value(it.key());
        const QDate fine = it.value().last().al;
        if (!perCodice.contains(it.key())) {
            LuogoDati nuovo{correggiMaiuscole(r.nome), r.sigla, r.codice, {}};
            if (!fine.isNull())
                nuovo.nome = soppresso(nuovo.nome, fine);
            nuovo.nome = nomeUnico(nuovo.nome, nuovo, usati);
            usati.insert(nuovo.nome.toLower());
            modifiche->aggiunti << riga(nuovo);
            dati->luoghi.append(nuovo);
            continue;
        }
        LuogoDati &l = dati->luoghi[perCodice.value(it.key())];
        if (cessato(l))
            continue;
        const QString prima = riga(l);
        const bool nuovoStato = r.dal > dati->data;
        QString nome = nomeBase(l);
        if (nuovoStato && chiaveConfronto(r.nome) != chiaveConfronto(nome)) {
            nome = correggiMaiuscole(r.nome);
            modifiche->rinominati << prima + QStringLiteral(" → ") + nome;
        }
        if (nuovoStato && r.sigla != l.prov) {
            modifiche->spostati << prima + QStringLiteral(" → ") + r.sigla;
            l.prov = r.sigla;
        }
        if (!fine.isNull())
            nome = soppresso(nome, fine);
        if (nome != nomeBase(l) || !fine.isNull()) {
            usati.remove(l.nome.toLower());
            l.nome = nomeUnico(nome, l, usati);
            usati.insert(l.nome.toLower());
        }
        if (!fine.isNull())
            modifiche->cessati << prima;
    }
    for (auto it = periodi.cbegin(); it != periodi.cend(); ++it) {
        if (!dati->periodi.contains(it.key()) || dati->periodi.value(it.key()).size() != it.value().size() ||
            !std::equal(it.value().cbegin(), it.value().cend(), dati->periodi.value(it.key()).cbegin(),
                        [](const PeriodoLuogo &a, const PeriodoLuogo &b) { return a.dal == b.dal && a.al == b.al; }))
            ++modifiche->periodiCambiati;
        dati->periodi.insert(it.key(), it.value());
    }
    dati->altreProvince.clear();
    for (const LuogoDati &l : std::as_const(dati->luoghi)) {
        QList<PeriodoLuogo> altre;
        for (const PeriodoLuogo &p : province.value(l.codice))
            if (p.sigla != l.prov && (p.al.isNull() || p.al >= QDate(1920, 1, 1)))
                altre << p;
        if (!altre.isEmpty())
            dati->altreProvince.insert(l.codice, altre);
    }
    ordina(&dati->luoghi);
    dati->data = dataDeiPeriodi(dati->periodi);
    return true;
}
