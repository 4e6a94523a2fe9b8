// SPDX-License-Identifier: MIT
// The window that loads a register of municipalities, driven through its real
// buttons: it shows the changes before writing, writes only on "Applica", and
// refuses a wrong file with the reason, leaving everything as it was.
#include "app/datiluoghi.h"
#include "support/finestradiprova.h"
#include "support/fixture.h"
#include "support/tabella.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray anpr(const char *nome)
{
    QFile f(QStringLiteral(BRANTOVEL_ANPR "/") + QLatin1String(nome));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class tst_FrmAggiornaLuoghi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void cleanup()
    {
        QFile::remove(datiAttoUtente());
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    // conferma: the user's answer to any question; modifiche: the first line
    // shown; messaggi: what the user was told.
    void scelto_data()
    {
        colonne<QByteArray, bool, QString, QString, bool>("registro", "conferma", "modifiche", "messaggi", "applicato");
        const QByteArray r = anpr("comuni_anpr_2024.csv");
        riga("a place formed after the data: shown, then written", r + "1,2025-01-01,9999-12-31,018999,M999,\"NUOVO "
             "PAESE\",X,,,18,018,03,,active,PV,,2025-01-01,\n", false,
             "Luoghi aggiunti: 1", "Dati dei luoghi aggiornati al 01/01/2025. Riavvia il programma per usarli.", true);
        riga("the edition the data come from", r, false, "Nessuna modifica: i dati sono già aggiornati.", "", false);
        riga("an error page saved as CSV", QByteArray("<html><body>Not found</body></html>\n"), false, "",
             "Il file archivio.csv non è stato caricato: manca la colonna CODCATASTALE: non è l'archivio dei comuni "
             "dell'ANPR. Nulla è cambiato.",
             false);
        riga("an edition older than the data, not confirmed", anpr("ANPR_archivio_comuni.csv"), false, "",
             "Il file archivio.csv è aggiornato al 14/04/2023, i dati in uso al 22/01/2024: caricarlo comunque?|Il "
             "file archivio.csv non è stato caricato: è meno recente dei dati in uso. Nulla è cambiato.",
             false);
        // The data's newest merger moved half a year back: an edition whose
        // merge gives data older than the installed ones.
        const QByteArray precedente = QByteArray(r).replace("2024-01-22", "2023-06-01").replace("2024-01-21", "2023-05-31");
        riga("an edition older than the data, confirmed: in use from then on", precedente, true, "Luoghi aggiunti: 0",
             "Il file archivio.csv è aggiornato al 01/01/2024, i dati in uso al 22/01/2024: caricarlo comunque?|Dati "
             "dei luoghi aggiornati al 01/01/2024. Riavvia il programma per usarli.",
             true);
    }

    void scelto()
    {
        QFETCH(QByteArray, registro);
        QFETCH(bool, conferma);
        QFETCH(bool, applicato);
        QTemporaryDir cartella;
        QFile file(cartella.filePath(QStringLiteral("archivio.csv")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(registro) == registro.size());
        file.close();
        auto f = FinestraDiProva::conDatiCompleti();
        QCOMPARE(f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
        const QString installato = f->form->percorsoDatiAtto();
        const QByteArray impronta0 = impronta(installato);
        f->platform.fileAnswers << file.fileName();
        f->platform.confirmAnswers << conferma;
        f->apriModale(f->ui().AggiornaLuoghi, [&](QWidget *finestra) {
            QTest::mouseClick(finestra->findChild<QPushButton *>(QStringLiteral("cmdScegli")), Qt::LeftButton);
            QTEST(finestra->findChild<QPlainTextEdit *>(QStringLiteral("txtModifiche"))->toPlainText().section('\n', 0, 0),
                  "modifiche");
            auto *cmdApplica = finestra->findChild<QPushButton *>(QStringLiteral("cmdApplica"));
            QCOMPARE(cmdApplica->isEnabled(), applicato);
            if (applicato)
                QTest::mouseClick(cmdApplica, Qt::LeftButton);
        });
        QTEST(f->platform.messageTexts().join(QLatin1Char('|')), "messaggi");
        QCOMPARE(impronta(installato), impronta0);
        QCOMPARE(QFile::exists(datiAttoUtente()), applicato);
        f.reset();
        // Started again, the program reads the loaded data.
        auto dopo = FinestraDiProva::conDatiCompleti();
        QCOMPARE(dopo->avvia(), FrmCodiceFiscale::Avvio::Pronto);
        QCOMPARE(dopo->form->percorsoDatiAtto() == datiAttoUtente(), applicato);
    }

    // Loading that cannot go on tells the user which file is at fault; a cancelled choice says nothing.
    void nonCaricato_data()
    {
        colonne<QString, QStringList, QString>("scelta", "dati", "messaggi");
        riga("the choice cancelled", QString(), QStringList(), "");
        riga("a file no longer there", "manca.csv", QStringList(),
             "Il file manca.csv non è stato caricato: non si riesce a leggerlo. Nulla è cambiato.");
        riga("the data in use lacking a table", "comuni_anpr_2024.csv", QStringList{"DROP TABLE ProvinceLuoghi"}, "Il file comuni_anpr_2024.csv "
             "non è stato caricato: i dati in uso DATI non si leggono (no such table: ProvinceLuoghi). Nulla è cambiato.");
    }

    void nonCaricato()
    {
        QFETCH(QString, scelta);
        QFETCH(QStringList, dati);
        FinestraDiProva f(FinestraDiProva::datiDiEsempio(dati));
        QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Pronto);
        f.platform.fileAnswers << (scelta.isEmpty() ? scelta : QStringLiteral(BRANTOVEL_ANPR "/") + scelta);
        f.apriModale(f.ui().AggiornaLuoghi, [](QWidget *finestra) {
            QTest::mouseClick(finestra->findChild<QPushButton *>(QStringLiteral("cmdScegli")), Qt::LeftButton);
            QVERIFY(!finestra->findChild<QPushButton *>(QStringLiteral("cmdApplica"))->isEnabled());
        });
        QTEST(f.platform.messageTexts().join(QLatin1Char('|')).replace(f.percorso(), QStringLiteral("DATI")), "messaggi");
    }
};

QTEST_MAIN(tst_FrmAggiornaLuoghi)
#include "tst_frmaggiornaluoghi.moc"
