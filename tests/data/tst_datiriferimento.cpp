// SPDX-License-Identifier: MIT
//
// The DatiAtto.mdb that the build makes from data/*.tsv, read whole through
// the program's own database layer: a fault here is a wrong fiscal code or a
// wrong office for every user.

#include "app/database.h"
#include "support/tabella.h"

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
    void conteggi_data();
    void conteggi();
    void formaDeiValori_data();
    void formaDeiValori();
    void fattiNoti_data();
    void fattiNoti();
    void ogniComuneAttualeSiTrovaDigitandoloNelLuogoDiNascita();
    void righeNellOrdineDegliElenchi();

private:
    QStringList colonna(const QString &sql);

    Database m_db;
};

void tst_DatiRiferimento::initTestCase()
{
    const DbError e = m_db.open(QStringLiteral(BRANTOVEL_DATIATTO));
    QVERIFY2(!e.failed(), qPrintable(e.description));
}

QStringList tst_DatiRiferimento::colonna(const QString &sql)
{
    QStringList valori;
    const DbError e = m_db.readColumn(sql, QStringLiteral("v"), &valori);
    if (e.failed())
        qWarning("%s: %s", qPrintable(sql), qPrintable(e.description));
    return valori;
}

void tst_DatiRiferimento::conteggi_data()
{
    colonne<QString, int, int>("sql", "minimo", "massimo");
    const QString comuni = QStringLiteral("SELECT COUNT(*) AS v FROM Comuni WHERE PROV %1 'EE' AND %2");
    // About 7,900 exist today; mergers remove a few dozen a year.
    riga("current municipalities", comuni.arg("<>", attuale), 7800, 8100);
    riga("current foreign states", comuni.arg("=", attuale), 190, 260);
    // Thousands were merged in 1927-1929 alone; without them older clients'
    // codes cannot be computed.
    riga("ceased municipalities", comuni.arg("<>", cessato), 1500, 2500);
    riga("ceased foreign states", comuni.arg("=", cessato), 3, 60);
    // 001 to 100, 120, 121, 888 and 999 are what the official check accepts.
    riga("VAT offices", QStringLiteral("SELECT COUNT(*) AS v FROM CodiciUfficioIva"), 100, 104);
}

void tst_DatiRiferimento::conteggi()
{
    QFETCH(QString, sql);
    QFETCH(int, minimo);
    QFETCH(int, massimo);
    const int n = colonna(sql).value(0).toInt();
    QVERIFY2(n >= minimo && n <= massimo, qPrintable(QString::number(n)));
}

void tst_DatiRiferimento::formaDeiValori_data()
{
    colonne<QString, QString>("sql", "forma");
    // Names compare as the birthplace box compares them, ignoring case.
    // Every lookup is by name alone: a name shared by two places hides one.
    const QString unaVolta = QStringLiteral("SELECT %1 || '|' || COUNT(*) AS v FROM %2 GROUP BY %1");
    riga("each name once, whatever the province", unaVolta.arg("Nome COLLATE NOCASEU", "Comuni"),
         QStringLiteral(".*\\|1"));
    riga("each cadastral code once", unaVolta.arg("comcode", "Comuni"), QStringLiteral(".*\\|1"));
    riga("each VAT office code once", unaVolta.arg("substr(ufficioIva, 1, 3)", "CodiciUfficioIva"),
         QStringLiteral(".*\\|1"));
    riga("each VAT office description once, but the unidentified ones",
         unaVolta.arg("substr(ufficioIva, 5)", "CodiciUfficioIva"), QStringLiteral(".*\\|1|.*non identificato\\|\\d+"));
    // A place's code with no period, or a period of no place: the verification
    // of a code could not tell whether the place existed.
    const QString anche = QStringLiteral("SELECT comcode || '|' || (comcode IN (SELECT comcode FROM %2)) AS v FROM %1");
    riga("every place has a period of validity", anche.arg("Comuni", "ValiditaLuoghi"), QStringLiteral(".*\\|1"));
    riga("every period of validity has a place", anche.arg("ValiditaLuoghi", "Comuni"), QStringLiteral(".*\\|1"));
    // A null reads as an empty text, which no shape but CAP's allows: a null
    // PROV drops a place from both lists, an empty comcode gives a fiscal code
    // a place part of "0".
    riga("comcode is a letter and three digits", QStringLiteral("SELECT comcode AS v FROM Comuni"),
         QStringLiteral("[A-Z]\\d{3}"));
    riga("CodiceCatastale repeats comcode", QStringLiteral("SELECT comcode || '|' || CodiceCatastale AS v FROM Comuni"),
         QStringLiteral("(\\w{4})\\|\\1"));
    riga("states have EE and a Z code, municipalities a province and no Z code",
         QStringLiteral("SELECT PROV || ' ' || comcode AS v FROM Comuni"),
         QStringLiteral("EE Z\\d{3}|(?!EE)[A-Z]{2} [A-Y]\\d{3}"));
    riga("CAP empty or five-digit codes joined by comma and blank",
         QStringLiteral("SELECT IFNULL(CAP, 'NULL') AS v FROM Comuni"), QStringLiteral("(\\d{5}(, \\d{5})*)?"));
    riga("Nome without blanks at the ends, control characters or text mangled by a wrong encoding",
         QStringLiteral("SELECT Nome AS v FROM Comuni"),
         QStringLiteral("(?!.*[\\x{00c3}\\x{00c2}\\x{fffd}?])[^\\s\\p{Cc}](.*[^\\s\\p{Cc}])?"));
    riga("ceased places carry one marker with a year since 1920",
         QStringLiteral("SELECT Nome AS v FROM Comuni WHERE Nome LIKE '%soppress%'"),
         QStringLiteral(
             "(?!.*soppress.*soppress).+ \\(soppresso nel (19[2-9]\\d|20\\d\\d)(, codice [A-Z]\\d{3}|, [A-Z]{2})?\\)"));
    riga(
        "period: ISO days or empty, the first not after the last",
        QStringLiteral("SELECT Dal || '|' || Al || '|' || (Dal = '' OR Al = '' OR Dal <= Al) AS v FROM ValiditaLuoghi"),
        QStringLiteral("(\\d{4}-\\d\\d-\\d\\d)?\\|(\\d{4}-\\d\\d-\\d\\d)?\\|1"));
    riga("VAT office: three digits, a blank, a description",
         QStringLiteral("SELECT ufficioIva AS v FROM CodiciUfficioIva"), QStringLiteral("\\d{3} \\S.*"));
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
    QCOMPARE(sbagliati.mid(0, 5), QStringList());
}

void tst_DatiRiferimento::fattiNoti_data()
{
    // atteso: exact to the case and accents; empty: no such code
    colonne<QString, QString, QString>("sql", "codice", "atteso");
    const QString luogo = QStringLiteral("SELECT Nome || ' ' || PROV AS v FROM Comuni WHERE comcode = '%1'");
    riga("Forlì with its accent, province Forlì-Cesena", luogo, "D704", "Forlì FC");
    riga("municipality Palau keeps its plain name", luogo, "G258", "Palau SS");
    riga("state Palau told apart from the municipality", luogo, "Z734", "Palau (Stato estero) EE");
    riga("ceased namesakes told apart by province", luogo, "D723", "Forno (soppresso nel 1928, TN) TN");
    riga("Romano Canavese in Torino, not in the interwar AO", luogo, "H511", "Romano Canavese TO");
    riga("Setteville, created by a 2024 merger", luogo, "M437", "Setteville BL");
    riga("ceased municipality keeps its own code, small di", luogo, "C112",
         "Castelfranco di Sopra (soppresso nel 2014) AR");
    riga("ceased state under its official name", luogo, "Z118",
         "Repubblica Socialista Federale di Jugoslavia (soppresso nel 2004) EE");

    const QString periodo = QStringLiteral("SELECT Dal || '..' || Al AS v FROM ValiditaLuoghi WHERE comcode = '%1'");
    riga("a merged municipality ends the day before its successor begins", periodo, "C112", "..2013-12-31");
    riga("a municipality born of a merger begins that day", periodo, "M437", "2024-01-22..");
    riga("a move to a new province is no birth: Abbasanta, OR since 1974", periodo, "A007", "..");

    const QString ufficio =
        QStringLiteral("SELECT ufficioIva AS v FROM CodiciUfficioIva WHERE substr(ufficioIva, 1, 3) = '%1'");
    riga("office 001 Torino", ufficio, "001", "001 Torino");
    riga("office 120 Bologna second series", ufficio, "120", "120 Bologna (2° ufficio)");
    riga("office 999 non-residents", ufficio, "999", "999 Soggetti non residenti (identificazione diretta)");
    riga("no office 000: it belongs to provisional codes", ufficio, "000", "");
    riga("no office 101: the official check rejects it", ufficio, "101", "");
    riga("no office 122: the official check rejects it", ufficio, "122", "");
}

void tst_DatiRiferimento::fattiNoti()
{
    QFETCH(QString, sql);
    QFETCH(QString, codice);
    QFETCH(QString, atteso);
    QCOMPARE(colonna(sql.arg(codice)), atteso.isEmpty() ? QStringList() : QStringList{atteso});
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
    const QStringList righe = colonna(QStringLiteral("SELECT PROV || Nome AS v FROM Comuni ORDER BY rowid"));
    int gruppoPrecedente = 0;
    QString statoPrecedente;
    for (const QString &r : righe) {
        const QString nome = r.mid(2);
        const bool stato = r.startsWith(QLatin1String("EE"));
        const int gruppo = (nome.contains(QLatin1String("(soppresso nel ")) ? 2 : 0) + (stato ? 1 : 0);
        QVERIFY2(gruppo >= gruppoPrecedente, qPrintable(nome));
        if (gruppo == 1) {
            QVERIFY2(senzaAccenti(statoPrecedente) <= senzaAccenti(nome), qPrintable(statoPrecedente + " > " + nome));
            statoPrecedente = nome;
        }
        gruppoPrecedente = gruppo;
    }
    const QStringList uffici = colonna(QStringLiteral("SELECT ufficioIva AS v FROM CodiciUfficioIva ORDER BY rowid"));
    QVERIFY(std::is_sorted(uffici.cbegin(), uffici.cend()));
}

QTEST_GUILESS_MAIN(tst_DatiRiferimento)
#include "tst_datiriferimento.moc"
