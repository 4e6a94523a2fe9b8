// SPDX-License-Identifier: MIT
#include "fiscal/codicefiscale.h"
#include "misura.h"

#include <QDate>
#include <QStringList>
#include <QTextStream>

namespace {

struct Persona
{
    QString cognome, nome, sesso, luogo;
    QDate nascita;
};

const QStringList CognomiItaliani = {"ROSSI", "Russo", "Ferrari", "Esposito", "Bianchi", "Romano", "Colombo",
                                     "D'Angelo", "De Luca", "Mancini", "Lombardi", "FO", "AI", "Dell'Acqua",
                                     "Giordano", "Rizzo", "Marino", "Greco", "Bruno", "Gallo", "Costa",
                                     "Fontana", "Conti", "De Santis", "Caruso", "Mazzà", "Lo Iacono"};
const QStringList NomiItaliani = {"MARIO", "Giulia", "Gianfranco", "Eva", "Li", "Anna Maria", "Pier Luigi",
                                  "Nicolò", "Zoe", "Francesca", "Alessandro", "Chiara", "Giuseppe",
                                  "Maria Grazia", "Luca", "Sofia", "Ugo", "Aurora"};
// Names of people born abroad, each with letters that are transliterated.
const QStringList CognomiStranieri = {"Noè", "Muñoz", "Weiß", "Šimić", "Çelik", "Østergård", "Łukaszewski",
                                      "Müller", "Nguyễn", "Dvořák", "Ångström", "Öztürk", "Jiménez", "Żółć",
                                      "Ærø", "Œuvray", "Kovačević", "Søren"};
const QStringList NomiStranieri = {"Zoè", "Iñaki", "Jürgen", "Čedo", "Ağça", "Đorđe", "Małgorzata", "Ğül",
                                   "Björk", "Ştefan", "Ýrr", "Ľudovít", "Thérèse", "Göran", "Bjørn", "Łucja"};

// A thousand people whose names, dates, sexes and places vary together:
// short and long names, apostrophes, blanks, accents, both sexes, a century
// of birthdays, municipalities and foreign states.
QList<Persona> persone(const QStringList &cognomi, const QStringList &nomi)
{
    const QStringList luoghi = {"H501", "F205", "D704", "H511", "H620", "C745", "I197", "H223", "C265",
                                "Z110", "Z112", "Z404", "L219", "A944", "F839", "G273"};
    QList<Persona> elenco;
    const QDate inizio(1920, 1, 1);
    for (int i = 0; i < 1000; ++i)
        elenco.append({cognomi.at(i % cognomi.size()), nomi.at((i * 7) % nomi.size()),
                       (i % 3 == 0) ? QStringLiteral("F") : QStringLiteral("M"), luoghi.at((i * 5) % luoghi.size()),
                       inizio.addDays(qint64(i) * 37)});
    return elenco;
}

} // namespace

int main()
{
    const QList<Persona> elenco = persone(CognomiItaliani, NomiItaliani);
    const QList<Persona> stranieri = persone(CognomiStranieri, NomiStranieri);
    volatile qsizetype scarto = 0; // keeps the results from being optimised away

    const auto calcola = [&scarto](const QList<Persona> &chi) {
        return operazioniAlSecondo(
            [&] {
                for (const Persona &p : chi)
                    scarto = scarto + CalcoloCodFis(p.cognome, p.nome, p.nascita, p.sesso, p.luogo).size();
            },
            chi.size());
    };
    const double codici = calcola(elenco);
    const double codiciStranieri = calcola(stranieri);
    // The least work any implementation does: read the inputs and build one
    // new string from them.
    const double concatenazioni = operazioniAlSecondo(
        [&] {
            for (const Persona &p : elenco)
                scarto = scarto + (p.cognome + p.nome + p.sesso + p.luogo).size();
        },
        elenco.size());

    QTextStream out(stdout);
    out << "CalcoloCodFis, un processore, " << elenco.size() << " persone diverse in ciclo" << Qt::endl;
    out << "  riferimento, concatenare gli ingressi: " << qRound64(concatenazioni) << " al secondo" << Qt::endl;
    out << "  rapporto codici / riferimento: " << QString::number(codici / concatenazioni, 'f', 3) << Qt::endl;
    out << "  rapporto codici con lettere da traslitterare / riferimento: "
        << QString::number(codiciStranieri / concatenazioni, 'f', 3) << Qt::endl;
    confronta(QStringLiteral("codici al secondo"), QString::number(qRound64(codici)), QStringLiteral("≥ 1000000"),
              codici >= 1e6);
    confronta(QStringLiteral("codici al secondo, nomi con lettere da traslitterare"),
              QString::number(qRound64(codiciStranieri)), QStringLiteral("≥ 1000000"), codiciStranieri >= 1e6);
    return 0;
}
