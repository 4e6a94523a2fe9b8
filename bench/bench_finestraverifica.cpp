// SPDX-License-Identifier: MIT
#include "app/database.h"
#include "fiscal/codicefiscale.h"
#include "misura.h"
#include "support/finestradiprova.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTextStream>

namespace {

// 200 codes of people born in places spread over the whole real table,
// municipalities and states, current and ceased.
QStringList codiciDaDigitare()
{
    Database db;
    db.open(QStringLiteral(BRANTOVEL_DATIATTO));
    QStringList luoghi;
    if (db.readColumn(QStringLiteral("SELECT comcode FROM Comuni ORDER BY rowid"), QStringLiteral("comcode"), &luoghi)
            .failed())
        qFatal("cannot read the places");
    QStringList codici;
    for (qsizetype i = 0; i < 200; ++i)
        codici << CalcoloCodFis(QStringLiteral("Rossi"), QStringLiteral("Maria"), QDate(1930, 1, 1).addDays(i * 97),
                                QStringLiteral("F"), luoghi.at(i * luoghi.size() / 200));
    return codici;
}

// Types every code key by key into `box`, emptied before each one, and times
// each key, in milliseconds.
QList<double> digitaTutti(QLineEdit *box, const QStringList &codici)
{
    QList<double> tempi;
    QElapsedTimer t;
    for (const QString &codice : codici) {
        box->clear();
        for (QChar c : codice) {
            t.start();
            QTest::keyClick(box, c.toLatin1());
            tempi << double(t.nsecsElapsed()) / 1e6;
        }
    }
    return tempi;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList codici = codiciDaDigitare();
    auto f = FinestraDiProva::conDatiCompleti();
    if (f->avvia() != FrmCodiceFiscale::Avvio::Pronto)
        qFatal("the main window did not start");
    f->scegliDalMenu(f->ui().VerificaCodice);
    QWidget *finestra = FinestraDiProva::finestraAperta(QStringLiteral("frmVerificaCodice"));
    QLineEdit *txtCodice = finestra ? finestra->findChild<QLineEdit *>(QStringLiteral("txtCodice")) : nullptr;
    if (!txtCodice)
        qFatal("the verification window did not open");
    const QList<double> tempi = digitaTutti(txtCodice, codici);

    // The toolkit's own share: the same keys in a box that no handler watches.
    QLineEdit nudo;
    nudo.show();
    const QList<double> riferimento = digitaTutti(&nudo, codici);

    const double mediana = percentile(tempi, 50), p99 = percentile(tempi, 99);
    out << "Verifica a ogni tasto in txtCodice, dati completi: " << codici.size() << " codici, " << tempi.size()
        << " tasti" << Qt::endl;
    out << "  riferimento, casella senza gestore: mediana " << QString::number(percentile(riferimento, 50), 'f', 4)
        << " ms, 99° percentile " << QString::number(percentile(riferimento, 99), 'f', 4) << " ms" << Qt::endl;
    confronta(QStringLiteral("mediana"), QString::number(mediana, 'f', 4) + QStringLiteral(" ms"),
              QStringLiteral("< 0.2 ms"), mediana < 0.2);
    confronta(QStringLiteral("99° percentile"), QString::number(p99, 'f', 4) + QStringLiteral(" ms"),
              QStringLiteral("< 1 ms"), p99 < 1);
    return 0;
}
