// SPDX-License-Identifier: MIT
#include "fiscal/verificacodice.h"

#include "fiscal/codicefiscale.h"

#include <QStringList>
#include <string>

namespace {

constexpr int Lunghezza = 16;
constexpr char LettereMese[] = "ABCDEHLMPRST";
// The letters that stand for the digits 0 to 9 in an omocodic code.
constexpr char LettereOmocodia[] = "LMNPQRSTUV";
// Which of the sixteen characters are digits: year, day and the place's number.
constexpr bool Cifra[Lunghezza] = {false, false, false, false, false, false, true, true,
                                   false, true,  true,  false, true,  true,  true, false};
const char *const NomiMese[] = {"gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
                                "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};
constexpr int GiorniMese[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool lettera(char32_t c)
{
    return c >= U'A' && c <= U'Z';
}

// The digit a character of a digit position stands for, or -1.
int cifra(char32_t c)
{
    if (c >= U'0' && c <= U'9')
        return int(c - U'0');
    for (int i = 0; i < 10; ++i)
        if (c == char32_t(LettereOmocodia[i]))
            return i;
    return -1;
}

// Characters that a paste brings along unseen, read as blanks like the
// spaces: zero-width space, non-joiner and joiner, word joiner, byte-order
// mark, soft hyphen.
bool invisibile(char32_t c)
{
    return QChar::isSpace(c) || (c >= 0x200B && c <= 0x200D) || c == 0x2060 || c == 0xFEFF || c == 0x00AD;
}

QString numeroUnicode(char32_t c)
{
    return QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
}

// A character as a message shows it: itself, or its number when it cannot
// be seen. Outside ASCII the number goes with it, for a Cyrillic А or a
// full-width Ｒ looks like the letter the code wants.
QString mostra(char32_t c)
{
    if (!QChar::isPrint(c))
        return QStringLiteral("«%1»").arg(numeroUnicode(c));
    const QString testo = QStringLiteral("«%1»").arg(QString::fromUcs4(&c, 1));
    return c < 0x80 ? testo : QStringLiteral("%1 (%2)").arg(testo, numeroUnicode(c));
}

// Which digits the omocodia letters among the characters da to a (from 1)
// stand for, as a message adds it: " (la L sta per 0, la M per 1)", or
// nothing when they are all digits.
QString lettereOmocodia(const char32_t *letti, int da, int a)
{
    QStringList sostituite;
    for (int i = da - 1; i < a; ++i)
        if (letti[i] > U'9')
            sostituite << QStringLiteral("la %1 %2 %3")
                              .arg(QChar(char16_t(letti[i])))
                              .arg(sostituite.isEmpty() ? QStringLiteral("sta per") : QStringLiteral("per"))
                              .arg(cifra(letti[i]));
    return sostituite.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(sostituite.join(QStringLiteral(", ")));
}

EsitoCodFis errore(EsitoCodFis esito, const QString &motivo)
{
    esito.errore = motivo;
    return esito;
}

} // namespace

EsitoCodFis VerificaCodFis(const QString &codice)
{
    EsitoCodFis esito;
    // Blanks go, small letters become capitals; the characters are counted
    // as the user sees them, so a symbol outside the basic plane is one.
    char32_t letti[Lunghezza];
    qsizetype quanti = 0;
    const qsizetype n = codice.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = codice.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n && codice.at(i + 1).isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), codice.at(++i).unicode());
        if (invisibile(c))
            continue;
        if (c >= U'a' && c <= U'z')
            c -= U'a' - U'A';
        if (quanti < Lunghezza)
            letti[quanti] = c;
        ++quanti;
    }
    if (quanti == 0)
        return errore(esito, QStringLiteral("il codice è vuoto"));
    if (quanti != Lunghezza)
        return errore(esito, QStringLiteral("il codice dovrebbe avere 16 caratteri, ne ha %1").arg(quanti));

    QChar letto[Lunghezza];
    QChar cifreRimesse[Lunghezza];
    for (int i = 0; i < Lunghezza; ++i) {
        const char32_t c = letti[i];
        if (Cifra[i]) {
            const int v = cifra(c);
            if (v < 0)
                return errore(
                    esito,
                    QStringLiteral("il carattere %1 dovrebbe essere una cifra, non %2").arg(i + 1).arg(mostra(c)));
            esito.sostituzioni += lettera(c);
            cifreRimesse[i] = QChar(char16_t(u'0' + v));
        } else {
            if (!lettera(c))
                return errore(
                    esito,
                    QStringLiteral("il carattere %1 dovrebbe essere una lettera, non %2").arg(i + 1).arg(mostra(c)));
            cifreRimesse[i] = QChar(char16_t(c));
        }
        letto[i] = QChar(char16_t(c));
    }
    esito.codiceBase = QString(cifreRimesse, Lunghezza);
    esito.codiceBase[15] = CarattereControllo(esito.codiceBase);
    // A valid code without replaced digits is its own base code: one text.
    const bool comeBase = esito.sostituzioni == 0 && letto[15] == esito.codiceBase.at(15);
    esito.codice = comeBase ? esito.codiceBase : QString(letto, Lunghezza);

    const auto valore = [&esito](int i) { return esito.codiceBase.at(i).unicode() - u'0'; };
    const char *mese = std::char_traits<char>::find(LettereMese, 12, char(letti[8]));
    if (!mese)
        return errore(esito, QStringLiteral("il carattere 9 dovrebbe essere la lettera di un mese "
                                            "(A B C D E H L M P R S T), non %1")
                                 .arg(mostra(letti[8])));
    esito.mese = int(mese - LettereMese) + 1;
    esito.anno2 = valore(6) * 10 + valore(7);
    const int giorno = valore(9) * 10 + valore(10);
    esito.sesso = QLatin1Char(giorno > 40 ? 'F' : 'M');
    esito.giorno = giorno > 40 ? giorno - 40 : giorno;
    if (esito.giorno < 1 || esito.giorno > 31)
        return errore(esito, QStringLiteral("i caratteri 10 e 11 danno il giorno %1%2: dovrebbe andare da 01 a 31 "
                                            "per gli uomini, da 41 a 71 per le donne")
                                 .arg(giorno, 2, 10, QLatin1Char('0'))
                                 .arg(lettereOmocodia(letti, 10, 11)));
    const auto data = [&esito, &letti] {
        return QStringLiteral("il %1 %2%3")
            .arg(esito.giorno)
            .arg(QLatin1String(NomiMese[esito.mese - 1]), lettereOmocodia(letti, 10, 11));
    };
    if (esito.giorno > GiorniMese[esito.mese - 1])
        return errore(esito, QStringLiteral("i caratteri 10 e 11 danno %1, che non esiste").arg(data()));
    // Years ending in 00 can be leap (2000), so only the last two digits count.
    if (esito.mese == 2 && esito.giorno == 29 && esito.anno2 % 4 != 0)
        return errore(esito, QStringLiteral("i caratteri 10 e 11 danno %1, ma gli anni che finiscono in %2%3 "
                                            "non sono bisestili")
                                 .arg(data())
                                 .arg(esito.anno2, 2, 10, QLatin1Char('0'))
                                 .arg(lettereOmocodia(letti, 7, 8)));

    esito.codiceLuogo = esito.codiceBase.mid(11, 4);
    const QChar controllo = esito.sostituzioni ? CarattereControllo(esito.codice) : esito.codiceBase.at(15);
    if (esito.codice.at(15) != controllo)
        // Never the character that would fit: a clerk would change the last
        // one, and the mistyped code would pass.
        return errore(esito,
                      QStringLiteral("il carattere di controllo non corrisponde: almeno un carattere è sbagliato"));
    esito.valido = true;
    return esito;
}

NascitaCodFis DataNascitaCodFis(const EsitoCodFis &esito, const QDate &oggi)
{
    NascitaCodFis n;
    if (!esito.valido)
        return n;
    // Two centuries back always hold the day: a 29 February of a year ending
    // in 00 is at the latest in 2000.
    for (int secolo = oggi.year() / 100; secolo >= oggi.year() / 100 - 2 && !n.data.isValid(); --secolo) {
        const QDate d(secolo * 100 + esito.anno2, esito.mese, esito.giorno);
        if (d.isValid() && d <= oggi)
            n.data = d;
    }
    const QDate prima(n.data.year() - 100, esito.mese, esito.giorno);
    if (prima.isValid() && prima.addYears(120) >= oggi)
        n.altraData = prima;
    return n;
}

ConfrontoCodFis ConfrontaCodFis(const EsitoCodFis &esito, const QString &cognome, const QString &nome,
                                const QDate &nascita, const QString &sesso, const QString &codiceLuogo)
{
    ConfrontoCodFis c;
    if (!esito.valido)
        return c;
    // Without a readable date of birth the other parts are still compared; the
    // date part of the computed code then stands for no date (and agrees with none).
    c.calcolato = CalcoloCodFis(cognome, nome, nascita.isValid() ? nascita : QDate(2000, 1, 1), sesso,
                                codiceLuogo.trimmed());
    const QString &atteso = c.calcolato;
    const bool femmina = sesso.compare(QLatin1String("F"), Qt::CaseInsensitive) == 0;
    c.cognome = esito.codiceBase.left(3) == atteso.left(3);
    c.nome = esito.codiceBase.mid(3, 3) == atteso.mid(4, 3);
    c.data =
        esito.anno2 == qAbs(nascita.year()) % 100 && esito.mese == nascita.month() && esito.giorno == nascita.day();
    c.sesso = esito.sesso == QLatin1Char(femmina ? 'F' : 'M');
    c.luogo = esito.codiceLuogo.compare(codiceLuogo.trimmed(), Qt::CaseInsensitive) == 0;
    return c;
}
