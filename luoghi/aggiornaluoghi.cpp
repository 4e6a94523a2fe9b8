// SPDX-License-Identifier: MIT
#include "luoghi/aggiornaluoghi.h"

#include "luoghi/nomiluoghi.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <functional>

namespace {

constexpr int MinimoComuniInVigore = 7000;

bool estero(const LuogoDati &l)
{
    return l.prov == QLatin1String("EE");
}

const QRegularExpression &marcaSoppresso()
{
    static const QRegularExpression marca(QStringLiteral("^(.*) \\(soppresso nel (\\d{4})(, [^)]*)?\\)$"));
    return marca;
}

bool cessato(const LuogoDati &l)
{
    static const QRegularExpression marcatore(QStringLiteral(" \\((soppresso|Stato cessato) nel \\d{4}[^)]*\\)$"));
    return marcatore.match(l.nome).hasMatch();
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

// The name without the marks that tell places of one name apart: "Castro"
// for "Castro (BG)" (or "Castro (codice C337)", were two in one province),
// "Forno (soppresso nel 1928)" for "Forno (soppresso nel 1928, NO)", "Palau"
// for the state "Palau (Stato estero)". A ceased state keeps its name: no
// register changes it.
QString senzaMarchi(const LuogoDati &l)
{
    static const QRegularExpression provincia(QStringLiteral(" \\(([A-Z]{2}|codice [A-Z]\\d{3})\\)$"));
    static const QRegularExpression stato(QStringLiteral(" \\(Stato estero\\)$"));
    if (!l.nome.endsWith(QLatin1Char(')')))
        return l.nome;
    if (estero(l))
        return QString(l.nome).remove(stato);
    const auto m = marcaSoppresso().match(l.nome);
    if (m.hasMatch())
        return QStringLiteral("%1 (soppresso nel %2)").arg(m.captured(1), m.captured(2));
    return QString(l.nome).remove(provincia);
}

// Gives every place of a group that shares one name its mark: the province,
// or the code where two of them share that too.
void marcaGruppi(const QHash<QString, QList<LuogoDati *>> &gruppi, const std::function<QString(const LuogoDati &, const QString &)> &marca)
{
    for (const QList<LuogoDati *> &gruppo : gruppi) {
        if (gruppo.size() < 2)
            continue;
        for (LuogoDati *l : gruppo) {
            const bool stessaProvincia =
                std::count_if(gruppo.cbegin(), gruppo.cend(), [l](const LuogoDati *x) { return x->prov == l->prov; }) > 1;
            l->nome = marca(*l, stessaProvincia ? QStringLiteral("codice %1").arg(l->codice) : l->prov);
        }
    }
}

// The marks of the reference data on names without them: municipalities in
// force that share a name all take their province, "Castro (BG)" and
// "Castro (LE)"; a state in force with a municipality's name is said to be a
// state, "Palau (Stato estero)"; ceased municipalities of one name and one
// year take the province in their mark, "Forno (soppresso nel 1928, NO)".
// Names compare without regard to case, ceased ones without accents too.
void marcaOmonimi(QList<LuogoDati> *luoghi)
{
    QHash<QString, QList<LuogoDati *>> attuali, soppressi;
    for (LuogoDati &l : *luoghi) {
        if (estero(l))
            continue;
        const auto m = marcaSoppresso().match(l.nome);
        if (m.hasMatch())
            soppressi[chiaveOrdinamento(m.captured(1)) + QLatin1Char('|') + m.captured(2)].append(&l);
        else
            attuali[l.nome.toLower()].append(&l);
    }
    marcaGruppi(attuali, [](const LuogoDati &l, const QString &marca) { return QStringLiteral("%1 (%2)").arg(l.nome, marca); });
    marcaGruppi(soppressi, [](const LuogoDati &l, const QString &marca) { return l.nome.chopped(1) + QStringLiteral(", %1)").arg(marca); });
    QSet<QString> comuni;
    for (const QList<LuogoDati *> &gruppo : std::as_const(attuali))
        for (const LuogoDati *l : gruppo)
            comuni.insert(l->nome.toLower());
    for (LuogoDati &l : *luoghi)
        if (estero(l) && !cessato(l) && comuni.contains(l.nome.toLower()))
            l.nome += QStringLiteral(" (Stato estero)");
}

QString soppresso(const QString &nome, const QDate &ultimoGiorno)
{
    return QStringLiteral("%1 (soppresso nel %2)").arg(nome).arg(ultimoGiorno.addDays(1).year());
}

// "M999 Nuovo Comune (PV)"; a name that says its province already,
// "Castro (BG)", is not followed by it again.
QString riga(const LuogoDati &l)
{
    const QString provincia = QStringLiteral(" (%1)").arg(l.prov);
    return QStringLiteral("%1 %2").arg(l.codice, l.nome.endsWith(provincia) ? l.nome : l.nome + provincia);
}

// Moves `data` on to the first day of a period from `dal` to `al`, or to the
// day after it, where either is newer.
void finoA(QDate *data, const QDate &dal, const QDate &al)
{
    for (const QDate &giorno : {dal, al.isNull() ? QDate() : al.addDays(1)})
        if (giorno.isValid() && (data->isNull() || giorno > *data))
            *data = giorno;
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
            finoA(&data, p.dal, p.al);
    return data;
}

QDate dataDelRegistro(const QList<RigaRegistro> &registro)
{
    QDate data;
    for (const RigaRegistro &r : registro)
        finoA(&data, r.dal, r.al);
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
    const QDate dataRegistro = dataDelRegistro(registro);
    if (dataRegistro < dati->data)
        dati->confermato = std::max(dati->confermato, dati->data);
    // Each code's last row: its newest name, province and state.
    QHash<QString, const RigaRegistro *> ultima;
    for (const RigaRegistro &r : registro)
        if (periodi.contains(r.codice) && (!ultima.contains(r.codice) || ultima[r.codice]->dal < r.dal))
            ultima[r.codice] = &r;

    // The merge works on names without marks; they are given again once
    // every place has its name.
    const QList<LuogoDati> prima = dati->luoghi;
    QHash<QString, qsizetype> perCodice;
    for (qsizetype i = 0; i < dati->luoghi.size(); ++i) {
        perCodice.insert(dati->luoghi.at(i).codice, i);
        dati->luoghi[i].nome = senzaMarchi(dati->luoghi.at(i));
    }
    for (auto it = periodi.cbegin(); it != periodi.cend(); ++it) {
        const RigaRegistro &r = *ultima.value(it.key());
        const QDate fine = it.value().last().al;
        if (!perCodice.contains(it.key())) {
            LuogoDati nuovo{correggiMaiuscole(r.nome), r.sigla, r.codice, {}};
            if (!fine.isNull())
                nuovo.nome = soppresso(nuovo.nome, fine);
            dati->luoghi.append(nuovo);
            continue;
        }
        const qsizetype i = perCodice.value(it.key());
        LuogoDati &l = dati->luoghi[i];
        if (cessato(l))
            continue;
        const bool nuovoStato = r.dal > dati->data;
        if (nuovoStato && chiaveConfronto(r.nome) != chiaveConfronto(l.nome))
            l.nome = correggiMaiuscole(r.nome);
        if (nuovoStato && r.sigla != l.prov) {
            modifiche->spostati << riga(prima.at(i)) + QStringLiteral(" → ") + r.sigla;
            l.prov = r.sigla;
        }
        if (!fine.isNull()) {
            l.nome = soppresso(l.nome, fine);
            modifiche->cessati << riga(prima.at(i));
        }
    }
    marcaOmonimi(&dati->luoghi);
    for (qsizetype i = 0; i < dati->luoghi.size(); ++i) {
        const LuogoDati &l = dati->luoghi.at(i);
        if (i >= prima.size())
            modifiche->aggiunti << riga(l);
        else if (l.nome != prima.at(i).nome && cessato(l) == cessato(prima.at(i)))
            modifiche->rinominati << QStringLiteral("%1 %2 → %3").arg(l.codice, prima.at(i).nome, l.nome);
    }
    modifiche->rinominati.sort();
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
    dati->data = std::max(dataDeiPeriodi(dati->periodi), dataRegistro);
    return true;
}
