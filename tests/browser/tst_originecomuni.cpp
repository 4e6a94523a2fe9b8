// SPDX-License-Identifier: MIT
#include "browser/originecomuni.h"
#include "support/fixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Name and province, in the order the table yields them. Two names differ
// only in case, one begins with a small letter, one has an accent where its
// neighbour in the alphabet has none, and three share a province.
const char *const righe[][2] = {
    {"Roma", "RM"},
    {"Cittadella", "PD"},
    {"aosta", "AO"},
    {"Città di Castello", "PG"},
    {"ROMA", "EE"},
    {"Sant'Agata de' Goti", "BN"},
    {"Romano Canavese", "TO"},
    {"Francia", "EE"},
    {"Reggio nell'Emilia", "RE"},
    {"Germania", "EE"},
};

QStringList inserimenti()
{
    QStringList sql;
    for (const auto &r : righe) {
        QString nome = QString::fromUtf8(r[0]);
        nome.replace(QLatin1Char('\''), QLatin1String("''"));
        sql << QStringLiteral("INSERT INTO Comuni VALUES ('%1', '%2', 'C%3', 'K%3', '00%3')")
                   .arg(nome, QLatin1String(r[1]))
                   .arg(sql.size());
    }
    return sql;
}

QStringList colonna(const OrigineComuni &origine, int c)
{
    QStringList valori;
    for (int r = 0; r < origine.rowCount(); ++r)
        valori << origine.index(r, c).data().toString();
    return valori;
}

const QStringList ordineDellaTabella = {
    "Roma",    "Cittadella",         "aosta",   "Città di Castello", "ROMA", "Sant'Agata de' Goti", "Romano Canavese",
    "Francia", "Reggio nell'Emilia", "Germania"};
const QStringList perNome = {"aosta",           "Città di Castello",  "Cittadella", "Francia",
                             "Germania",        "Reggio nell'Emilia", "Roma",       "ROMA",
                             "Romano Canavese", "Sant'Agata de' Goti"};

} // namespace

class tst_OrigineComuni : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readsEveryRowAndField();
    void sort_data();
    void sort();
    void filter_data();
    void filter();
    void filterAndSortKeepEachOther();
    void refreshReadsAgainAndDropsFilterAndSort();
    void unopenableSource_data();
    void unopenableSource();
    void readingWritesNothing();

private:
    QString creaDati(const QStringList &extra = {});

    std::unique_ptr<QTemporaryDir> m_cartella;
};

void tst_OrigineComuni::init()
{
    m_cartella = std::make_unique<QTemporaryDir>();
}

QString tst_OrigineComuni::creaDati(const QStringList &extra)
{
    const QString percorso = m_cartella->filePath(QStringLiteral("DatiAtto.mdb"));
    if (!creaDatabase(percorso, schemaDatiAtto() + inserimenti() + extra))
        qFatal("cannot create the test database");
    return percorso;
}

void tst_OrigineComuni::readsEveryRowAndField()
{
    OrigineComuni origine(creaDati());
    QVERIFY(!origine.aggiorna().failed());
    QVERIFY(origine.aperta());
    QCOMPARE(colonna(origine, 0), ordineDellaTabella);
    QCOMPARE(origine.columnCount(), 5);
    QStringList intestazioni;
    for (int c = 0; c < origine.columnCount(); ++c)
        intestazioni << origine.headerData(c, Qt::Horizontal).toString();
    QCOMPARE(intestazioni, QStringList({"Nome", "Prov", "ComCode", "CodiceCatastale", "CAP"}));
    const QStringList prima = {origine.index(1, 0).data().toString(), origine.index(1, 1).data().toString(),
                               origine.index(1, 2).data().toString(), origine.index(1, 3).data().toString(),
                               origine.index(1, 4).data().toString()};
    QCOMPARE(prima, QStringList({"Cittadella", "PD", "C1", "K1", "001"}));
    QVERIFY(!(origine.flags(origine.index(0, 0)) & Qt::ItemIsEditable));
}

void tst_OrigineComuni::sort_data()
{
    QTest::addColumn<QString>("espressione");
    QTest::addColumn<QStringList>("nomi");
    QTest::newRow("no sort: the table's order") << QString() << ordineDellaTabella;
    QTest::newRow("Nome ASC: case ignored, accents after the plain letter") << "Nome ASC" << perNome;
    QTest::newRow("nome desc: any case of field and direction")
        << "nome desc"
        << QStringList({"Sant'Agata de' Goti", "Romano Canavese", "Roma", "ROMA", "Reggio nell'Emilia", "Germania",
                        "Francia", "Cittadella", "Città di Castello", "aosta"});
    QTest::newRow("prov alone is ascending; equal provinces keep the table's order")
        << "prov"
        << QStringList({"aosta", "Sant'Agata de' Goti", "ROMA", "Francia", "Germania", "Cittadella",
                        "Città di Castello", "Reggio nell'Emilia", "Roma", "Romano Canavese"});
    QTest::newRow("Prov DESC: equal provinces still keep the table's order")
        << "Prov DESC"
        << QStringList({"Romano Canavese", "Roma", "Reggio nell'Emilia", "Città di Castello", "Cittadella", "ROMA",
                        "Francia", "Germania", "Sant'Agata de' Goti", "aosta"});
    QTest::newRow("an unknown field leaves the rows alone") << "Regione ASC" << ordineDellaTabella;
}

void tst_OrigineComuni::sort()
{
    QFETCH(QString, espressione);
    QFETCH(QStringList, nomi);
    OrigineComuni origine(creaDati());
    QVERIFY(!origine.aggiorna().failed());
    origine.setSort(espressione);
    QCOMPARE(colonna(origine, 0), nomi);
}

void tst_OrigineComuni::filter_data()
{
    const QStringList strani = {"A_Uno", "A%Due", "A*Tre", "A[Quattro]", "A\\Cinque", "AB Sei", "A'Sette"};
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QString>("iniziali");
    QTest::addColumn<QStringList>("nomi");
    QTest::newRow("one letter, case ignored")
        << QStringList() << "r" << QStringList({"Roma", "ROMA", "Romano Canavese", "Reggio nell'Emilia"});
    QTest::newRow("accented capital matches the small accented letter")
        << QStringList() << "CITTÀ" << QStringList({"Città di Castello"});
    QTest::newRow("an accent is not its plain letter") << QStringList() << "Citta" << QStringList({"Cittadella"});
    QTest::newRow("a trailing blank is part of the text") << QStringList() << "Roma " << QStringList();
    QTest::newRow("apostrophe is part of the name, not the end of the text")
        << QStringList() << "Sant'A" << QStringList({"Sant'Agata de' Goti"});
    QTest::newRow("apostrophe in the middle")
        << QStringList() << "reggio nell'e" << QStringList({"Reggio nell'Emilia"});
    QTest::newRow("an empty text keeps every row") << QStringList() << "" << ordineDellaTabella;

    QStringList extra;
    for (const QString &nome : strani) {
        QString n = nome;
        extra << QStringLiteral("INSERT INTO Comuni VALUES ('%1', 'XX', '', '', '')").arg(n.replace("'", "''"));
    }
    QTest::newRow("underscore is no single-character wildcard") << extra << "A_" << QStringList({"A_Uno"});
    QTest::newRow("percent is no wildcard") << extra << "A%" << QStringList({"A%Due"});
    QTest::newRow("asterisk is no wildcard") << extra << "A*" << QStringList({"A*Tre"});
    QTest::newRow("asterisk alone matches no name") << extra << "*" << QStringList();
    QTest::newRow("bracket opens no character class") << extra << "A[" << QStringList({"A[Quattro]"});
    QTest::newRow("backslash escapes nothing") << extra << "A\\" << QStringList({"A\\Cinque"});
    QTest::newRow("apostrophe right after the letter") << extra << "a'" << QStringList({"A'Sette"});
    QTest::newRow("quote that would close an SQL text") << extra << "x' OR '1'='1" << QStringList();
}

void tst_OrigineComuni::filter()
{
    QFETCH(QStringList, extra);
    QFETCH(QString, iniziali);
    QFETCH(QStringList, nomi);
    OrigineComuni origine(creaDati(extra));
    QVERIFY(!origine.aggiorna().failed());
    origine.setFiltroIniziali(iniziali);
    QCOMPARE(colonna(origine, 0), nomi);
}

void tst_OrigineComuni::filterAndSortKeepEachOther()
{
    OrigineComuni origine(creaDati());
    QVERIFY(!origine.aggiorna().failed());
    origine.setSort(QStringLiteral("Nome DESC"));
    origine.setFiltroIniziali(QStringLiteral("ro"));
    QCOMPARE(colonna(origine, 0), QStringList({"Romano Canavese", "Roma", "ROMA"}));
    origine.setSort(QStringLiteral("Prov ASC"));
    QCOMPARE(colonna(origine, 0), QStringList({"ROMA", "Roma", "Romano Canavese"}));
    origine.setFiltroIniziali(QStringLiteral("C"));
    QCOMPARE(colonna(origine, 0), QStringList({"Cittadella", "Città di Castello"}));
    QCOMPARE(origine.sort(), QStringLiteral("Prov ASC"));
}

void tst_OrigineComuni::refreshReadsAgainAndDropsFilterAndSort()
{
    const QString percorso = creaDati();
    OrigineComuni origine(percorso);
    QVERIFY(!origine.aggiorna().failed());
    origine.setSort(QStringLiteral("Nome ASC"));
    origine.setFiltroIniziali(QStringLiteral("R"));
    QVERIFY(creaDatabase(percorso, schemaDatiAtto() + inserimenti() +
                                       QStringList({"INSERT INTO Comuni VALUES ('Zelo', 'MI', '', '', '')"})));
    QVERIFY(!origine.aggiorna().failed());
    QCOMPARE(origine.sort(), QString());
    QCOMPARE(colonna(origine, 0), ordineDellaTabella + QStringList({"Zelo"}));
}

void tst_OrigineComuni::unopenableSource_data()
{
    QTest::addColumn<QByteArray>("contenuto"); // empty: no file at all
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<int>("numero");
    QTest::newRow("missing file") << QByteArray() << QStringList() << DbError::FileNotFound;
    QTest::newRow("not a database") << QByteArray("Questo non è un database.\n") << QStringList() << 26;
    QTest::newRow("no table Comuni") << QByteArray() << QStringList({"CREATE TABLE Altro (x TEXT)"}) << 1;
    QTest::newRow("a field is missing") << QByteArray()
                                        << QStringList(
                                               {"CREATE TABLE Comuni (Nome TEXT, PROV TEXT, comcode TEXT, CAP TEXT)"})
                                        << DbError::FieldNotFound;
}

// Without a result there is nothing to sort or filter; a later refresh that
// finds a good file loads it.
void tst_OrigineComuni::unopenableSource()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(QStringList, statements);
    QFETCH(int, numero);
    const QString percorso = m_cartella->filePath(QStringLiteral("DatiAtto.mdb"));
    if (!contenuto.isEmpty()) {
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contenuto);
    } else if (!statements.isEmpty()) {
        QVERIFY(creaDatabase(percorso, statements));
    }
    OrigineComuni origine(percorso);
    const DbError e = origine.aggiorna();
    QCOMPARE(e.number, numero);
    QVERIFY(!e.description.isEmpty());
    QVERIFY(!origine.aperta());
    origine.setSort(QStringLiteral("Nome ASC"));
    origine.setFiltroIniziali(QStringLiteral("R"));
    QCOMPARE(origine.sort(), QString());
    QCOMPARE(origine.rowCount(), 0);

    QFile::remove(percorso);
    creaDati();
    QVERIFY(!origine.aggiorna().failed());
    QCOMPARE(colonna(origine, 0), ordineDellaTabella);
}

void tst_OrigineComuni::readingWritesNothing()
{
    const QString percorso = creaDati();
    const QByteArray prima = impronta(percorso);
    {
        OrigineComuni origine(percorso);
        QVERIFY(!origine.aggiorna().failed());
        origine.setSort(QStringLiteral("CAP DESC"));
        origine.setFiltroIniziali(QStringLiteral("Ro"));
        QVERIFY(!origine.setData(origine.index(0, 0), QStringLiteral("Altro")));
        QVERIFY(!origine.aggiorna().failed());
    }
    QCOMPARE(impronta(percorso), prima);
}

QTEST_GUILESS_MAIN(tst_OrigineComuni)
#include "tst_originecomuni.moc"
