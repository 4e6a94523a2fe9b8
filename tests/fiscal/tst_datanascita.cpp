// SPDX-License-Identifier: MIT
#include "fiscal/datanascita.h"

#include <QTest>

class tst_DataNascita : public QObject
{
    Q_OBJECT

private slots:
    void riconosce_data();
    void riconosce();
};

void tst_DataNascita::riconosce_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QDate>("attesa"); // invalid: not a date

    QTest::newRow("slashes") << "1/1/1980" << QDate(1980, 1, 1);
    QTest::newRow("dashes") << "05-06-2001" << QDate(2001, 6, 5);
    QTest::newRow("dots") << "9.10.1999" << QDate(1999, 10, 9);
    QTest::newRow("two-digit year 29 is 2029") << "1/1/29" << QDate(2029, 1, 1);
    QTest::newRow("two-digit year 30 is 1930") << "1/1/30" << QDate(1930, 1, 1);
    QTest::newRow("month written out") << "1 gennaio 1980" << QDate(1980, 1, 1);
    QTest::newRow("month abbreviated") << "3 dic 1950" << QDate(1950, 12, 3);
    QTest::newRow("surrounding blanks") << "  1/1/1980 " << QDate(1980, 1, 1);
    QTest::newRow("leap day") << "29/02/1980" << QDate(1980, 2, 29);

    QTest::newRow("31 February") << "31/02/1980" << QDate();
    QTest::newRow("month 13") << "1/13/1980" << QDate();
    QTest::newRow("mixed separators") << "1/1-1980" << QDate();
    QTest::newRow("three-digit year") << "1/1/980" << QDate();
    QTest::newRow("unknown month name") << "1 brumaio 1980" << QDate();
    QTest::newRow("two-letter month") << "1 ge 1980" << QDate();
    QTest::newRow("full-width digits") << "１/１/１９８０" << QDate();
    QTest::newRow("year before 100") << "1/1/0099" << QDate();
}

void tst_DataNascita::riconosce()
{
    QFETCH(QString, testo);
    QFETCH(QDate, attesa);
    const auto data = riconosciData(testo);
    QCOMPARE(data.has_value(), attesa.isValid());
    if (data)
        QCOMPARE(*data, attesa);
}

QTEST_GUILESS_MAIN(tst_DataNascita)
#include "tst_datanascita.moc"
