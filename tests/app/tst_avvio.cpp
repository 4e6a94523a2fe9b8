// SPDX-License-Identifier: MIT
// Start-up: when it cannot go on, the program's own message, never a crash or a hang.
#include "support/finestradiprova.h"
#include "support/tabella.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>

using Avvio = FrmCodiceFiscale::Avvio;

class tst_Avvio : public QObject
{
    Q_OBJECT

private slots:
    void avvioRiuscito();
    void fileMancante_data();
    void fileMancante();
    void erroreImprevisto_data();
    void erroreImprevisto();
};

// A folder in the database's place is as good as none. Every row searches twice,
// each answer a file in a second folder holding the data; none left cancels.
void tst_Avvio::fileMancante_data()
{
    colonne<QStringList, int>("scelti", "esito");
    riga("another name refused, then cancelled", QStringList{"Copia di DatiAtto.mdb"}, int(Avvio::Annullato));
    riga("a missing file, then the name in other letters", QStringList{"vuota/DatiAtto.mdb", "datiatto.MDB"},
         int(Avvio::Pronto));
}

void tst_Avvio::fileMancante()
{
    QFETCH(QStringList, scelti);
    QFETCH(int, esito);
    FinestraDiProva f;
    QTemporaryDir altrove;
    const QString scelto = altrove.filePath(QStringLiteral("datiatto.MDB"));
    QVERIFY(QFile::rename(f.percorso(), scelto) && QDir(f.cartella()).mkdir(QStringLiteral("DatiAtto.mdb")));
    QVERIFY(QFile::copy(scelto, altrove.filePath(QStringLiteral("Copia di DatiAtto.mdb"))));
    for (const QString &nome : scelti)
        f.platform.fileAnswers << altrove.filePath(nome);
    QCOMPARE(int(f.avvia()), esito);
    QCOMPARE(f.platform.messageTexts().count(QStringLiteral(
                 "Il database ''DatiAtto'.mdb'' deve essere copiato nella stessa cartella dove viene eseguito il "
                 "programma:\rpuoi comunque cercarlo ed aprirlo con la finestra che segue!")),
             2);
    QCOMPARE(f.platform.messages.constLast().style, Platform::Exclamation);
    QCOMPARE(f.form->percorsoDatiAtto(), esito == int(Avvio::Pronto) ? scelto : QString());
}

void tst_Avvio::erroreImprevisto_data()
{
    colonne<QStringList, QString>("dati", "errore"); // SQLite's code and description
    const auto esempio = &FinestraDiProva::datiDiEsempio;
    riga("empty file", QStringList(), "1 no such table: Comuni");
    riga("no table CodiciUfficioIva", esempio({"DROP TABLE CodiciUfficioIva"}), "1 no such table: CodiciUfficioIva");
    riga("index comune heeds case", esempio({"DROP INDEX comune", "CREATE INDEX comune ON Comuni (Nome)"}),
         "1 L'indice comune non ordina Nome senza distinzione tra maiuscole e minuscole.");
}

void tst_Avvio::erroreImprevisto()
{
    QFETCH(QStringList, dati);
    QFETCH(QString, errore);
    FinestraDiProva f(dati);
    QCOMPARE(f.avvia(), Avvio::Errore);
    QCOMPARE(f.platform.messageTexts(), QStringList{QStringLiteral("Errore imprevisto: ") + errore});
    QCOMPARE(f.platform.messages.constFirst().style, Platform::NoIcon);
}

// A province EE in small letters still makes a foreign state; a null province
// is in neither list; a name twice gives two entries. Locked by another
// program afterwards, each lookup fails: the key release reports the engine's
// error, and leaving the box finds no place.
void tst_Avvio::avvioRiuscito()
{
    FinestraDiProva f(
        FinestraDiProva::datiDiEsempio({"INSERT INTO Comuni VALUES ('Lagos', 'ee', 'Z999', 'Z999', ''), "
                                        "('Senza', NULL, 'X000', 'X000', ''), ('Roma', 'XX', 'X001', 'X001', '')"}));
    QCOMPARE(f.avvia(), Avvio::Pronto);
    QVERIFY(f.ui().txtCognome->hasFocus());
    QCOMPARE(f.ui().cboSesso->currentText(), QStringLiteral("M"));
    QCOMPARE(f.ui().CboStatoEstero->count(), 4);
    QCOMPARE(f.ui().cboComune->count(), 10);

    QSqlDatabase altro = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("altro"));
    altro.setDatabaseName(f.percorso());
    QVERIFY(altro.open() && QSqlQuery(altro).exec(QStringLiteral("BEGIN EXCLUSIVE")));
    f.ui().cboComune->setFocus();
    QTest::keyClick(f.ui().cboComune, 'r');
    QTest::keyClick(f.ui().cboComune, Qt::Key_Tab);
    altro.close();
    QCOMPARE(f.platform.messageTexts(),
             QStringList({"Errore n. 5 database is locked",
                          "Comune inesistente (se all'estero scegli direttamente lo Stato)"}));
}

QTEST_MAIN(tst_Avvio)
#include "tst_avvio.moc"
