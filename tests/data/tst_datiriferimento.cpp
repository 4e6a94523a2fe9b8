// SPDX-License-Identifier: MIT
// The DatiAtto.mdb that the build makes from data/*.tsv, read through the program's
// own database layer: a fault here is a wrong fiscal code or office for every user.
#include "app/database.h"
#include "luoghi/periodiluoghi.h"
#include "support/tabella.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class tst_DatiRiferimento : public QObject
{
    Q_OBJECT

    Database m_db;

private slots:
    void initTestCase() { QVERIFY(!m_db.open(QStringLiteral(BRANTOVEL_DATIATTO)).failed()); }

    // Every value the query gives has the shape, and there is at least one.
    void valori_data()
    {
        colonne<QString, QString>("sql", "forma");
        const auto fatto = [](const char *testo) { return QRegularExpression::escape(QString::fromUtf8(testo)); };
        // Thousands of places merged in 1927-1929 are needed for older clients.
        const QString quanti = QStringLiteral("SELECT COUNT(*) BETWEEN %1 AS v FROM Comuni WHERE PROV %2 'EE' AND "
                                              "Nome %3 GLOB '* (*[os]s[oa]* nel *'");
        riga("about 7,900 current municipalities", quanti.arg("7800 AND 8100", "<>", "NOT"), "1");
        riga("about 200 current states", quanti.arg("190 AND 260", "=", "NOT"), "1");
        riga("about 2,000 ceased municipalities", quanti.arg("1500 AND 2500", "<>", ""), "1");
        riga("001 to 100, 120, 121, 888 and 999: what the official check accepts",
             "SELECT COUNT(*) BETWEEN 100 AND 104 AS v FROM CodiciUfficioIva", "1");
        // The lists show the rows in the table's order.
        const QString dopo = QStringLiteral(
            "SELECT COUNT(*) AS v FROM (SELECT %1 AS x, LAG(%1) OVER (ORDER BY rowid) AS p FROM %2) WHERE x < p");
        riga("current municipalities, current states, ceased municipalities, ceased states",
             dopo.arg("(Nome GLOB '* (*[os]s[oa]* nel *') * 2 + (PROV = 'EE')", "Comuni"), "0");
        riga("states in alphabetical order",
             dopo.arg("Nome COLLATE NOCASEU", "Comuni WHERE PROV = 'EE' AND Nome NOT LIKE '%(Stato cessato nel %'"), "0");
        riga("offices by code", dopo.arg("ufficioIva", "CodiciUfficioIva"), "0");
        // Lookups are by name, ignoring case: a name shared by two places hides one.
        const QString unaVolta = QStringLiteral("SELECT %1 || '|' || COUNT(*) AS v FROM %2 GROUP BY %1");
        riga("each name once, whatever the province", unaVolta.arg("Nome COLLATE NOCASEU", "Comuni"), ".*\\|1");
        riga("each place code once", unaVolta.arg("comcode", "Comuni"), ".*\\|1");
        riga("each VAT office: three digits and a blank once",
             unaVolta.arg("substr(ufficioIva, 1, 4)", "CodiciUfficioIva"), "\\d{3} \\|1");
        riga("then a description, once but the unidentified ones",
             unaVolta.arg("substr(ufficioIva, 5)", "CodiciUfficioIva"), "\\S.*\\|1|.*non identificato\\|\\d+");
        // Without a period a code's check cannot tell whether its place existed.
        const QString anche =
            QStringLiteral("SELECT comcode || '|' || (comcode IN (SELECT comcode FROM %2)) AS v FROM %1");
        riga("every place has a period of validity", anche.arg("Comuni", "ValiditaLuoghi"), ".*\\|1");
        riga("every period of validity has a place", anche.arg("ValiditaLuoghi", "Comuni"), ".*\\|1");
        riga("period: ISO days or empty, the first not after the last",
             "SELECT Dal || '|' || Al || '|' || (Dal = '' OR Al = '' OR Dal <= Al) AS v FROM ValiditaLuoghi",
             "(\\d{4}-\\d\\d-\\d\\d)?\\|(\\d{4}-\\d\\d-\\d\\d)?\\|1");
        // A null reads as an empty text, which only CAP's shape allows.
        riga("states EE and a Z code, municipalities a province and no Z; CodiceCatastale repeats comcode",
             "SELECT PROV || ' ' || comcode || ' ' || (comcode = CodiceCatastale) AS v FROM Comuni",
             "(EE Z|(?!EE)[A-Z]{2} [A-Y])\\d{3} 1");
        riga("CAP empty or five-digit codes joined by comma and blank", "SELECT IFNULL(CAP, 'NULL') AS v FROM Comuni",
             "(\\d{5}(, \\d{5})*)?");
        riga("Nome without blanks at the ends, control characters or text mangled by a wrong encoding",
             "SELECT Nome AS v FROM Comuni", "(?!.*[\\x{00c3}\\x{00c2}\\x{fffd}?])[^\\s\\p{Cc}](.*[^\\s\\p{Cc}])?");
        riga("ceased places carry one marker with a year since 1920, states one that fits a feminine name",
             "SELECT PROV || Nome AS v FROM Comuni WHERE Nome LIKE '%soppress%' OR Nome LIKE '%cessat%'",
             "(?!.*(soppress|cessat).*(soppress|cessat))(?!EE.*soppresso|(?!EE).*cessato)[A-Z]{2}.+ \\((soppresso|Stato "
             "cessato) nel (19[2-9]\\d|20\\d\\d)(, codice [A-Z]\\d{3}|, [A-Z]{2})?\\)");

        const QString luogo = QStringLiteral("SELECT Nome || ' ' || PROV || ' ' || (SELECT group_concat(Dal || '..' || Al, "
                                             "' ') FROM (SELECT * FROM ValiditaLuoghi WHERE comcode = '%1' ORDER BY Dal)) "
                                             "AS v FROM Comuni WHERE comcode = '%1'");
        riga("Forlì with its accent, province Forlì-Cesena", luogo.arg("D704"), fatto("Forlì FC .."));
        riga("state Palau told apart from the municipality", luogo.arg("Z734"), fatto("Palau (Stato estero) EE .."));
        riga("a merged municipality ends the day before its successor begins", luogo.arg("C112"),
             fatto("Castelfranco di Sopra (soppresso nel 2014) AR ..2013-12-31"));
        riga("a municipality born of a merger begins that day", luogo.arg("M437"), fatto("Setteville BL 2024-01-22.."));
        riga("moving to a new province is no birth; a gap is", luogo.arg("A007"),
             fatto("Abbasanta OR ..1927-07-27 1934-11-02.."));
        riga("a code the register has and another source lacked", luogo.arg("E667"),
             fatto("Lonato (soppresso nel 2007) BS ..2007-11-01"));
        riga("a period another source cut short", luogo.arg("G313"), fatto("Pannone (soppresso nel 1971) TN ..1971-08-31"));
        riga("born 1999", luogo.arg("M308"), fatto("Cavallino-Treporti VE 1999-04-02.."));
        riga("born 1992", luogo.arg("M297"), fatto("Fiumicino RM 1992-04-04.."));
        riga("born 2017", luogo.arg("M316"), fatto("Mappano TO 2017-04-18.."));
        riga("born 2021", luogo.arg("M432"), fatto("Misiliscemi TP 2021-02-20.."));
        riga("part of Cagliari from 1928 to 1991", luogo.arg("F383"), fatto("Monserrato CA ..1928-05-11 1991-12-10.."));
        riga("a state ends the last day of the year it ceased", luogo.arg("Z135"),
             fatto("Unione Sovietica (Stato cessato nel 1991) EE ..1991-12-31"));
        riga("Palau in Olbia-Tempio from 2006 to 2016",
             "SELECT comcode || Dal || '..' || Al || PROV AS v FROM ProvinceLuoghi WHERE comcode = 'G258'",
             "G2582006-01-01..2016-04-27OT");
        riga("offices 001, 120 and 999; no 000, 101 or 122",
             "SELECT group_concat(ufficioIva, '|') AS v FROM CodiciUfficioIva WHERE substr(ufficioIva, 1, 3) IN "
             "('000', '001', '101', '120', '122', '999')",
             fatto("001 Torino|120 Bologna (2° ufficio)|999 Soggetti non residenti (identificazione diretta)"));
    }

    void valori()
    {
        QFETCH(QString, sql);
        QFETCH(QString, forma);
        const QRegularExpression re(QRegularExpression::anchoredPattern(forma));
        QStringList valori, sbagliati;
        QVERIFY(re.isValid() && !m_db.readColumn(sql, QStringLiteral("v"), &valori).failed() && !valori.isEmpty());
        for (const QString &v : valori)
            if (!re.match(v).hasMatch())
                sbagliati << v;
        QCOMPARE(sbagliati.mid(0, 5), QStringList());
    }

    // Every municipality's periods are the register's on every day since 1925;
    // before that the register's first records are no births.
    void comeIlRegistro()
    {
        QFile file(QStringLiteral(BRANTOVEL_REGISTRO));
        QList<RigaRegistro> righe;
        QString errore;
        QVERIFY(file.open(QIODevice::ReadOnly) && leggiRegistro(file.readAll(), &righe, &errore));
        const auto testo = [](QList<PeriodoLuogo> periodi) {
            const QDate inizio(1925, 1, 1);
            QStringList giorni;
            for (const PeriodoLuogo &p : periodi)
                if (p.al.isNull() || p.al >= inizio)
                    giorni << (p.dal > inizio ? p.dal.toString(Qt::ISODate) : QString()) + QStringLiteral("..") +
                                  p.al.toString(Qt::ISODate);
            return giorni.join(QLatin1Char(' '));
        };
        QList<QStringList> righeDati;
        QVERIFY(!m_db.readRows(QStringLiteral("SELECT * FROM ValiditaLuoghi WHERE comcode NOT LIKE 'Z%' ORDER BY Dal"),
                               {QStringLiteral("comcode"), QStringLiteral("Dal"), QStringLiteral("Al")}, &righeDati)
                     .failed());
        QMap<QString, QList<PeriodoLuogo>> dati;
        for (const QStringList &r : std::as_const(righeDati))
            dati[r.at(0)].append({QDate::fromString(r.at(1), Qt::ISODate), QDate::fromString(r.at(2), Qt::ISODate), {}});
        const auto registro = periodiDelRegistro(righe);
        QCOMPARE(dati.keys(), registro.keys());
        for (auto it = registro.cbegin(); it != registro.cend(); ++it)
            QCOMPARE(it.key() + testo(dati.value(it.key())), it.key() + testo(it.value()));
    }

    // The generator, given what it cannot use, says why and fails: the old database stays, no part of a new one.
    void generatoreRifiuta_data()
    {
        colonne<QString, QByteArray, int, QString>("argomenti", "tsv", "stato", "errore");
        riga("no schema named", "DatiAtto.mdb", QByteArray(), 2, "usage: genera_datiatto OUT.mdb schema.sql Table=file.tsv ...");
        riga("the schema missing", "DatiAtto.mdb manca.sql", QByteArray(), 1, "cannot read manca.sql");
        riga("a wrong statement in it", "DatiAtto.mdb rotto.sql", QByteArray(), 1, "near \"(\": syntax error Unable to execute statement");
        riga("a text file without its table", "DatiAtto.mdb schema.sql t.tsv", QByteArray(), 1, "expected Table=file.tsv, got t.tsv");
        riga("the text file missing", "DatiAtto.mdb schema.sql T=t.tsv", QByteArray(), 1, "cannot read t.tsv");
        riga("a field the table lacks", "DatiAtto.mdb schema.sql T=t.tsv", QByteArray("a\tc\n"), 1,
             "table T has no column named c Unable to execute statement");
        riga("a line short of a field", "DatiAtto.mdb schema.sql T=t.tsv", QByteArray("a\tb\nx\ty\nx\n"), 1, "t.tsv:3: 1 fields instead of 2");
        riga("a line the table refuses", "DatiAtto.mdb schema.sql T=t.tsv", QByteArray("a\tb\nx\ty\n\ty\n"), 1,
             "t.tsv:3: CHECK constraint failed: a <> '' Unable to fetch row");
        riga("the output's folder missing", "manca/DatiAtto.mdb schema.sql T=t.tsv", QByteArray("a\tb\n"), 1,
             "cannot create manca/DatiAtto.mdb.partial: unable to open database file Error opening database");
    }

    void generatoreRifiuta()
    {
        QFETCH(QString, argomenti);
        QFETCH(QByteArray, tsv);
        QFETCH(QString, errore);
        QTemporaryDir cartella;
        for (const auto &[nome, testo] : {std::pair<QString, QByteArray>("DatiAtto.mdb", "prima"), {"rotto.sql", "CREATE TABLE (a);"},
                                          {"schema.sql", "CREATE TABLE T (a TEXT CHECK (a <> ''), b TEXT);"}, {"t.tsv", tsv}}) {
            QFile f(cartella.filePath(nome));
            QVERIFY(testo.isNull() || (f.open(QIODevice::WriteOnly) && f.write(testo) == testo.size()));
        }
        QProcess p;
        p.setWorkingDirectory(cartella.path());
        p.start(QStringLiteral(BRANTOVEL_GENERA), argomenti.split(QLatin1Char(' ')));
        QVERIFY(p.waitForFinished());
        QTEST(p.exitCode(), "stato");
        QCOMPARE(QString::fromUtf8(p.readAllStandardError()).trimmed(), QStringLiteral("genera_datiatto: ") + errore);
        QFile prima(cartella.filePath(QStringLiteral("DatiAtto.mdb")));
        QVERIFY(prima.open(QIODevice::ReadOnly) && prima.readAll() == "prima" && !QFile::exists(prima.fileName() + ".partial"));
    }
};

QTEST_GUILESS_MAIN(tst_DatiRiferimento)
#include "tst_datiriferimento.moc"
