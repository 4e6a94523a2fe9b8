// SPDX-License-Identifier: MIT
#include "fiscal/datanascita.h"
#include "support/tabella.h"

#include <QTest>

class tst_DataNascita : public QObject
{
    Q_OBJECT

private slots:
    void riconosce_data()
    {
        colonne<QString, QDate>("testo", "attesa"); // invalid: not a date
        riga("slashes, four-digit year", "1/1/1980", QDate(1980, 1, 1));
        riga("dashes, two-digit year 29 is 2029", "05-06-29", QDate(2029, 6, 5));
        riga("dots and blanks around, 30 is 1930", "  9.10.30 ", QDate(1930, 10, 9));
        riga("month written out, any case", "1 GENNAIO 1980", QDate(1980, 1, 1));
        riga("31 February", "31/02/1980", QDate());
        riga("mixed separators", "1/1-1980", QDate());
        riga("three-digit year", "1/1/980", QDate());
        riga("unknown month name", "1 brumaio 1980", QDate());
        riga("two-letter month", "1 ge 1980", QDate());
        riga("full-width digits", "１/１/１９８０", QDate());
        riga("year before 100", "1/1/0099", QDate());
    }

    void riconosce()
    {
        QFETCH(QString, testo);
        QTEST(riconosciData(testo).value_or(QDate()), "attesa");
    }
};

QTEST_GUILESS_MAIN(tst_DataNascita)
#include "tst_datanascita.moc"
