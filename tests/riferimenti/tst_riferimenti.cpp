// SPDX-License-Identifier: MIT
// The program against reference vectors made by other implementations
// (genera_riferimenti.py says which): each line of a file is a row, and a row
// that fails names the field that differs.
#include "fiscal/codicefiscale.h"
#include "fiscal/datanascita.h"
#include "fiscal/verificacodice.h"
#include "vat/controllopi.h"

#include <QFile>
#include <QTest>

// The lines of a tab-separated file whose first line names the columns.
static void leggi(const char *file)
{
    QFile f(QStringLiteral(BRANTOVEL_RIFERIMENTI "/") + QLatin1String(file));
    QVERIFY2(f.open(QIODevice::ReadOnly), file);
    QTest::addColumn<QStringList>("nomi");
    QTest::addColumn<QStringList>("attesi");
    const QStringList nomi = QString::fromLatin1(f.readLine()).trimmed().split(u'\t');
    for (int n = 2; !f.atEnd(); ++n) {
        const QStringList campi = QString::fromLatin1(f.readLine()).chopped(1).split(u'\t');
        QTest::addRow("%s:%d %s", file, n, qPrintable(campi.first())) << nomi << campi;
    }
}

// The fields read from the program against the row's last ones, by name.
static void confronta(const QStringList &letti)
{
    QFETCH(QStringList, nomi);
    QFETCH(QStringList, attesi);
    QCOMPARE(attesi.size(), nomi.size());
    const int primo = nomi.size() - letti.size();
    for (int i = primo; i < nomi.size(); ++i)
        QVERIFY2(letti.at(i - primo) == attesi.at(i),
                 qPrintable(QStringLiteral("%1: «%2», atteso «%3»").arg(nomi.at(i), letti.at(i - primo), attesi.at(i))));
}

class tst_Riferimenti : public QObject
{
    Q_OBJECT

private slots:
    // Surname, name, date, sex and place give the code, read part by part.
    void codiceFiscale_data() { leggi("codici.tsv"); }
    void codiceFiscale()
    {
        QFETCH(QStringList, attesi);
        const QString codice = CalcoloCodFis(attesi[0], attesi[1], QDate::fromString(attesi[2], Qt::ISODate),
                                             attesi[3], attesi[4]);
        const QStringList parti = codice.split(u' ');
        confronta({parti.value(0) + parti.value(1), parti.value(2), parti.value(3).left(4), parti.value(3).mid(4)});
    }

    // Valid or not, sex, day, month, year, place, base code and how many
    // digits omocodia replaced; the same when typed in small letters.
    void decodifica_data() { leggi("decodifica.tsv"); }
    void decodifica()
    {
        QFETCH(QStringList, attesi);
        const auto n = [](int i) { return QString::number(i); };
        for (const QString &scritto : {attesi[0], attesi[0].toLower()}) {
            const EsitoCodFis e = VerificaCodFis(scritto);
            confronta(e.valido ? QStringList{"1", e.sesso, n(e.giorno), n(e.mese), n(e.anno2 + 100).mid(1),
                                             e.codiceLuogo, e.codiceBase, n(e.sostituzioni)}
                               : QStringList{"0", {}, {}, {}, {}, {}, {}, {}});
        }
    }

    // A date written out, the month's name in full or in three letters.
    void data_data() { leggi("date.tsv"); }
    void data()
    {
        QFETCH(QStringList, attesi);
        confronta({riconosciData(attesi[0]).value_or(QDate()).toString(Qt::ISODate)});
    }

    void partitaIva_data() { leggi("partiteiva.tsv"); }
    void partitaIva()
    {
        QFETCH(QStringList, attesi);
        confronta({ControlloPI(attesi[0]) ? "1" : "0"});
    }
};

QTEST_GUILESS_MAIN(tst_Riferimenti)
#include "tst_riferimenti.moc"
