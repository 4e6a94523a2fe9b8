// SPDX-License-Identifier: MIT
#include "fiscal/codicefiscale.h"
#include "proprieta.h"

#include <QString>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

QString testo(FuzzedDataProvider &dati)
{
    return QString::fromUtf8(dati.ConsumeRandomLengthString());
}

bool lettera(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

} // namespace

// Any names, sex and place code, as UTF-8 that may be malformed, and any day
// of the calendar QDate can hold from year -9999 to 9999.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const qint64 primoGiorno = QDate(-9999, 1, 1).toJulianDay();
    static const qint64 ultimoGiorno = QDate(9999, 12, 31).toJulianDay();

    FuzzedDataProvider dati(data, size);
    const QDate nascita = QDate::fromJulianDay(dati.ConsumeIntegralInRange(primoGiorno, ultimoGiorno));
    const QString cognome = testo(dati);
    const QString nome = testo(dati);
    const QString sesso = testo(dati);
    const QString luogo = QString::fromStdString(dati.ConsumeRemainingBytesAsString());

    const QString codice = CalcoloCodFis(cognome, nome, nascita, sesso, luogo);

    // Whatever the place code, the groups are cut by position: 3, 3, 5 and
    // the last five characters, which end with the check letter.
    PROPRIETA(codice.size() == 19);
    PROPRIETA(codice.at(3) == QLatin1Char(' ') && codice.at(7) == QLatin1Char(' ')
              && codice.at(13) == QLatin1Char(' '));
    for (int i = 0; i < 7; ++i)
        PROPRIETA(i == 3 || lettera(codice.at(i)));
    PROPRIETA(lettera(codice.at(18)));
    // The year's last two digits, the month letter and the day, plus 40 for a woman.
    PROPRIETA(codice.mid(8, 2) == QString::number(qAbs(nascita.year()) % 100).rightJustified(2, QLatin1Char('0')));
    PROPRIETA(codice.at(10) == QStringLiteral("ABCDEHLMPRST").at(nascita.month() - 1));
    const bool femmina = sesso.compare(QLatin1String("F"), Qt::CaseInsensitive) == 0;
    PROPRIETA(codice.mid(11, 2).toInt() == nascita.day() + (femmina ? 40 : 0));
    if (luogo.size() == 4)
        PROPRIETA(codice.mid(14, 4) == luogo);
    return 0;
}
