// SPDX-License-Identifier: MIT
#include "fiscal/codicefiscale.h"
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
    void omocodia_data();
    void omocodia();
    void secolo_data();
    void secolo();
    void confronto_data();
    void confronto();
    void avviso_data();
    void avviso();
};

void tst_VerificaCodice::esito_data()
{
    // decodificato: sex, day, month, two-digit year and place, for a valid code
    colonne<QString, QString, QString>("codice", "errore", "decodificato");
    riga("municipality", "RSSMRA80A01H501U", "", "M 1/1/80 H501");
    riga("woman: day plus 40", "RSSMRA80A41H501Y", "", "F 1/1/80 H501");
    riga("foreign state", "RSSMRA80A01Z112F", "", "M 1/1/80 Z112");
    riga("ceased municipality", "BNCLCU75T31C112X", "", "M 31/12/75 C112");
    riga("ceased state", "VRDGPP52M44Z135P", "", "F 4/8/52 Z135");
    riga("blanks anywhere and small letters", " rss mra 80a01\th501u\n", "", "M 1/1/80 H501");
    riga("29 February of a leap year", "RSSMRA84B29H501U", "", "M 29/2/84 H501");
    riga("29 February of a year ending in 00, leap in 2000", "RSSMRA00B69H501C", "", "F 29/2/0 H501");
    riga("29 February of a common year", "RSSMRA83B29H501T",
         "i caratteri 10 e 11 danno il 29 febbraio, ma gli anni che finiscono in 83 non sono bisestili", "");
    riga("31 April", "RSSMRA80D31H501D", "i caratteri 10 e 11 danno il 31 aprile, che non esiste", "");
    for (const char *giorno : {"00", "35", "40", "72"}) {
        const QString codice = QStringLiteral("RSSMRA80A%1H501").arg(QLatin1String(giorno));
        QTest::addRow("day %s", giorno)
            << codice + CarattereControllo(codice)
            << QStringLiteral("i caratteri 10 e 11 danno il giorno %1: dovrebbe andare da 01 a 31 per gli "
                              "uomini, da 41 a 71 per le donne")
                   .arg(QLatin1String(giorno))
            << QString();
    }
    riga("empty", " ", "il codice è vuoto", "");
    riga("one character short", "RSSMRA80A01H501", "il codice dovrebbe avere 16 caratteri, ne ha 15", "");
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
    if (e.valido)
        QCOMPARE(
            QStringLiteral("%1 %2/%3/%4 %5").arg(e.sesso).arg(e.giorno).arg(e.mese).arg(e.anno2).arg(e.codiceLuogo),
            decodificato);
}

// Every non-empty subset of the seven digits replaced by its letter: the
// same person, the same base code.
void tst_VerificaCodice::omocodia_data()
{
    colonne<QString, int>("codice", "sostituzioni");
    const QString base = QStringLiteral("RSSMRA80A01H501U");
    const int cifre[] = {6, 7, 9, 10, 12, 13, 14};
    for (int insieme = 1; insieme < 128; ++insieme) {
        QString codice = base;
        for (int b = 0; b < 7; ++b)
            if (insieme & (1 << b))
                codice[cifre[b]] = QStringLiteral("LMNPQRSTUV").at(codice.at(cifre[b]).digitValue());
        codice[15] = CarattereControllo(codice);
        QTest::addRow("%s", qPrintable(codice)) << codice << int(qPopulationCount(uint(insieme)));
    }
}

void tst_VerificaCodice::omocodia()
{
    QFETCH(QString, codice);
    QFETCH(int, sostituzioni);
    const EsitoCodFis e = VerificaCodFis(codice);
    QVERIFY2(e.valido, qPrintable(e.errore));
    QCOMPARE(e.sostituzioni, sostituzioni);
    QCOMPARE(e.codiceBase, QStringLiteral("RSSMRA80A01H501U"));
    QCOMPARE(e.codiceLuogo, QStringLiteral("H501"));
    QCOMPARE(QDate(1900 + e.anno2, e.mese, e.giorno), QDate(1980, 1, 1));
}

void tst_VerificaCodice::secolo_data()
{
    colonne<QString, QDate, QDate>("codice", "data", "altraData");
    riga("80: 1980, nobody is born in 1880 and alive", "RSSMRA80A01H501U", QDate(1980, 1, 1), QDate());
    riga("20: 2020, or 1920 for a centenarian", "RSSMRA20A01H501G", QDate(2020, 1, 1), QDate(1920, 1, 1));
    riga("later this year: last century", "RSSMRA26T25H501O", QDate(1926, 12, 25), QDate());
    riga("born today", "RSSMRA26T06H501O", QDate(2026, 12, 6), QDate(1926, 12, 6));
    riga("29 February 00: 2000, 1900 had none", "RSSMRA00B69H501C", QDate(2000, 2, 29), QDate());
}

void tst_VerificaCodice::secolo()
{
    QFETCH(QString, codice);
    QFETCH(QDate, data);
    QFETCH(QDate, altraData);
    const NascitaCodFis n = DataNascitaCodFis(VerificaCodFis(codice), QDate(2026, 12, 6));
    QCOMPARE(n.data, data);
    QCOMPARE(n.altraData, altraData);
}

void tst_VerificaCodice::confronto_data()
{
    // d'accordo: surname, name, date, sex, place; 1 where they agree
    colonne<QString, QString, QString, QDate, QString, QString, QString>("codice", "cognome", "nome", "data", "sesso",
                                                                         "luogo", "daccordo");
    const QString rossi = QStringLiteral("RSSMRA80A01H501U");
    const QDate nascita(1980, 1, 1);
    riga("all agree", rossi, "Rossi", "Mario", nascita, "M", " h501 ", "11111");
    riga("omocodic code compared on its base", "RSSMRA8LA01H5LMI", "ROSSI", "MARIO", nascita, "M", "H501", "11111");
    riga("another surname", rossi, "BIANCHI", "MARIO", nascita, "M", "H501", "01111");
    riga("another name", rossi, "ROSSI", "LUCA", nascita, "M", "H501", "10111");
    riga("a day later", rossi, "ROSSI", "MARIO", nascita.addDays(1), "M", "H501", "11011");
    riga("a century later is the same code", rossi, "ROSSI", "MARIO", nascita.addYears(100), "M", "H501", "11111");
    riga("a woman", rossi, "ROSSI", "MARIO", nascita, "F", "H501", "11101");
    riga("another place", rossi, "ROSSI", "MARIO", nascita, "M", "F205", "11110");
}

void tst_VerificaCodice::confronto()
{
    QFETCH(QString, codice);
    QFETCH(QString, cognome);
    QFETCH(QString, nome);
    QFETCH(QDate, data);
    QFETCH(QString, sesso);
    QFETCH(QString, luogo);
    QFETCH(QString, daccordo);
    const ConfrontoCodFis c = ConfrontaCodFis(VerificaCodFis(codice), cognome, nome, data, sesso, luogo);
    QString visto;
    for (bool parte : {c.cognome, c.nome, c.data, c.sesso, c.luogo})
        visto += QLatin1Char(parte ? '1' : '0');
    QCOMPARE(visto, daccordo);
}

void tst_VerificaCodice::avviso_data()
{
    // periodi: "first day..last day" separated by ";", an end left empty when
    // unknown or still open; "?" for a code of no place
    colonne<QString, QDate, QDate, QString>("periodi", "data", "altraData", "avviso");
    const QDate nel1990(1990, 1, 1);
    riga("existed", "..", nel1990, QDate(), "");
    riga("no period known: nothing to say", "", nel1990, QDate(), "");
    riga("born of a later merger", "2019-02-20..", nel1990, QDate(),
         "il 01/01/1990 questo luogo non esisteva ancora: è stato istituito il 20/02/2019");
    riga("already ceased", "..1989-12-31", nel1990, QDate(),
         "il 01/01/1990 questo luogo non esisteva più: è esistito fino al 31/12/1989");
    riga("already ceased, but there a century earlier", "..1989-12-31", nel1990, QDate(1890, 1, 1),
         "il 01/01/1990 questo luogo non esisteva più: è esistito fino al 31/12/1989; esisteva il 01/01/1890");
    riga("between two periods", "..1980-12-31;2000-01-01..", nel1990, QDate(),
         "il 01/01/1990 questo luogo non esisteva");
    riga("unknown code", "?", nel1990, QDate(), "il codice di luogo H999 non è di alcun comune né Stato conosciuto");
}

void tst_VerificaCodice::avviso()
{
    QFETCH(QString, periodi);
    QFETCH(QDate, data);
    QFETCH(QDate, altraData);
    QFETCH(QString, avviso);
    LuogoDelCodice luogo;
    luogo.trovato = periodi != QLatin1String("?");
    for (const QString &p : luogo.trovato ? periodi.split(QLatin1Char(';'), Qt::SkipEmptyParts) : QStringList()) {
        const QStringList estremi = p.split(QLatin1String(".."));
        luogo.periodi.append(
            {QDate::fromString(estremi.at(0), Qt::ISODate), QDate::fromString(estremi.at(1), Qt::ISODate)});
    }
    QCOMPARE(avvisoLuogo(luogo, QStringLiteral("H999"), {data, altraData}), avviso);
}

QTEST_GUILESS_MAIN(tst_VerificaCodice)
#include "tst_verificacodice.moc"
