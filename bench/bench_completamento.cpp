// SPDX-License-Identifier: MIT
#include "app/controlprops.h"
#include "app/database.h"
#include "app/formevents.h"
#include "misura.h"
#include "support/finestradiprova.h"
#include "support/fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTextStream>

namespace {

// The full reference data built from data/ grown to `righe` rows of Comuni:
// the real rows, then copies of them named "<name> <n>", so that every real
// name still completes to itself. Statements for creaDatabase.
QStringList comuniAmpliati(int righe);
QStringList comuniAmpliati(int righe)
{
    QString reale = QStringLiteral(BRANTOVEL_DATIATTO);
    reale.replace(QLatin1Char('\''), QLatin1String("''"));
    // The index is built once at the end, faster than kept up row by row.
    return schemaDatiAtto()
           + QStringList{
               QStringLiteral("DROP INDEX comune"),
               QStringLiteral("ATTACH DATABASE '%1' AS reale").arg(reale),
               QStringLiteral("INSERT INTO Comuni SELECT * FROM reale.Comuni"),
               QStringLiteral("INSERT INTO CodiciUfficioIva SELECT * FROM reale.CodiciUfficioIva"),
               QStringLiteral("WITH RECURSIVE copia(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM copia "
                              "WHERE k <= %1 / (SELECT count(*) FROM reale.Comuni)) "
                              "INSERT INTO Comuni SELECT r.Nome || ' ' || copia.k, r.PROV, r.comcode, "
                              "r.CodiceCatastale, r.CAP FROM copia CROSS JOIN reale.Comuni AS r "
                              "LIMIT max(0, %1 - (SELECT count(*) FROM reale.Comuni))")
                   .arg(righe),
               QStringLiteral("DETACH DATABASE reale"),
               QStringLiteral("CREATE INDEX comune ON Comuni (Nome COLLATE NOCASEU)"),
           };
}

// 300 municipality names spread over the whole of the real table.
QStringList nomiDaDigitare()
{
    Database db;
    db.open(QStringLiteral(BRANTOVEL_DATIATTO));
    QStringList tutti;
    if (db.readColumn(QStringLiteral("SELECT Nome FROM Comuni WHERE PROV <> 'EE' ORDER BY rowid"),
                      QStringLiteral("Nome"), &tutti)
            .failed())
        qFatal("cannot read the names to type");
    QStringList scelti;
    for (qsizetype i = 0; i < 300; ++i)
        scelti << tutti.at(i * tutti.size() / 300);
    return scelti;
}

Qt::Key tasto(QChar c)
{
    return c.unicode() < 0x80 && c.isLetterOrNumber() ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
}

// Types every name letter by letter into `combo` and times each key
// release, in milliseconds. The box is emptied with Backspace before each
// name, as a user would. Names after which the box `codice` is still empty
// are counted in `mancati`.
QList<double> digitaTutti(QComboBox *combo, const QStringList &nomi, QLineEdit *codice = nullptr,
                          int *mancati = nullptr)
{
    QList<double> tempi;
    QElapsedTimer t;
    for (const QString &nome : nomi) {
        if (codice)
            setText(codice, QString());
        setSelection(combo, 0, int(combo->currentText().size()));
        QTest::keyClick(combo, Qt::Key_Backspace);
        for (QChar c : nome) {
            QTest::sendKeyEvent(QTest::Press, combo, tasto(c), QString(c), Qt::NoModifier);
            t.start();
            QTest::sendKeyEvent(QTest::Release, combo, tasto(c), QString(c), Qt::NoModifier);
            tempi << double(t.nsecsElapsed()) / 1e6;
        }
        if (codice && codice->text().isEmpty())
            ++*mancati;
    }
    return tempi;
}

void misura(QTextStream &out, const QString &dati, FinestraDiProva &f, const QStringList &nomi)
{
    if (f.avvia() != FrmCodiceFiscale::Avvio::Pronto)
        qFatal("the main window did not start");
    f.form->events().setFocus(f.ui().cboComune);
    int mancati = 0;
    const QList<double> tempi = digitaTutti(f.ui().cboComune, nomi, f.ui().Text3, &mancati);

    // The toolkit's own share: the same keys on an editable combo box that no
    // handler watches.
    QComboBox nudo;
    nudo.setEditable(true);
    nudo.show();
    const QList<double> riferimento = digitaTutti(&nudo, nomi);

    const double mediana = percentile(tempi, 50), p99 = percentile(tempi, 99);
    out << "Completamento a ogni tasto rilasciato in cboComune, " << dati << ": " << nomi.size()
        << " nomi reali, " << tempi.size() << " tasti" << Qt::endl;
    out << "  riferimento, casella senza gestore: mediana " << QString::number(percentile(riferimento, 50), 'f', 4)
        << " ms, 99° percentile " << QString::number(percentile(riferimento, 99), 'f', 4) << " ms" << Qt::endl;
    if (mancati > 0)
        out << "  nomi senza codice del luogo alla fine: " << mancati << Qt::endl;
    confronta(QStringLiteral("mediana"), QString::number(mediana, 'f', 4) + QStringLiteral(" ms"),
              QStringLiteral("< 0.2 ms"), mediana < 0.2);
    confronta(QStringLiteral("99° percentile"), QString::number(p99, 'f', 4) + QStringLiteral(" ms"),
              QStringLiteral("< 1 ms"), p99 < 1);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList nomi = nomiDaDigitare();
    misura(out, QStringLiteral("dati completi"), *FinestraDiProva::conDatiCompleti(), nomi);
    FinestraDiProva milione(comuniAmpliati(1'000'000));
    misura(out, QStringLiteral("tabella di un milione di righe"), milione, nomi);
    return 0;
}
