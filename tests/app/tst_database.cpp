// SPDX-License-Identifier: MIT
#include "app/database.h"
#include "support/fixture.h"
#include "support/tabella.h"

#include <QTemporaryDir>

class tst_Database : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void seekAndField_data();
    void seekAndField();
    void boundValuesCannotChangeAQuery();
    void failedQuery_data();
    void failedQuery();

private:
    QTemporaryDir m_dir;
    Database m_db;
};

void tst_Database::initTestCase()
{
    const QString esempio = m_dir.filePath(QStringLiteral("DatiAtto.mdb"));
    QVERIFY(creaDatabase(esempio, schemaDatiAtto() + righeDiEsempio() +
                                      QStringList{"INSERT INTO Comuni VALUES ('Senza', NULL, NULL, 'X000', NULL)"}));
    QVERIFY(!m_db.open(esempio).failed());
}

// Keys and field names ignore case, in the Unicode sense; the row without a
// key reads from a closed recordset. A failed read leaves the value as it was.
void tst_Database::seekAndField_data()
{
    colonne<QString, QString, int, QString>("chiave", "campo", "errore", "valore");
    riga("name in small letters, field in capitals", "roma", "NOME", 0, "Roma");
    riga("accented capital", "FORLÌ", "Nome", 0, "Forlì");
    riga("between two names, longer than the first", "ROMAN", "Nome", 0, "Romano Canavese");
    riga("after the last name", "zzz", "Nome", int(DbError::NoCurrentRecord), "invariato");
    riga("closed recordset", QString(), "Nome", int(DbError::NoCurrentRecord), "invariato");
    riga("null value", "Senza", "PROV", int(DbError::InvalidUseOfNull), "invariato");
    riga("no such field", "Senza", "COD", int(DbError::FieldNotFound), "invariato");
}

void tst_Database::seekAndField()
{
    QFETCH(QString, chiave);
    QFETCH(QString, campo);
    QFETCH(int, errore);
    Recordset rs;
    QVERIFY(!rs.openTable(m_db, QStringLiteral("Comuni"), QStringLiteral("comune"), QStringLiteral("Nome")).failed());
    if (chiave.isNull())
        rs.close();
    else
        QVERIFY(!rs.seek(chiave).failed());
    QString valore = QStringLiteral("invariato");
    QCOMPARE(rs.field(campo, &valore).number, errore);
    QCOMPARE(rs.noMatch(), errore == DbError::NoCurrentRecord);
    QTEST(valore, "valore");
}

// A value bound to a query is data, never part of the query's text.
void tst_Database::boundValuesCannotChangeAQuery()
{
    Recordset rs;
    const QString query = QStringLiteral("SELECT * FROM CodiciUfficioIva WHERE substr(ufficioIva, 1, 3) = ?");
    QVERIFY(!rs.openQuery(m_db, query, {QStringLiteral("0' OR '1'='1")}).failed());
    QCOMPARE(rs.recordCount(), 0);
    QVERIFY(!rs.openQuery(m_db, query, {QStringLiteral("058")}).failed());
    QCOMPARE(rs.recordCount(), 1);
}

// A query that fails, whenever it fails, gives SQLite's code and reason; a
// recordset reads only the first row.
void tst_Database::failedQuery_data()
{
    colonne<QString, bool, QString, QString>("sql", "aperto", "righe", "recordset");
    const QString overflow = QStringLiteral("1 integer overflow");
    riga("no such table", "SELECT * FROM Nessuna", true, "1 no such table: Nessuna", "1 no such table: Nessuna");
    riga("fails on the first row", "SELECT abs(-9223372036854775807 - 1) AS Nome", true, overflow, overflow);
    riga("fails on a later row", "SELECT abs(x) AS Nome FROM (SELECT 1 AS x UNION ALL SELECT -9223372036854775807 - 1)",
         true, overflow, "0 ");
    riga("database never opened", "SELECT 1 AS Nome", false, "1 Driver not loaded", "1 Driver not loaded");
}

void tst_Database::failedQuery()
{
    QFETCH(QString, sql);
    QFETCH(bool, aperto);
    const Database chiuso;
    const Database &db = aperto ? m_db : chiuso;
    const auto detto = [](const DbError &e) { return QStringLiteral("%1 %2").arg(e.number).arg(e.description); };
    QList<QStringList> righe;
    QTEST(detto(db.readRows(sql, {QStringLiteral("Nome")}, &righe)), "righe");
    Recordset rs;
    QTEST(detto(rs.openQuery(db, sql)), "recordset");
}

QTEST_GUILESS_MAIN(tst_Database)
#include "tst_database.moc"
