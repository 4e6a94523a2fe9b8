// SPDX-License-Identifier: MIT
#include "fiscal/luogodelcodice.h"
#include "fiscal/verificacodice.h"
#include "support/tabella.h"

#include <QTest>

class tst_VerificaCodice : public QObject
{
    Q_OBJECT

private slots:
    void esito_data();
    void esito();
    void confronto_data();
    void confronto();
    void avviso_data();
    void avviso();
};

void tst_VerificaCodice::esito_data()
{
    // decodificato: sex, date of birth as of 6 December 2026 (or a century
    // earlier), place, how many digits were replaced by letters
    colonne<QString, QString, QString>("codice", "errore", "decodificato");
    riga("80: 1980, nobody is born in 1880 and alive", "RSSMRA80A01H501U", "", "M 01/01/1980 H501 0");
    riga("woman: day plus 40", "RSSMRA80A41H501Y", "", "F 01/01/1980 H501 0");
    riga("last day of the year", "BNCLCU75T31C112X", "", "M 31/12/1975 C112 0");
    riga("later this year: last century", "RSSMRA26T25H501O", "", "M 25/12/1926 H501 0");
    riga("born today, or a century ago today", "RSSMRA26T06H501O", "", "M 06/12/2026 o 06/12/1926 H501 0");
    riga("or 120 years ago today, still alive", "RSSMRA06T06H501K", "", "M 06/12/2006 o 06/12/1906 H501 0");
    riga("blanks anywhere and small letters", " rss mra 80a01\th501u\n", "", "M 01/01/1980 H501 0");
    riga("some digits replaced by letters", "RSSMRA8LA01H5LMI", "", "M 01/01/1980 H501 3");
    riga("all seven digits replaced", "RSSMRAULALMHRLMD", "", "M 01/01/1980 H501 7");
    riga("29 February of a leap year", "RSSMRA84B29H501U", "", "M 29/02/1984 H501 0");
    riga("29 February 00: 2000, 1900 had none", "RSSMRA00B69H501C", "", "F 29/02/2000 H501 0");
    riga("29 February of a common year", "RSSMRA83B29H501T",
         "i caratteri 10 e 11 danno il 29 febbraio, ma gli anni che finiscono in 83 non sono bisestili", "");
    riga("31 April", "RSSMRA80D31H501D", "i caratteri 10 e 11 danno il 31 aprile, che non esiste", "");
    riga("day 00", "RSSMRA80A00H501U",
         "i caratteri 10 e 11 danno il giorno 00: dovrebbe andare da 01 a 31 per gli uomini, da 41 a 71 per le donne",
         "");
    riga("empty", " ", "il codice è vuoto", "");
    riga("a megabyte pasted", QString(1 << 20, QLatin1Char('A')),
         "il codice dovrebbe avere 16 caratteri, ne ha 1048576", "");
    riga("letter where a digit belongs", "RSSMRA8AA01H501U", "il carattere 8 dovrebbe essere una cifra, non «A»", "");
    riga("digit where a letter belongs", "R5SMRA80A01H501U", "il carattere 2 dovrebbe essere una lettera, non «5»", "");
    riga("an emoji counts as one character", "RSS\U0001F600RA80A01H501U",
         "il carattere 4 dovrebbe essere una lettera, non «\U0001F600»", "");
    riga("control character shown by number",
         "RSSMRA80A01H\x01"
         "01U",
         "il carattere 13 dovrebbe essere una cifra, non «U+0001»", "");
    riga("accented letter is no letter of a code", "RSSMRÀ80A01H501U",
         "il carattere 6 dovrebbe essere una lettera, non «À»", "");
    riga("unknown month letter", "RSSMRA80F01H501U",
         "il carattere 9 dovrebbe essere la lettera di un mese (A B C D E H L M P R S T), non «F»", "");
    riga("wrong check character", "RSSMRA80A01H501A", "il carattere di controllo dovrebbe essere U", "");
    riga("wrong check character of an omocodic code", "RSSMRA80A01H50MU", "il carattere di controllo dovrebbe essere M",
         "");
}

void tst_VerificaCodice::esito()
{
    QFETCH(QString, codice);
    QFETCH(QString, errore);
    QFETCH(QString, decodificato);
    const EsitoCodFis e = VerificaCodFis(codice);
    QCOMPARE(e.errore, errore);
    QCOMPARE(e.valido, errore.isEmpty());
    const NascitaCodFis n = DataNascitaCodFis(e, QDate(2026, 12, 6));
    QString nascita = n.data.toString(QStringLiteral("dd/MM/yyyy"));
    if (n.altraData.isValid())
        nascita += QStringLiteral(" o ") + n.altraData.toString(QStringLiteral("dd/MM/yyyy"));
    if (e.valido)
        QCOMPARE(QStringLiteral("%1 %2 %3 %4").arg(e.sesso, nascita, e.codiceLuogo).arg(e.sostituzioni), decodificato);
    else
        QVERIFY(n.data.isNull());
}

void tst_VerificaCodice::confronto_data()
{
    // persona: surname|name|sex|place; d'accordo: surname, name, date, sex,
    // place, 1 where they agree
    colonne<QString, QString, QDate, QString>("codice", "persona", "data", "daccordo");
    const QDate nascita(1980, 1, 1);
    riga("all agree", "RSSMRA80A01H501U", "Rossi|Mario|M| h501 ", nascita, "11111");
    riga("omocodic code compared on its base", "RSSMRA8LA01H5LMI", "ROSSI|MARIO|M|H501", nascita, "11111");
    riga("another surname", "RSSMRA80A01H501U", "BIANCHI|MARIO|M|H501", nascita, "01111");
    riga("another name", "RSSMRA80A01H501U", "ROSSI|LUCA|M|H501", nascita, "10111");
    riga("a day later", "RSSMRA80A01H501U", "ROSSI|MARIO|M|H501", nascita.addDays(1), "11011");
    riga("a century later is the same code", "RSSMRA80A01H501U", "ROSSI|MARIO|M|H501", nascita.addYears(100), "11111");
    riga("a woman", "RSSMRA80A01H501U", "ROSSI|MARIO|F|H501", nascita, "11101");
    riga("another place", "RSSMRA80A01H501U", "ROSSI|MARIO|M|F205", nascita, "11110");
}

void tst_VerificaCodice::confronto()
{
    QFETCH(QString, codice);
    QFETCH(QString, persona);
    QFETCH(QDate, data);
    QFETCH(QString, daccordo);
    const QStringList p = persona.split(QLatin1Char('|'));
    const ConfrontoCodFis c = ConfrontaCodFis(VerificaCodFis(codice), p.at(0), p.at(1), data, p.at(2), p.at(3));
    QString visto;
    for (bool parte : {c.cognome, c.nome, c.data, c.sesso, c.luogo})
        visto += QLatin1Char(parte ? '1' : '0');
    QCOMPARE(visto, daccordo);
}

void tst_VerificaCodice::avviso_data()
{
    // periodi: "first day..last day" separated by ";", an end left empty when
    // unknown or still open; "?" for a code of no place. Born on 1 January 1990.
    colonne<QString, QDate, QString>("periodi", "altraData", "avviso");
    riga("existed", "..", QDate(), "");
    riga("no period known: nothing to say", "", QDate(), "");
    riga("born of a later merger", "2019-02-20..", QDate(),
         "il 01/01/1990 questo luogo non esisteva ancora: è stato istituito il 20/02/2019");
    riga("already ceased", "..1989-12-31", QDate(),
         "il 01/01/1990 questo luogo non esisteva più: è esistito fino al 31/12/1989");
    riga("already ceased, but there a century earlier", "..1989-12-31", QDate(1890, 1, 1),
         "il 01/01/1990 questo luogo non esisteva più: è esistito fino al 31/12/1989; esisteva il 01/01/1890");
    riga("between two periods", "..1980-12-31;2000-01-01..", QDate(), "il 01/01/1990 questo luogo non esisteva");
    riga("unknown code", "?", QDate(), "il codice di luogo H999 non è di alcun comune né Stato conosciuto");
}

void tst_VerificaCodice::avviso()
{
    QFETCH(QString, periodi);
    QFETCH(QDate, altraData);
    QFETCH(QString, avviso);
    LuogoDelCodice luogo;
    luogo.trovato = periodi != QLatin1String("?");
    for (const QString &p : luogo.trovato ? periodi.split(QLatin1Char(';'), Qt::SkipEmptyParts) : QStringList()) {
        const QStringList estremi = p.split(QLatin1String(".."));
        luogo.periodi.append(
            {QDate::fromString(estremi.at(0), Qt::ISODate), QDate::fromString(estremi.at(1), Qt::ISODate)});
    }
    QCOMPARE(avvisoLuogo(luogo, QStringLiteral("H999"), {QDate(1990, 1, 1), altraData}), avviso);
}

QTEST_GUILESS_MAIN(tst_VerificaCodice)
#include "tst_verificacodice.moc"
