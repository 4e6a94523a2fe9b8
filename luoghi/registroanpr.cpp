// SPDX-License-Identifier: MIT
#include "luoghi/registroanpr.h"

#include <QRegularExpression>

namespace {

// The columns the program reads, by their name in either edition.
struct Colonna
{
    const char *ufficiale;
    const char *riesportata;
};
constexpr Colonna Colonne[] = {
    {"CODCATASTALE", "registry_code"},   {"DATAISTITUZIONE", "institution_date"},
    {"DATACESSAZIONE", "end_date"},      {"DENOMINAZIONE_IT", "name_it"},
    {"SIGLAPROVINCIA", "provincial_code"}, {"STATO", "status"},
    {"DATAULTIMOAGG", "last_update"},    {"ALTRADENOMINAZIONE", "alternative_name"},
};
enum { Codice, Dal, Al, Nome, Sigla, Stato, Aggiornato, AltroNome, NumeroColonne };

// Splits one CSV record starting at *pos, moving *pos past its line end.
// Quoted fields may hold commas and doubled quotes, never a line end.
bool campi(const QByteArray &testo, qsizetype *pos, QList<QByteArray> *valori)
{
    valori->clear();
    qsizetype i = *pos;
    const qsizetype n = testo.size();
    for (;;) {
        QByteArray valore;
        if (i < n && testo.at(i) == '"') {
            for (++i;; ++i) {
                if (i >= n || testo.at(i) == '\n')
                    return false;
                if (testo.at(i) == '"') {
                    if (i + 1 < n && testo.at(i + 1) == '"')
                        ++i;
                    else
                        break;
                }
                valore += testo.at(i);
            }
            ++i;
        } else {
            const qsizetype inizio = i;
            while (i < n && testo.at(i) != ',' && testo.at(i) != '\n' && testo.at(i) != '\r')
                ++i;
            valore = testo.mid(inizio, i - inizio);
        }
        valori->append(valore);
        if (i < n && testo.at(i) == ',') {
            ++i;
            continue;
        }
        if (i < n && testo.at(i) == '\r')
            ++i;
        if (i < n && testo.at(i) != '\n')
            return false;
        *pos = i + 1;
        return true;
    }
}

QChar statoDa(const QByteArray &testo)
{
    if (testo == "A" || testo == "active")
        return QLatin1Char('A');
    if (testo == "C" || testo == "discontinued")
        return QLatin1Char('C');
    if (testo == "D")
        return QLatin1Char('D');
    return {};
}

bool data(const QByteArray &testo, QDate *giorno)
{
    if (testo.size() != 10 || testo.at(4) != '-' || testo.at(7) != '-')
        return false;
    *giorno = QDate::fromString(QString::fromLatin1(testo), Qt::ISODate);
    return giorno->isValid();
}

// A bilingual municipality's name joins both languages, with a slash
// ("SAN CANDIDO/INNICHEN") or a hyphen ("DOBERDÒ DEL LAGO-DOBERDOB", "DUINO
// AURISINA-DEVIN NABREŽINA"); the other language's name is also in its own
// column, alone or in a longer form ("COMUNE DI DUINO AURISINA-OBCINA DEVIN
// NABREŽINA"). The Italian name is what comes before the slash, or before the
// hyphen that starts the other name. A hyphen inside an Italian or French name
// stays: "CASTELBELLO-CIARDES" (in German "KASTELBELL-TSCHARS"),
// "PONT-SAINT-MARTIN".
QString nomeItaliano(const QString &nome, const QString &altroNome)
{
    const QString italiano = nome.section(QLatin1Char('/'), 0, 0);
    for (qsizetype i = italiano.indexOf(QLatin1Char('-')); i > 0 && !altroNome.isEmpty(); i = italiano.indexOf(QLatin1Char('-'), i + 1)) {
        const QString altro = italiano.mid(i + 1);
        if (altroNome == altro || altroNome.endsWith(QLatin1Char(' ') + altro))
            return italiano.left(i);
    }
    return italiano;
}

} // namespace

bool leggiRegistro(const QByteArray &testo, QList<RigaRegistro> *righe, QString *errore)
{
    righe->clear();
    const auto fallisce = [&](const QString &perche) {
        righe->clear();
        *errore = perche;
        return false;
    };
    qsizetype pos = testo.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    QList<QByteArray> valori;
    if (testo.size() <= pos)
        return fallisce(QStringLiteral("il file è vuoto"));
    if (!campi(testo, &pos, &valori))
        return fallisce(QStringLiteral("la prima riga non è un'intestazione di colonne separate da virgole"));
    const qsizetype quanteColonne = valori.size();
    int indice[NumeroColonne];
    for (int c = 0; c < NumeroColonne; ++c) {
        indice[c] = int(valori.indexOf(Colonne[c].ufficiale));
        if (indice[c] < 0)
            indice[c] = int(valori.indexOf(Colonne[c].riesportata));
        if (indice[c] < 0)
            return fallisce(QStringLiteral("manca la colonna %1: non è l'archivio dei comuni dell'ANPR")
                                .arg(QLatin1String(Colonne[c].ufficiale)));
    }
    static const QRegularExpression formaCodice(QStringLiteral("^[A-Z]\\d{3}$"));
    static const QRegularExpression formaSigla(QStringLiteral("^[A-Z]{2}$"));
    for (int riga = 2; pos < testo.size(); ++riga) {
        const auto sbagliata = [&](const QString &perche) { return fallisce(QStringLiteral("riga %1: %2").arg(riga).arg(perche)); };
        if (!campi(testo, &pos, &valori))
            return sbagliata(QStringLiteral("virgolette non chiuse o riga interrotta"));
        if (valori.size() != quanteColonne)
            return sbagliata(QStringLiteral("%1 campi invece di %2").arg(valori.size()).arg(quanteColonne));
        RigaRegistro r;
        r.codice = QString::fromUtf8(valori.at(indice[Codice]));
        r.nome = nomeItaliano(QString::fromUtf8(valori.at(indice[Nome])), QString::fromUtf8(valori.at(indice[AltroNome])));
        r.sigla = QString::fromUtf8(valori.at(indice[Sigla]));
        r.stato = statoDa(valori.at(indice[Stato]));
        // "ND": a place whose code was never determined, absent from any fiscal code.
        if (r.codice == QLatin1String("ND"))
            continue;
        if (!formaCodice.match(r.codice).hasMatch())
            return sbagliata(QStringLiteral("codice catastale non valido «%1»").arg(r.codice));
        for (const int c : {Dal, Al, Aggiornato}) {
            QDate *giorno = c == Dal ? &r.dal : c == Al ? &r.al : &r.aggiornato;
            if (!data(valori.at(indice[c]), giorno))
                return sbagliata(QStringLiteral("data non valida «%1» nella colonna %2")
                                     .arg(QString::fromUtf8(valori.at(indice[c])), QLatin1String(Colonne[c].ufficiale)));
        }
        if (r.al.year() == 9999)
            r.al = {};
        else if (r.al < r.dal)
            return sbagliata(QStringLiteral("il periodo di %1 finisce prima di cominciare").arg(r.codice));
        if (r.nome.isEmpty())
            return sbagliata(QStringLiteral("manca il nome del comune %1").arg(r.codice));
        if (!formaSigla.match(r.sigla).hasMatch())
            return sbagliata(QStringLiteral("sigla di provincia non valida «%1»").arg(r.sigla));
        if (r.stato.isNull())
            return sbagliata(QStringLiteral("stato non valido «%1»").arg(QString::fromUtf8(valori.at(indice[Stato]))));
        righe->append(r);
    }
    if (righe->isEmpty())
        return fallisce(QStringLiteral("il file non contiene alcun comune"));
    return true;
}
