// SPDX-License-Identifier: MIT
#include "fiscal/codicefiscale.h"

namespace {

const QString Vocali = QStringLiteral("AEIOU");
const QString Consonanti = QStringLiteral("BCDFGHJKLMNPQRSTVWXYZ");
const QString LettereMese = QStringLiteral("ABCDEHLMPRST");
const QString TabellaDispari = QStringLiteral("B1A0KKPPLLC2QQD3RRE4VVOOSSF5TTG6UUH7MMI8NNJ9WWZZYYXX");
const QString TabellaPari = QStringLiteral("A0B1C2D3E4F5G6H7I8J9KKLLMMNNOOPPQQRRSSTTUUVVWWXXYYZZ");
const QString LettereControllo = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");

struct Lettere
{
    QString vocali;
    QString consonanti;
};

// Upper-cases one character when it is one of the 26 unaccented letters; any
// other character comes back as a null QChar, which belongs to neither set.
QChar letteraMaiuscola(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'a' && u <= u'z')
        return QChar(u - (u'a' - u'A'));
    if (u >= u'A' && u <= u'Z')
        return c;
    return QChar();
}

// Splits a name into its vowels and consonants, in order; the scan stops early
// once `bastanoConsonanti` consonants are found (0 scans the whole name).
Lettere separa(const QString &testo, int bastanoConsonanti)
{
    Lettere l;
    for (QChar c : testo) {
        const QChar m = letteraMaiuscola(c);
        if (m.isNull())
            continue;
        if (Vocali.contains(m))
            l.vocali += m;
        else if (Consonanti.contains(m))
            l.consonanti += m;
        if (bastanoConsonanti > 0 && l.consonanti.size() == bastanoConsonanti)
            break;
    }
    return l;
}

QString codiceCognome(const QString &cognome)
{
    const Lettere l = separa(cognome, 3);
    QString codice = l.consonanti;
    if (codice.size() < 3)
        codice += l.vocali.left(3 - codice.size());
    return codice.leftJustified(3, QLatin1Char('X'));
}

QString codiceNome(const QString &nome)
{
    const Lettere l = separa(nome, 0);
    if (l.consonanti.size() >= 4)
        return QString(l.consonanti[0]) + l.consonanti[2] + l.consonanti[3];
    if (l.consonanti.size() == 3)
        return l.consonanti;
    return (l.consonanti + l.vocali + QStringLiteral("XXX")).left(3);
}

// Position of a character in a check table, 1-based and ignoring case; 1 for
// an empty position (the code is shorter), 0 when the table lacks it.
int posizioneInTabella(const QString &tabella, const QString &carattere)
{
    if (carattere.isEmpty())
        return 1;
    return int(tabella.indexOf(carattere, 0, Qt::CaseInsensitive)) + 1;
}

QChar carattereControllo(const QString &codice)
{
    qint32 somma = 0;
    for (int i = 1; i <= 15; ++i) {
        const QString &tabella = (i % 2 == 1) ? TabellaDispari : TabellaPari;
        const int p = posizioneInTabella(tabella, codice.mid(i - 1, 1));
        // Each table holds pairs of equivalent characters; clearing the low bit
        // of p - 1 gives the pair. A missing character (p = 0) is worth 16383.
        somma += ((p - 1) & 0x7FFE) / 2;
    }
    return LettereControllo.at(somma % 26);
}

} // namespace

QString CalcoloCodFis(const QString &cognome, const QString &nome, const QDate &dataNascita,
                      const QString &sesso, const QString &codiceLuogo)
{
    QString codice = codiceCognome(cognome) + codiceNome(nome);
    codice += QStringLiteral("%1").arg(dataNascita.year(), 4, 10, QLatin1Char('0')).right(2);
    codice += LettereMese.at(dataNascita.month() - 1);
    const bool femmina = sesso.compare(QStringLiteral("F"), Qt::CaseInsensitive) == 0;
    codice += QStringLiteral("%1").arg(dataNascita.day() + (femmina ? 40 : 0), 2, 10, QLatin1Char('0'));
    codice += codiceLuogo;
    codice += carattereControllo(codice);

    const QChar spazio = QLatin1Char(' ');
    return codice.left(3) + spazio + codice.mid(3, 3) + spazio + codice.mid(6, 5) + spazio + codice.right(5);
}
