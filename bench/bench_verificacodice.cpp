// SPDX-License-Identifier: MIT
#include "fiscal/codicefiscale.h"
#include "fiscal/verificacodice.h"
#include "misura.h"

#include <QStringList>
#include <QTextStream>

namespace {

// A thousand codes as clerks receive them: most valid, some omocodic, some
// typed in small letters with blanks, some mistyped in each of the ways a
// code can be wrong.
QStringList codici()
{
    const QStringList cognomi = {"ROSSI", "Russo", "Ferrari", "D'Angelo", "De Luca", "FO", "AI", "Mazzà"};
    const QStringList nomi = {"MARIO", "Giulia", "Gianfranco", "Eva", "Li", "Anna Maria"};
    const QStringList luoghi = {"H501", "F205", "D704", "C745", "Z110", "Z404", "C112", "M437"};
    const QString omocodia = QStringLiteral("LMNPQRSTUV");
    const int cifre[] = {6, 7, 9, 10, 12, 13, 14};
    QStringList elenco;
    for (int i = 0; i < 1000; ++i) {
        QString c = CalcoloCodFis(cognomi.at(i % cognomi.size()), nomi.at((i * 7) % nomi.size()),
                                  QDate(1920, 1, 1).addDays(qint64(i) * 37), (i % 3) ? "M" : "F",
                                  luoghi.at((i * 5) % luoghi.size()));
        c.remove(QLatin1Char(' '));
        switch (i % 10) {
        case 7: // omocodic, from the right
            c[14] = omocodia.at(c.at(14).digitValue());
            c[15] = CarattereControllo(c);
            break;
        case 8: // as typed by hand
            c = CodiceRaggruppato(c).toLower();
            break;
        case 9: // mistyped, in turn in each way
            switch (i / 10 % 4) {
            case 0:
                c.chop(1);
                break;
            case 1:
                c[cifre[i % 7]] = QLatin1Char('A');
                break;
            case 2:
                c[8] = QLatin1Char('F');
                break;
            default:
                c[15] = c.at(15) == QLatin1Char('A') ? QLatin1Char('B') : QLatin1Char('A');
            }
        }
        elenco << c;
    }
    return elenco;
}

} // namespace

int main()
{
    const QStringList elenco = codici();
    volatile qsizetype scarto = 0; // keeps the results from being optimised away

    const double verifiche = operazioniAlSecondo(
        [&] {
            for (const QString &c : elenco)
                scarto = scarto + VerificaCodFis(c).sostituzioni;
        },
        elenco.size());
    // The least work any implementation does: read the characters and make a
    // new, upper-case string of them.
    const double maiuscole = operazioniAlSecondo(
        [&] {
            for (const QString &c : elenco)
                scarto = scarto + c.toUpper().size();
        },
        elenco.size());

    QTextStream out(stdout);
    out << "VerificaCodFis, un processore, " << elenco.size() << " codici diversi in ciclo" << Qt::endl;
    out << "  riferimento, maiuscole del codice: " << qRound64(maiuscole) << " al secondo" << Qt::endl;
    out << "  rapporto verifiche / riferimento: " << QString::number(verifiche / maiuscole, 'f', 3) << Qt::endl;
    confronta(QStringLiteral("verifiche al secondo"), QString::number(qRound64(verifiche)), QStringLiteral("≥ 2000000"),
              verifiche >= 2e6);
    return 0;
}
