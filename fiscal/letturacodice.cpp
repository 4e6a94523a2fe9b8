// SPDX-License-Identifier: MIT
#include "fiscal/letturacodice.h"

#include "fiscal/codicefiscale.h"

#include <QStringBuilder>

// Written by hand: QDate::toString goes through the locale's formatter, a
// tenth of the whole check of a row of a list.
QString testoGiorno(const QDate &d)
{
    int a = 0, m = 0, g = 0;
    d.getDate(&a, &m, &g);
    const char16_t t[10] = {char16_t(u'0' + g / 10), char16_t(u'0' + g % 10), u'/',
                            char16_t(u'0' + m / 10), char16_t(u'0' + m % 10), u'/',
                            char16_t(u'0' + a / 1000 % 10), char16_t(u'0' + a / 100 % 10),
                            char16_t(u'0' + a / 10 % 10), char16_t(u'0' + a % 10)};
    return QString(reinterpret_cast<const QChar *>(t), 10);
}

LetturaCodice leggiCodice(const EsitoCodFis &esito, const LuogoDelCodice &luogo, const QDate &oggi)
{
    LetturaCodice l;
    l.omocodia = esito.sostituzioni == 0 ? QStringLiteral("nessuna")
                                         : QStringLiteral("%1 su 7 cifre sostituite da lettere; codice di base %2")
                                               .arg(esito.sostituzioni)
                                               .arg(CodiceRaggruppato(esito.codiceBase));
    l.sesso = esito.sesso == QLatin1Char('F') ? QStringLiteral("femminile") : QStringLiteral("maschile");
    // The latest century comes first, unless only the other one finds the
    // place in existence: then that is the likelier date of birth.
    NascitaCodFis nascita = DataNascitaCodFis(esito, oggi);
    const auto esisteva = [&](const QDate &d) { return avvisoLuogo(luogo, esito.codiceLuogo, {d, {}}).isEmpty(); };
    if (luogo.trovato && nascita.altraData.isValid() && !esisteva(nascita.data) && esisteva(nascita.altraData))
        std::swap(nascita.data, nascita.altraData);
    l.data = nascita.altraData.isValid()
                 ? QStringLiteral("%1 (oppure %2)").arg(testoGiorno(nascita.data), testoGiorno(nascita.altraData))
                 : testoGiorno(nascita.data);
    if (luogo.trovato)
        l.luogo = testoLuogo(luogo, nascita.data) % QLatin1Char(' ') % esito.codiceLuogo;
    const QString avviso = avvisoLuogo(luogo, esito.codiceLuogo, nascita);
    l.avviso = avviso.left(1).toUpper() + avviso.mid(1);
    return l;
}
