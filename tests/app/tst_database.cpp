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

QTEST_GUILESS_MAIN(tst_Database)
#include "tst_database.moc"
