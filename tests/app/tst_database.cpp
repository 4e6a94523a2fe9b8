// SPDX-License-Identifier: MIT
#include "app/database.h"
#include "support/fixture.h"
#include "support/tabella.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class tst_Database : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void seekIgnoresCaseInTheUnicodeSense_data();
    void seekIgnoresCaseInTheUnicodeSense();
    void fieldFailures();
    void boundValuesCannotChangeAQuery();
    void openTableNeedsACaseBlindIndex();
    void readingLeavesTheFileUntouched();

private:
    QString creaFile(const QString &nome, const QStringList &statements);
    QTemporaryDir m_dir;
    QString m_esempio;
};

QString tst_Database::creaFile(const QString &nome, const QStringList &statements)
{
    const QString percorso = m_dir.filePath(nome);
    if (!creaDatabase(percorso, statements))
        qFatal("fixture %s failed", qPrintable(nome));
    return percorso;
}

void tst_Database::initTestCase()
{
    m_esempio = creaFile(QStringLiteral("esempio.mdb"),
                         schemaDatiAtto() + righeDiEsempio()
                             + QStringList{QStringLiteral("INSERT INTO Comuni VALUES ('Senzaprovincia', NULL, NULL, 'X000', NULL)")});
}

void tst_Database::seekIgnoresCaseInTheUnicodeSense_data()
{
    colonne<QString, QString>("chiave", "trovato"); // empty: no row at or after the key
    riga("lower case", "rom", "Roma");
    riga("longer than a name", "romaN", "Romano Canavese");
    riga("accented capital", "FORLÌ", "Forlì");
    riga("apostrophe", "sant'a", "Sant'Agata de' Goti");
    riga("between names", "Rob", "Roma");
    riga("empty key is the first name", "", "Castel San Pietro Terme");
    riga("after the last name", "zzz", "");
}

void tst_Database::seekIgnoresCaseInTheUnicodeSense()
{
    QFETCH(QString, chiave);
    QFETCH(QString, trovato);
    Database db;
    QVERIFY(!db.open(m_esempio).failed());
    Recordset rs;
    QVERIFY(!rs.openTable(db, QStringLiteral("Comuni"), QStringLiteral("comune"), QStringLiteral("Nome")).failed());
    QVERIFY(!rs.seek(chiave).failed());
    QCOMPARE(rs.noMatch(), trovato.isEmpty());
    if (!trovato.isEmpty()) {
        QString nome;
        QVERIFY(!rs.field(QStringLiteral("nome"), &nome).failed()); // field names ignore case
        QCOMPARE(nome, trovato);
    }
}

void tst_Database::fieldFailures()
{
    Database db;
    QVERIFY(!db.open(m_esempio).failed());
    Recordset rs;
    QVERIFY(!rs.openTable(db, QStringLiteral("Comuni"), QStringLiteral("comune"), QStringLiteral("Nome")).failed());
    QString valore = QStringLiteral("invariato");

    QVERIFY(!rs.seek(QStringLiteral("Senzaprovincia")).failed());
    QCOMPARE(rs.field(QStringLiteral("PROV"), &valore).number, DbError::InvalidUseOfNull);
    QCOMPARE(rs.field(QStringLiteral("COD"), &valore).number, DbError::FieldNotFound);
    QVERIFY(!rs.field(QStringLiteral("CodiceCatastale"), &valore).failed());
    QCOMPARE(valore, QStringLiteral("X000"));

    QVERIFY(!rs.seek(QStringLiteral("zzz")).failed());
    QCOMPARE(rs.field(QStringLiteral("Nome"), &valore).number, DbError::NoCurrentRecord);
    QCOMPARE(valore, QStringLiteral("X000"));

    QVERIFY(!rs.seek(QStringLiteral("Roma")).failed());
    rs.close(); // a closed recordset has no row left to read
    QCOMPARE(rs.field(QStringLiteral("Nome"), &valore).number, DbError::NoCurrentRecord);
}

void tst_Database::boundValuesCannotChangeAQuery()
{
    Database db;
    QVERIFY(!db.open(m_esempio).failed());
    Recordset rs;
    const QString query = QStringLiteral("SELECT * FROM CodiciUfficioIva WHERE substr(ufficioIva, 1, length(?)) = ?");
    const QString ostile = QStringLiteral("0' OR '1'='1");
    QVERIFY(!rs.openQuery(db, query, {ostile, ostile}).failed());
    QCOMPARE(rs.recordCount(), 0);
    QVERIFY(!rs.openQuery(db, query, {QStringLiteral("058"), QStringLiteral("058")}).failed());
    QCOMPARE(rs.recordCount(), 1);
    QString ufficio;
    QVERIFY(!rs.field(QStringLiteral("UfficioIva"), &ufficio).failed());
    QCOMPARE(ufficio, QStringLiteral("058 Roma"));
}

// An index that heeds case would complete "rom" to nothing.
void tst_Database::openTableNeedsACaseBlindIndex()
{
    const QString percorso = creaFile(QStringLiteral("indice.mdb"),
                                      {QStringLiteral("CREATE TABLE Comuni (Nome TEXT, PROV TEXT, comcode TEXT, "
                                                      "CodiceCatastale TEXT, CAP TEXT)"),
                                       QStringLiteral("CREATE INDEX comune ON Comuni (Nome)")});
    Database db;
    QVERIFY(!db.open(percorso).failed());
    Recordset rs;
    const DbError e = rs.openTable(db, QStringLiteral("Comuni"), QStringLiteral("comune"), QStringLiteral("Nome"));
    QVERIFY(e.failed());
    QVERIFY(!e.description.isEmpty());
}

void tst_Database::readingLeavesTheFileUntouched()
{
    const QByteArray prima = impronta(m_esempio);
    {
        Database db;
        QVERIFY(!db.open(m_esempio).failed());
        Recordset rs;
        QVERIFY(!rs.openTable(db, QStringLiteral("Comuni"), QStringLiteral("comune"), QStringLiteral("Nome")).failed());
        QVERIFY(!rs.seek(QStringLiteral("Roma")).failed());
        QStringList tutti;
        QVERIFY(!db.readColumn(QStringLiteral("SELECT * FROM Comuni"), QStringLiteral("Nome"), &tutti).failed());
        rs.close();
        db.close();
    }
    QCOMPARE(impronta(m_esempio), prima);
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("esempio.mdb*")}, QDir::Files),
             QStringList{QStringLiteral("esempio.mdb")}); // no journal left beside it
}

QTEST_GUILESS_MAIN(tst_Database)
#include "tst_database.moc"
