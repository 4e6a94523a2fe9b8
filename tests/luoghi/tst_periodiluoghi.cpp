// SPDX-License-Identifier: MIT
// The register of municipalities read in both editions, and the periods built
// from it: a fault here makes a real place of birth look wrong, or a wrong one
// look right, in every check of a fiscal code.
#include "luoghi/periodiluoghi.h"
#include "support/tabella.h"

#include <QFile>
#include <QTest>

namespace {

// "code dal al province status|..." as a file of the 2024 re-export.
QByteArray registro(const QString &righe)
{
    QByteArray testo = "id,registry_code,institution_date,end_date,name_it,alternative_name,provincial_code,status,last_update\n";
    for (const QString &r : righe.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        const QStringList c = r.split(QLatin1Char(' '));
        testo += QStringLiteral("1,%1,%2,%3,\"NOME, X\",,%4,%5,2020-01-01\r\n").arg(c.at(0), c.at(1), c.at(2), c.at(3), c.at(4)).toUtf8();
    }
    return testo;
}

QString testo(const QMap<QString, QList<PeriodoLuogo>> &periodi)
{
    QStringList righe;
    for (auto it = periodi.cbegin(); it != periodi.cend(); ++it)
        for (const PeriodoLuogo &p : it.value())
            righe << QStringLiteral("%1 %2..%3 %4").arg(it.key(), p.dal.toString(Qt::ISODate), p.al.toString(Qt::ISODate), p.sigla).trimmed();
    return righe.join(QLatin1Char('|'));
}

} // namespace

class tst_PeriodiLuoghi : public QObject
{
    Q_OBJECT

private slots:
    void periodi_data()
    {
        colonne<QString, QString, QString>("righe", "periodi", "province");
        riga("a new name or province does not interrupt the code",
             "A001 1930-01-01 1949-12-31 TO C|A001 1950-01-01 9999-12-31 AO A", "A001 1930-01-01..",
             "A001 1930-01-01..1949-12-31 TO|A001 1950-01-01.. AO");
        riga("a day left out is a gap, rows in any order", "F383 1991-12-10 9999-12-31 CA A|F383 1888-03-19 1928-05-11 CA C",
             "F383 ..1928-05-11|F383 1991-12-10..", "F383 ..1928-05-11 CA|F383 1991-12-10.. CA");
        riga("overlapping rows are one period", "B001 1950-01-01 1960-12-31 RM C|B001 1955-01-01 1959-12-31 RM C",
             "B001 1950-01-01..1960-12-31", "B001 1950-01-01..1960-12-31 RM");
        riga("the first record by 1924 is no birth", "C001 1924-12-31 9999-12-31 MI A|C002 1925-01-01 9999-12-31 MI A",
             "C001 ..|C002 1925-01-01..", "C001 .. MI|C002 1925-01-01.. MI");
        riga("ceased before 1920 left out, on its first day kept",
             "D001 1861-03-17 1919-12-31 NO C|D002 1861-03-17 1920-01-01 NO C|ND 1861-03-17 1990-01-01 NO C",
             "D002 ..1920-01-01", "D002 ..1920-01-01 NO");
        riga("announced: from its first day", "E001 2027-01-01 9999-12-31 PV D", "E001 2027-01-01..", "E001 2027-01-01.. PV");
    }

    void periodi()
    {
        QFETCH(QString, righe);
        QList<RigaRegistro> lette;
        QString errore;
        QVERIFY2(leggiRegistro(registro(righe), &lette, &errore), qPrintable(errore));
        QTEST(testo(periodiDelRegistro(lette)), "periodi");
        QTEST(testo(provinceDelRegistro(lette)), "province");
    }

    // Both editions, as published: rows (without the 28 of no code), codes in
    // use since 1920, those in use today.
    void edizioni_data()
    {
        colonne<QString, int, int, int>("file", "righe", "codici", "attuali");
        riga("the Ministry's file, 2023", "ANPR_archivio_comuni.csv", 19324, 9796, 7901);
        riga("the 2024 re-export", "comuni_anpr_2024.csv", 19331, 9800, 7896);
    }

    void edizioni()
    {
        QFETCH(QString, file);
        QFile f(QStringLiteral(BRANTOVEL_ANPR "/") + file);
        QList<RigaRegistro> righe;
        QString errore;
        QVERIFY(f.open(QIODevice::ReadOnly) && leggiRegistro(f.readAll(), &righe, &errore));
        QTEST(int(righe.size()), "righe");
        const auto periodi = periodiDelRegistro(righe);
        QTEST(int(periodi.size()), "codici");
        QTEST(int(std::count_if(periodi.cbegin(), periodi.cend(), [](const auto &p) { return p.last().al.isNull(); })),
              "attuali");
    }

    // A file that is not the register yields no rows and names its first problem.
    void rifiutati_data()
    {
        colonne<QByteArray, QString>("testo", "errore");
        const QByteArray buona = registro(QStringLiteral("A001 1930-01-01 9999-12-31 TO A"));
        riga("empty", QByteArray("\xEF\xBB\xBF"), "il file è vuoto");
        riga("an error page saved as CSV", QByteArray("<html><body>404</body></html>\n"),
             "manca la colonna CODCATASTALE: non è l'archivio dei comuni dell'ANPR");
        riga("a column missing", QByteArray(buona).replace("status", "stato"),
             "manca la colonna STATO: non è l'archivio dei comuni dell'ANPR");
        riga("cut inside a quoted name", buona.left(buona.size() - 21), "riga 2: virgolette non chiuse o riga interrotta");
        riga("cut after a comma", buona.left(buona.size() - 13), "riga 2: 8 campi invece di 9");
        riga("a date in another form", QByteArray(buona).replace("1930-01-01", "01/01/1930"),
             "riga 2: data non valida «01/01/1930» nella colonna DATAISTITUZIONE");
        riga("a code of another form", QByteArray(buona).replace("A001", "A0001"), "riga 2: codice catastale non valido «A0001»");
        riga("a status unknown", QByteArray(buona).replace(",A,", ",X,"), "riga 2: stato non valido «X»");
        riga("a header cut inside quotes", QByteArray("\"id,code\n"), "la prima riga non è un'intestazione di colonne separate da virgole");
        riga("text after a closing quote", QByteArray(buona).replace("X\",", "X\"Y,"), "riga 2: virgolette non chiuse o riga interrotta");
        riga("a doubled quote is one", QByteArray(buona).replace("A001", "\"A0\"\"1\""), "riga 2: codice catastale non valido «A0\"1»");
        riga("ending before it began", QByteArray(buona).replace("9999-12-31", "1929-12-31"),
             "riga 2: il periodo di A001 finisce prima di cominciare");
        riga("a name missing", QByteArray(buona).replace("\"NOME, X\"", ""), "riga 2: manca il nome del comune A001");
        riga("a province of another form", QByteArray(buona).replace(",TO,", ",To,"), "riga 2: sigla di provincia non valida «To»");
        riga("only the header", buona.left(buona.indexOf('\n') + 1), "il file non contiene alcun comune");
    }

    void rifiutati()
    {
        QFETCH(QByteArray, testo);
        QList<RigaRegistro> righe{RigaRegistro{}};
        QString errore;
        QVERIFY(!leggiRegistro(testo, &righe, &errore));
        QVERIFY(righe.isEmpty());
        QTEST(errore, "errore");
    }
};

QTEST_GUILESS_MAIN(tst_PeriodiLuoghi)
#include "tst_periodiluoghi.moc"
