// SPDX-License-Identifier: MIT
//
// The reference data as shipped: the DatiAtto.mdb that the build makes from
// data/comuni.tsv and data/uffici_iva.tsv, read through the program's own
// database layer. A fault here is a wrong fiscal code or a wrong office for
// every user, so these tests look at the whole file, not at a sample.

#include "app/database.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// Rows of table Comuni by kind. A ceased place carries the marker in its name.
const QString attuale = QStringLiteral("Nome NOT LIKE '%(soppresso nel %'");
const QString cessato = QStringLiteral("Nome LIKE '%(soppresso nel %'");

QString senzaAccenti(const QString &testo)
{
    QString risultato;
    for (const QChar c : testo.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            risultato += c;
    return risultato.toLower();
}

} // namespace

class tst_DatiRiferimento : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void conteggi_data();
    void conteggi();
    void campiPieni_data();
    void campiPieni();
    void formaDeiValori_data();
    void formaDeiValori();
    void nessunDoppione_data();
    void nessunDoppione();
    void luoghiNoti_data();
    void luoghiNoti();
    void ufficiNoti_data();
    void ufficiNoti();
    void ogniComuneAttualeSiTrovaDigitandoloNelLuogoDiNascita();
    void righeNellOrdineDegliElenchi();

private:
    QStringList colonna(const QString &sql);
    int numero(const QString &sql);

    Database m_db;
};

void tst_DatiRiferimento::initTestCase()
{
    const DbError e = m_db.open(QStringLiteral(BRANTOVEL_DATIATTO));
    QVERIFY2(!e.failed(), qPrintable(e.description));
}

void tst_DatiRiferimento::cleanupTestCase()
{
    m_db.close();
}

QStringList tst_DatiRiferimento::colonna(const QString &sql)
{
    QStringList valori;
    const DbError e = m_db.readColumn(sql, QStringLiteral("v"), &valori);
    if (e.failed())
        qWarning("%s: %s", qPrintable(sql), qPrintable(e.description));
    return valori;
}

int tst_DatiRiferimento::numero(const QString &sql)
{
    const QStringList valori = colonna(sql);
    return valori.size() == 1 ? valori.first().toInt() : -1;
}

void tst_DatiRiferimento::conteggi_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("minimo");
    QTest::addColumn<int>("massimo");

    // About 7,900 municipalities exist today; mergers remove a few dozen a year.
    QTest::newRow("current municipalities")
        << QStringLiteral("SELECT COUNT(*) AS v FROM Comuni WHERE PROV <> 'EE' AND %1").arg(attuale) << 7800 << 8100;
    QTest::newRow("current foreign states")
        << QStringLiteral("SELECT COUNT(*) AS v FROM Comuni WHERE PROV = 'EE' AND %1").arg(attuale) << 190 << 260;
    // Thousands were merged in 1927-1929 alone; without them older clients' codes cannot be computed.
    QTest::newRow("ceased municipalities")
        << QStringLiteral("SELECT COUNT(*) AS v FROM Comuni WHERE PROV <> 'EE' AND %1").arg(cessato) << 1500 << 2500;
    QTest::newRow("ceased foreign states")
        << QStringLiteral("SELECT COUNT(*) AS v FROM Comuni WHERE PROV = 'EE' AND %1").arg(cessato) << 3 << 60;
    // 001 to 100, 120, 121, 888 and 999 are what the official check accepts.
    QTest::newRow("VAT offices") << QStringLiteral("SELECT COUNT(*) AS v FROM CodiciUfficioIva") << 100 << 104;
    QTest::newRow("provinces of current municipalities")
        << QStringLiteral("SELECT COUNT(DISTINCT PROV) AS v FROM Comuni WHERE PROV <> 'EE' AND %1").arg(attuale) << 100
        << 112;
}

void tst_DatiRiferimento::conteggi()
{
    QFETCH(QString, sql);
    QFETCH(int, minimo);
    QFETCH(int, massimo);
    const int n = numero(sql);
    QVERIFY2(n >= minimo && n <= massimo,
             qPrintable(QStringLiteral("%1 not in %2-%3").arg(n).arg(minimo).arg(massimo)));
}

void tst_DatiRiferimento::campiPieni_data()
{
    QTest::addColumn<QString>("sql");

    // A null PROV falls out of both the municipality and the state list;
    // an empty comcode gives a fiscal code with a place part of "0".
    for (const char *campo : {"Nome", "PROV", "comcode", "CodiceCatastale"})
        QTest::newRow(qPrintable(QStringLiteral("%1 neither null nor empty").arg(QLatin1String(campo))))
            << QStringLiteral("SELECT COUNT(*) AS v FROM Comuni WHERE %1 IS NULL OR %1 = ''").arg(QLatin1String(campo));
    QTest::newRow("CAP never null") << QStringLiteral("SELECT COUNT(*) AS v FROM Comuni WHERE CAP IS NULL");
    QTest::newRow("ufficioIva neither null nor empty")
        << QStringLiteral("SELECT COUNT(*) AS v FROM CodiciUfficioIva WHERE ufficioIva IS NULL OR ufficioIva = ''");
}

void tst_DatiRiferimento::campiPieni()
{
    QFETCH(QString, sql);
    QCOMPARE(numero(sql), 0);
}

void tst_DatiRiferimento::formaDeiValori_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("forma");

    QTest::newRow("comcode is a letter and three digits")
        << QStringLiteral("SELECT comcode AS v FROM Comuni") << QStringLiteral("[A-Z]\\d{3}");
    QTest::newRow("CodiceCatastale repeats comcode")
        << QStringLiteral("SELECT comcode || '|' || CodiceCatastale AS v FROM Comuni")
        << QStringLiteral("(\\w{4})\\|\\1");
    QTest::newRow("states have EE and a Z code, municipalities a province and no Z code")
        << QStringLiteral("SELECT PROV || ' ' || comcode AS v FROM Comuni")
        << QStringLiteral("EE Z\\d{3}|(?!EE)[A-Z]{2} [A-Y]\\d{3}");
    QTest::newRow("CAP empty or five-digit codes joined by comma and blank")
        << QStringLiteral("SELECT CAP AS v FROM Comuni") << QStringLiteral("(\\d{5}(, \\d{5})*)?");
    QTest::newRow("Nome without blanks at the ends or control characters")
        << QStringLiteral("SELECT Nome AS v FROM Comuni") << QStringLiteral("[^\\s\\p{Cc}](.*[^\\s\\p{Cc}])?");
    QTest::newRow("Nome free of text mangled by a wrong encoding")
        << QStringLiteral("SELECT Nome AS v FROM Comuni") << QStringLiteral("[^\\x{00c3}\\x{00c2}\\x{fffd}?]*");
    QTest::newRow("ceased places carry one marker with a year since 1920")
        << QStringLiteral("SELECT Nome AS v FROM Comuni WHERE Nome LIKE '%soppress%'")
        << QStringLiteral(
               "(?!.*soppress.*soppress).+ \\(soppresso nel (19[2-9]\\d|20\\d\\d)(, codice [A-Z]\\d{3})?\\)");
    QTest::newRow("VAT office: three digits, a blank, a description")
        << QStringLiteral("SELECT ufficioIva AS v FROM CodiciUfficioIva") << QStringLiteral("\\d{3} \\S.*");
}

void tst_DatiRiferimento::formaDeiValori()
{
    QFETCH(QString, sql);
    QFETCH(QString, forma);
    const QRegularExpression re(QRegularExpression::anchoredPattern(forma));
    QVERIFY(re.isValid());
    const QStringList valori = colonna(sql);
    QVERIFY(!valori.isEmpty());
    QStringList sbagliati;
    for (const QString &v : valori)
        if (!re.match(v).hasMatch())
            sbagliati << v;
    QVERIFY2(sbagliati.isEmpty(), qPrintable(QStringLiteral("%1 values, e.g. %2")
                                                 .arg(sbagliati.size())
                                                 .arg(sbagliati.mid(0, 5).join(QLatin1String(" / ")))));
}

void tst_DatiRiferimento::nessunDoppione_data()
{
    QTest::addColumn<QString>("sql");

    // Names compare as the birthplace box compares them, ignoring case.
    QTest::newRow("name within a province") << QStringLiteral(
        "SELECT Nome || ' ' || PROV AS v FROM Comuni GROUP BY Nome COLLATE NOCASEU, PROV HAVING COUNT(*) > 1");
    QTest::newRow("cadastral code") << QStringLiteral(
        "SELECT comcode AS v FROM Comuni GROUP BY comcode HAVING COUNT(*) > 1");
    QTest::newRow("VAT office code") << QStringLiteral("SELECT substr(ufficioIva, 1, 3) AS v FROM CodiciUfficioIva "
                                                       "GROUP BY substr(ufficioIva, 1, 3) HAVING COUNT(*) > 1");
    QTest::newRow("VAT office description") << QStringLiteral(
        "SELECT substr(ufficioIva, 5) AS v FROM CodiciUfficioIva WHERE ufficioIva NOT LIKE '%non identificato' "
        "GROUP BY substr(ufficioIva, 5) HAVING COUNT(*) > 1");
}

void tst_DatiRiferimento::nessunDoppione()
{
    QFETCH(QString, sql);
    const QStringList doppioni = colonna(sql);
    QVERIFY2(doppioni.isEmpty(), qPrintable(doppioni.mid(0, 10).join(QLatin1String(", "))));
}

void tst_DatiRiferimento::luoghiNoti_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("codice");
    QTest::addColumn<QString>("provincia");

    QTest::newRow("Roma") << "Roma"
                          << "H501"
                          << "RM";
    QTest::newRow("Milano") << "Milano"
                            << "F205"
                            << "MI";
    QTest::newRow("Torino") << "Torino"
                            << "L219"
                            << "TO";
    QTest::newRow("Napoli") << "Napoli"
                            << "F839"
                            << "NA";
    QTest::newRow("Forlì with its accent, province Forlì-Cesena") << "Forlì"
                                                                  << "D704"
                                                                  << "FC";
    QTest::newRow("Bolzano by its Italian name alone") << "Bolzano"
                                                       << "A952"
                                                       << "BZ";
    QTest::newRow("Samone in Torino, not in the interwar AO") << "Samone"
                                                              << "H753"
                                                              << "TO";
    QTest::newRow("Samone in Trento, its namesake") << "Samone"
                                                    << "H754"
                                                    << "TN";
    QTest::newRow("Romano Canavese in Torino, not AO") << "Romano Canavese"
                                                       << "H511"
                                                       << "TO";
    QTest::newRow("Sant'Agata de' Goti: apostrophes and a small de'") << "Sant'Agata de' Goti"
                                                                      << "I197"
                                                                      << "BN";
    QTest::newRow("Reggio nell'Emilia, the official name") << "Reggio nell'Emilia"
                                                           << "H223"
                                                           << "RE";
    QTest::newRow("Castel San Pietro Terme") << "Castel San Pietro Terme"
                                             << "C265"
                                             << "BO";
    QTest::newRow("Setteville, created by a 2024 merger") << "Setteville"
                                                          << "M437"
                                                          << "BL";
    QTest::newRow("Germania") << "Germania"
                              << "Z112"
                              << "EE";
    QTest::newRow("Francia") << "Francia"
                             << "Z110"
                             << "EE";
    QTest::newRow("Stati Uniti d'America") << "Stati Uniti d'America"
                                           << "Z404"
                                           << "EE";
    QTest::newRow("ceased municipality keeps its own code, small di") << "Castelfranco di Sopra (soppresso nel 2014)"
                                                                      << "C112"
                                                                      << "AR";
    QTest::newRow("ceased municipality with its last province, TO not AO") << "Alice Superiore (soppresso nel 2019)"
                                                                           << "A199"
                                                                           << "TO";
    QTest::newRow("ceased state: Unione Sovietica") << "Unione Sovietica (soppresso nel 1992)"
                                                    << "Z135"
                                                    << "EE";
    QTest::newRow("ceased state: Cecoslovacchia") << "Cecoslovacchia (soppresso nel 1993)"
                                                  << "Z105"
                                                  << "EE";
    QTest::newRow("ceased state: Jugoslavia") << "Repubblica Socialista Federale di Jugoslavia (soppresso nel 2004)"
                                              << "Z118"
                                              << "EE";
}

void tst_DatiRiferimento::luoghiNoti()
{
    QFETCH(QString, nome);
    QFETCH(QString, codice);
    QFETCH(QString, provincia);
    Recordset rs;
    DbError e = rs.openQuery(m_db, QStringLiteral("SELECT Nome, PROV, CodiceCatastale FROM Comuni WHERE comcode = ?"),
                             {codice});
    QVERIFY2(!e.failed(), qPrintable(e.description));
    QVERIFY2(!rs.noMatch(), "no row with this code");
    QString trovato;
    QVERIFY(!rs.field(QStringLiteral("Nome"), &trovato).failed());
    QCOMPARE(trovato, nome); // exact, with its case and accents
    QVERIFY(!rs.field(QStringLiteral("PROV"), &trovato).failed());
    QCOMPARE(trovato, provincia);
    QVERIFY(!rs.field(QStringLiteral("CodiceCatastale"), &trovato).failed());
    QCOMPARE(trovato, codice);
}

void tst_DatiRiferimento::ufficiNoti_data()
{
    QTest::addColumn<QString>("codice");
    QTest::addColumn<QString>("testo"); // empty: the code must not be there

    QTest::newRow("001 Torino") << "001"
                                << "001 Torino";
    QTest::newRow("015 Milano") << "015"
                                << "015 Milano";
    QTest::newRow("021 Bolzano") << "021"
                                 << "021 Bolzano";
    QTest::newRow("040 Forlì") << "040"
                               << "040 Forlì";
    QTest::newRow("058 Roma") << "058"
                              << "058 Roma";
    QTest::newRow("095 Oristano, the last of the 1974 provinces") << "095"
                                                                  << "095 Oristano";
    QTest::newRow("096 Milano second series") << "096"
                                              << "096 Milano (2° ufficio)";
    QTest::newRow("097 Prato") << "097"
                               << "097 Prato";
    QTest::newRow("100 Roma second series") << "100"
                                            << "100 Roma (2° ufficio)";
    QTest::newRow("120 Bologna second series") << "120"
                                               << "120 Bologna (2° ufficio)";
    QTest::newRow("121 Napoli second series") << "121"
                                              << "121 Napoli (2° ufficio)";
    QTest::newRow("999 non-residents") << "999"
                                       << "999 Soggetti non residenti (identificazione diretta)";
    QTest::newRow("000 belongs to provisional codes, not to VAT numbers") << "000"
                                                                          << "";
    QTest::newRow("101 rejected by the official check") << "101"
                                                        << "";
    QTest::newRow("119 rejected by the official check") << "119"
                                                        << "";
    QTest::newRow("122 rejected by the official check") << "122"
                                                        << "";
    QTest::newRow("151 belongs to provisional codes") << "151"
                                                      << "";
}

void tst_DatiRiferimento::ufficiNoti()
{
    QFETCH(QString, codice);
    QFETCH(QString, testo);
    const QStringList trovati =
        colonna(QStringLiteral("SELECT ufficioIva AS v FROM CodiciUfficioIva WHERE substr(ufficioIva, 1, 3) = '%1'")
                    .arg(codice));
    QCOMPARE(trovati, testo.isEmpty() ? QStringList() : QStringList{testo});
}

// What the birthplace box does on each key: seek the typed text in the index
// on Nome. Typing a whole current name must land on a row of that name, not on
// a neighbour that the collation happens to put first.
void tst_DatiRiferimento::ogniComuneAttualeSiTrovaDigitandoloNelLuogoDiNascita()
{
    const QStringList nomi =
        colonna(QStringLiteral("SELECT Nome AS v FROM Comuni WHERE PROV <> 'EE' AND %1").arg(attuale));
    QVERIFY(nomi.size() > 7800);
    Recordset rs;
    DbError e = rs.openTable(m_db, QStringLiteral("Comuni"), QStringLiteral("comune"), QStringLiteral("Nome"));
    QVERIFY2(!e.failed(), qPrintable(e.description));
    QStringList mancati;
    for (const QString &nome : nomi) {
        QString trovato;
        e = rs.seek(nome);
        if (e.failed() || rs.noMatch() || rs.field(QStringLiteral("Nome"), &trovato).failed() ||
            trovato.compare(nome, Qt::CaseInsensitive) != 0)
            mancati << QStringLiteral("%1 -> %2").arg(nome, trovato);
    }
    QVERIFY2(mancati.isEmpty(), qPrintable(mancati.mid(0, 10).join(QLatin1String(", "))));
}

// The state list and the office list show rows in the table's order, so the
// table holds current municipalities, current states, ceased municipalities,
// ceased states in that order, states alphabetical, offices by code.
void tst_DatiRiferimento::righeNellOrdineDegliElenchi()
{
    const QStringList nomi = colonna(QStringLiteral("SELECT Nome AS v FROM Comuni ORDER BY rowid"));
    const QStringList province = colonna(QStringLiteral("SELECT PROV AS v FROM Comuni ORDER BY rowid"));
    QCOMPARE(nomi.size(), province.size());
    int gruppoPrecedente = 0;
    QString statoPrecedente;
    for (qsizetype i = 0; i < nomi.size(); ++i) {
        const bool stato = province.at(i) == QLatin1String("EE");
        const bool soppresso = nomi.at(i).contains(QLatin1String("(soppresso nel "));
        const int gruppo = (soppresso ? 2 : 0) + (stato ? 1 : 0);
        QVERIFY2(gruppo >= gruppoPrecedente, qPrintable(QStringLiteral("row %1: %2").arg(i + 1).arg(nomi.at(i))));
        if (gruppo == 1) {
            QVERIFY2(statoPrecedente.isEmpty() || senzaAccenti(statoPrecedente) <= senzaAccenti(nomi.at(i)),
                     qPrintable(QStringLiteral("%1 before %2").arg(statoPrecedente, nomi.at(i))));
            statoPrecedente = nomi.at(i);
        }
        gruppoPrecedente = gruppo;
    }
    const QStringList uffici = colonna(QStringLiteral("SELECT ufficioIva AS v FROM CodiciUfficioIva ORDER BY rowid"));
    QStringList ordinati = uffici;
    ordinati.sort();
    QCOMPARE(uffici, ordinati);
}

QTEST_GUILESS_MAIN(tst_DatiRiferimento)
#include "tst_datiriferimento.moc"
