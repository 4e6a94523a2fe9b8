// SPDX-License-Identifier: MIT
#include "fiscal/luogodelcodice.h"
#include "fiscal/verificacodice.h"
#include "support/tabella.h"

#include <QTest>

class tst_VerificaCodice : public QObject
{
    Q_OBJECT

private slots:
    // atteso: sex, date of birth as of 6 December 2026 (and a century earlier),
    // place, digits replaced by letters, and 1 for each of surname, name, date,
    // sex and place that agree with Mario Rossi's; or why the code is invalid
    void lettura_data()
    {
        colonne<QString, QString>("codice", "atteso");
        riga("80: 1980, nobody is born in 1880 and alive", "RSSMRA80A01H501U", "M 01/01/1980 H501 0 11111");
        riga("a woman on 29 February 00: 2000, 1900 had none", "RSSMRA00B69H501C", "F 29/02/2000 H501 0 11001");
        riga("born today, or a century ago today", "RSSMRA26T06H501O", "M 06/12/2026 06/12/1926 H501 0 11011");
        riga("or 120 years ago today, still alive", "RSSMRA06T06H501K", "M 06/12/2006 06/12/1906 H501 0 11011");
        riga("not 121 years ago today", "RSSMRA05T06H501J", "M 06/12/2005 H501 0 11011");
        riga("blanks anywhere and small letters; only the year differs", " rss mra 81a01\th501v\n",
             "M 01/01/1981 H501 0 11011");
        riga("all seven digits replaced: compared on the base code", "RSSMRAULALMHRLMD", "M 01/01/1980 H501 7 11111");
        riga("last day of the year, of another person", "BNCLCU75T31C112X", "M 31/12/1975 C112 0 00010");
        riga("invisible characters of a paste are blanks", "RSS\u200BMRA\uFEFF80A01\u00ADH501\u2060U",
             "M 01/01/1980 H501 0 11111");
        riga("29 February of a common year", "RSSMRA83B29H501T",
             "i caratteri 10 e 11 danno il 29 febbraio, ma gli anni che finiscono in 83 non sono bisestili");
        riga("the same with omocodia letters: the digits they stand for", "RSSMRA8PB2VH501T",
             "i caratteri 10 e 11 danno il 29 febbraio (la V sta per 9), ma gli anni che finiscono in 83 (la P sta "
             "per 3) non sono bisestili");
        riga("omocodic day 40", "RSSMRA80AQLH501U",
             "i caratteri 10 e 11 danno il giorno 40 (la Q sta per 4, la L per 0): dovrebbe andare da 01 a 31 per gli "
             "uomini, da 41 a 71 per le donne");
        riga("31 April", "RSSMRA80D31H501D", "i caratteri 10 e 11 danno il 31 aprile, che non esiste");
        riga("31 June", "RSSMRA80H71H501D", "i caratteri 10 e 11 danno il 31 giugno, che non esiste");
        riga("31 September", "RSSMRA80P31H501D", "i caratteri 10 e 11 danno il 31 settembre, che non esiste");
        riga("31 November", "RSSMRA80S71H501D", "i caratteri 10 e 11 danno il 31 novembre, che non esiste");
        riga("day 00", "RSSMRA80A00H501U",
             "i caratteri 10 e 11 danno il giorno 00: dovrebbe andare da 01 a 31 per gli uomini, da 41 a 71 per le "
             "donne");
        riga("empty", " ", "il codice è vuoto");
        riga("a megabyte pasted", QString(1 << 20, u'A'), "il codice dovrebbe avere 16 caratteri, ne ha 1048576");
        riga("control character where a digit belongs, shown by number", "RSSMRA8\u0001A01H501U",
             "il carattere 8 dovrebbe essere una cifra, non «U+0001»");
        riga("an emoji counts as one character", "RSS\U0001F600RA80A01H501U",
             "il carattere 4 dovrebbe essere una lettera, non «\U0001F600» (U+1F600)");
        riga("a lone high surrogate last: read alone, never past the end", QStringLiteral("RSSMRA80A01H501") + QChar(0xD83D),
             "il carattere 16 dovrebbe essere una lettera, non «U+D83D»");
        riga("Cyrillic A: a look-alike named by its number", "RSSMR\u041080A01H501U",
             "il carattere 6 dovrebbe essere una lettera, non «\u0410» (U+0410)");
        riga("full-width R", "\uFF32SSMRA80A01H501U",
             "il carattere 1 dovrebbe essere una lettera, non «\uFF32» (U+FF32)");
        riga("unknown month letter", "RSSMRA80F01H501U",
             "il carattere 9 dovrebbe essere la lettera di un mese (A B C D E H L M P R S T), non «F»");
        riga("day mistyped: the check character never names a fix", "RSSMRA80A10H501U",
             "il carattere di controllo non corrisponde: almeno un carattere è sbagliato");
        riga("omocodic, wrong check character", "RSSMRA80A01H50MU",
             "il carattere di controllo non corrisponde: almeno un carattere è sbagliato");
    }

    void lettura()
    {
        QFETCH(QString, codice);
        const EsitoCodFis e = VerificaCodFis(codice);
        const NascitaCodFis n = DataNascitaCodFis(e, QDate(2026, 12, 6));
        const auto giorno = [](const QDate &d) { return d.toString(QStringLiteral(" dd/MM/yyyy")); };
        QString letto = e.errore + giorno(n.data);
        if (e.valido) {
            const ConfrontoCodFis c = ConfrontaCodFis(e, "Rossi", "Mario", QDate(2080, 1, 1), "M", " h501 ");
            letto = QStringLiteral("%1%2%3 %4 %5 ")
                        .arg(e.sesso, letto, giorno(n.altraData), e.codiceLuogo, QString::number(e.sostituzioni));
            for (bool parte : {c.cognome, c.nome, c.data, c.sesso, c.luogo})
                letto += QLatin1Char(parte ? '1' : '0');
        }
        QTEST(letto, "atteso");
    }

    // periodi: "first day..last day" separated by ";", an end left empty when
    // unknown or still open; "?" for a code of no place. Born on 1 January 1990.
    void avviso_data()
    {
        colonne<QString, QDate, QString>("periodi", "altraData", "avviso");
        riga("existed", "..", QDate(), "");
        riga("no period known: nothing to say", "", QDate(), "");
        riga("born on the only day it existed", "1990-01-01..1990-01-01", QDate(), "");
        riga("born before it began, nor there a century earlier", "2019-02-20..", QDate(1890, 1, 1),
             "il 01/01/1990 questo luogo non esisteva ancora: è stato istituito il 20/02/2019");
        riga("already ceased, but there a century earlier", "..1989-12-31", QDate(1890, 1, 1),
             "il 01/01/1990 questo luogo non esisteva più: è esistito fino al 31/12/1989; esisteva il 01/01/1890");
        riga("between two periods", "..1980-12-31;2000-01-01..", QDate(), "il 01/01/1990 questo luogo non esisteva");
        riga("unknown code", "?", QDate(), "il codice di luogo H999 non è di alcun comune né Stato conosciuto");
    }

    void avviso()
    {
        QFETCH(QString, periodi);
        QFETCH(QDate, altraData);
        LuogoDelCodice luogo;
        luogo.trovato = periodi != QLatin1String("?");
        for (const QString &p : periodi.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            luogo.periodi.append({QDate::fromString(p.section("..", 0, 0), Qt::ISODate),
                                  QDate::fromString(p.section("..", 1), Qt::ISODate), {}});
        QTEST(avvisoLuogo(luogo, QStringLiteral("H999"), {QDate(1990, 1, 1), altraData}), "avviso");
    }
};

QTEST_GUILESS_MAIN(tst_VerificaCodice)
#include "tst_verificacodice.moc"
