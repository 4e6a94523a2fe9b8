// SPDX-License-Identifier: MIT
#include "misura.h"
#include "vat/controllopi.h"

#include <QStringList>
#include <QTextStream>

int main()
{
    // A thousand numbers of eleven digits, right and wrong alike.
    QStringList numeri;
    quint64 x = 12345678903;
    for (int i = 0; i < 1000; ++i) {
        numeri << QString::number(x % 100'000'000'000ULL).rightJustified(11, QLatin1Char('0'));
        x = x * 6364136223846793005ULL + 1442695040888963407ULL;
    }
    volatile int scarto = 0;

    const double controlli = operazioniAlSecondo(
        [&] {
            for (const QString &n : numeri)
                scarto = scarto + (ControlloPI(n) ? 1 : 0);
        },
        numeri.size());
    // The least work any check does: read each of the eleven characters once.
    const double letture = operazioniAlSecondo(
        [&] {
            for (const QString &n : numeri) {
                int somma = 0;
                for (QChar c : n)
                    somma += c.unicode();
                scarto = scarto + somma;
            }
        },
        numeri.size());

    QTextStream out(stdout);
    out << "ControlloPI, un processore, " << numeri.size() << " numeri diversi in ciclo" << Qt::endl;
    out << "  riferimento, sommare gli undici caratteri: " << qRound64(letture) << " al secondo" << Qt::endl;
    out << "  rapporto controlli / riferimento: " << QString::number(controlli / letture, 'f', 3) << Qt::endl;
    confronta(QStringLiteral("controlli al secondo"), QString::number(qRound64(controlli)),
              QStringLiteral("≥ 20000000"), controlli >= 20e6);
    return 0;
}
