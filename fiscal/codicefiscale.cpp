// SPDX-License-Identifier: MIT
#include "fiscal/codicefiscale.h"

#include "fiscal/traslitterazione.h"

#include <algorithm>
#include <iterator>

namespace {

const QString Vocali = QStringLiteral("AEIOU");
const QString LettereMese = QStringLiteral("ABCDEHLMPRST");
const QString TabellaDispari = QStringLiteral("B1A0KKPPLLC2QQD3RRE4VVOOSSF5TTG6UUH7MMI8NNJ9WWZZYYXX");
const QString TabellaPari = QStringLiteral("A0B1C2D3E4F5G6H7I8J9KKLLMMNNOOPPQQRRSSTTUUVVWWXXYYZZ");
const QString LettereControllo = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");

// The first vowels and consonants of a name's letters, as many as its part
// of the code can use.
struct Lettere
{
    QChar vocali[3];
    QChar consonanti[4];
    int quanteVocali = 0;
    int quanteConsonanti = 0;
};

// The scan stops once `bastanoConsonanti` consonants are found: three make
// a surname's part, four a given name's.
Lettere separa(const QString &testo, int bastanoConsonanti)
{
    Lettere l;
    for (const QChar m : lettereDelNome(testo)) {
        if (Vocali.contains(m)) {
            if (l.quanteVocali < 3)
                l.vocali[l.quanteVocali++] = m;
        } else {
            l.consonanti[l.quanteConsonanti++] = m;
            if (l.quanteConsonanti == bastanoConsonanti)
                break;
        }
    }
    return l;
}

// Three letters of a name: of four consonants the first, third and fourth;
// else the consonants, then the vowels, then X as needed.
void aggiungiLettere(QString &codice, const Lettere &l)
{
    if (l.quanteConsonanti == 4) {
        codice += l.consonanti[0];
        codice += l.consonanti[2];
        codice += l.consonanti[3];
        return;
    }
    int prese = 0;
    for (int i = 0; i < l.quanteConsonanti && prese < 3; ++i, ++prese)
        codice += l.consonanti[i];
    for (int i = 0; i < l.quanteVocali && prese < 3; ++i, ++prese)
        codice += l.vocali[i];
    for (; prese < 3; ++prese)
        codice += QLatin1Char('X');
}

// The worth of a character in a check table: the index of the pair that
// holds it, its case ignored (a character folding to one of the table's, as
// the long s to s, counts as that one). An empty position is worth 0; a
// character the table lacks is worth 16383, as the sum has always counted it.
struct Valori
{
    int dispari[128];
    int pari[128];
};

const Valori &valori()
{
    static const Valori v = [] {
        Valori t;
        std::fill(std::begin(t.dispari), std::end(t.dispari), 16383);
        std::fill(std::begin(t.pari), std::end(t.pari), 16383);
        for (int i = int(TabellaDispari.size()) - 1; i >= 0; --i) {
            const char16_t c = TabellaDispari.at(i).unicode();
            t.dispari[c] = t.dispari[QChar::toLower(c)] = i / 2;
        }
        for (int i = int(TabellaPari.size()) - 1; i >= 0; --i) {
            const char16_t c = TabellaPari.at(i).unicode();
            t.pari[c] = t.pari[QChar::toLower(c)] = i / 2;
        }
        return t;
    }();
    return v;
}

int valore(const QString &codice, int posizione)
{
    if (posizione > codice.size())
        return 0;
    // The tables hold both cases of their letters, so only a character
    // outside ASCII needs folding first.
    char32_t c = codice.at(posizione - 1).unicode();
    if (c >= 128)
        c = QChar::toCaseFolded(c);
    if (c >= 128)
        return 16383;
    return posizione % 2 == 1 ? valori().dispari[c] : valori().pari[c];
}

// Two digits, with a leading zero.
void aggiungiDueCifre(QString &codice, int n)
{
    codice += QChar(char16_t(u'0' + n / 10 % 10));
    codice += QChar(char16_t(u'0' + n % 10));
}

} // namespace

QChar CarattereControllo(const QString &codice)
{
    qint32 somma = 0;
    for (int i = 1; i <= 15; ++i)
        somma += valore(codice, i);
    return LettereControllo.at(somma % 26);
}

QString CalcoloCodFis(const QString &cognome, const QString &nome, const QDate &dataNascita,
                      const QString &sesso, const QString &codiceLuogo)
{
    QString codice;
    codice.reserve(16);
    aggiungiLettere(codice, separa(cognome, 3));
    aggiungiLettere(codice, separa(nome, 4));
    // The last two digits of the year as written with at least four; a year
    // before Christ writes them after its minus sign.
    aggiungiDueCifre(codice, qAbs(dataNascita.year()) % 100);
    codice += LettereMese.at(dataNascita.month() - 1);
    const bool femmina = sesso.compare(QLatin1String("F"), Qt::CaseInsensitive) == 0;
    aggiungiDueCifre(codice, dataNascita.day() + (femmina ? 40 : 0));
    codice += codiceLuogo;
    codice += CarattereControllo(codice);
    return CodiceRaggruppato(codice);
}

QString CodiceRaggruppato(const QString &codice)
{
    // Cut from a view and written into one string: no piece is copied twice.
    const QStringView c(codice);
    const QChar spazio = QLatin1Char(' ');
    QString gruppi;
    gruppi.reserve(c.size() + 3);
    gruppi.append(c.left(3)).append(spazio).append(c.mid(3, 3)).append(spazio);
    gruppi.append(c.mid(6, 5)).append(spazio).append(c.right(5));
    return gruppi;
}
