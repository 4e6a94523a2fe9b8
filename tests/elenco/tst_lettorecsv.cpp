// SPDX-License-Identifier: MIT
#include "elenco/codifica.h"
#include "elenco/lettorecsv.h"
#include "support/tabella.h"

#include <QBuffer>

class tst_LettoreCsv : public QObject
{
    Q_OBJECT

private slots:
    void dialetti_data();
    void dialetti();
    void rifiuti_data();
    void rifiuti();
    void windows1252AndataERitorno();
};

// Rows are shown with their cells joined by "|" and ended by "/".
static QString leggiTutto(LettoreCsv &l)
{
    QString righe;
    QStringList celle;
    while (l.leggi(&celle))
        righe += celle.join(u'|') + u'/';
    return righe;
}

void tst_LettoreCsv::dialetti_data()
{
    colonne<QByteArray, QString, QString, int>("byte", "righe", "separatore", "codifica");
    const int utf8 = int(Codifica::Utf8), bom = int(Codifica::Utf8Bom), w1252 = int(Codifica::Windows1252);
    riga("semicolon, LF", QByteArray("a;b\n1;2\n"), "a|b/1|2/", ";", utf8);
    riga("comma, CRLF, no final line end", QByteArray("a,b\r\n1,2"), "a|b/1|2/", ",", utf8);
    riga("tab, old Mac CR", QByteArray("a\tb\r1\t2\r"), "a|b/1|2/", "\t", utf8);
    riga("commas inside quotes do not count", QByteArray("\"x,y,z\";b\n"), "x,y,z|b/", ";", utf8);
    riga("tie goes to the semicolon", QByteArray("a;b,c\n"), "a|b,c/", ";", utf8);
    riga("quoted separator, doubled quote, line break",
         QByteArray("a;\"b;\"\"c\"\"\r\nd\";e\n"), "a|b;\"c\"\r\nd|e/", ";", utf8);
    riga("empty cells and a line of separators", QByteArray("a;;b\n;;\n\n1;;\n"), "a||b/1||/", ";", utf8);
    riga("unclosed quote ends with the file", QByteArray("a;\"b\nc"), "a|b\nc/", ";", utf8);
    riga("UTF-8 with its mark", QByteArray("\xEF\xBB\xBFNome;Città\n"), "Nome|Città/", ";", bom);
    riga("Windows-1252 accent and euro", QByteArray("Citt\xE0;\x80\n"), "Città|€/", ";", w1252);
    riga("UTF-16 from a spreadsheet", QByteArray("\xFF\xFE" "a\0\t\0b\0\n\0", 10), "a|b/", "\t", int(Codifica::Utf16Le));
    // Rows that cross the reader's blocks of 64 KiB.
    const QByteArray lunga = QByteArray(70000, 'x');
    riga("quoted cell across blocks", "a;\"" + lunga + "\"\nb;c\n", "a|" + QString(lunga) + "/b|c/", ";", utf8);
    riga("CRLF split between blocks", QByteArray(65535, 'y') + "\r\nz\n", QString(65535, u'y') + "/z/", ";", utf8);
}

void tst_LettoreCsv::dialetti()
{
    QFETCH(QByteArray, byte);
    QBuffer b(&byte);
    b.open(QIODevice::ReadOnly);
    LettoreCsv l(&b, byte.size());
    QVERIFY(l.apri());
    QTEST(leggiTutto(l), "righe");
    QVERIFY2(l.errore().isEmpty(), qPrintable(l.errore()));
    QTEST(QString(l.separatore()), "separatore");
    QTEST(int(l.codifica()), "codifica");
    QCOMPARE(l.avanzamento(), 1.0);
}

void tst_LettoreCsv::rifiuti_data()
{
    colonne<QByteArray, QString>("byte", "motivo");
    riga("binary file", QByteArray("PK\x03\x04\x00\x00", 6), "il file non è una tabella di testo: contiene caratteri di controllo");
    riga("a line longer than the limit", QByteArray(LettoreCsv::RigaMassima + 10, 'a'),
         "la riga 1 supera 1048576 caratteri: il file non sembra una tabella");
}

void tst_LettoreCsv::rifiuti()
{
    QFETCH(QByteArray, byte);
    QBuffer b(&byte);
    b.open(QIODevice::ReadOnly);
    LettoreCsv l(&b, byte.size());
    QStringList celle;
    QVERIFY(!l.apri() || !l.leggi(&celle));
    QTEST(l.errore(), "motivo");
}

void tst_LettoreCsv::windows1252AndataERitorno()
{
    QByteArray tutti(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        tutti[i] = char(i);
    QCOMPARE(byteWindows1252(testoWindows1252(tutti)), tutti);
    QCOMPARE(byteWindows1252(QStringLiteral("€ ← ä")), QByteArray("\x80 ? \xE4"));
}

QTEST_GUILESS_MAIN(tst_LettoreCsv)
#include "tst_lettorecsv.moc"
