// SPDX-License-Identifier: MIT
#include "support/finestradiprova.h"
#include "support/fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace {

const QString MessaggioFileMancante = QStringLiteral(
    "Il database ''DatiAtto'.mdb'' deve essere copiato nella stessa cartella dove viene eseguito il programma:\r"
    "puoi comunque cercarlo ed aprirlo con la finestra che segue!");

QStringList voci(const QComboBox *combo)
{
    QStringList v;
    for (int i = 0; i < combo->count(); ++i)
        v << combo->itemText(i);
    return v;
}

} // namespace

class tst_Avvio : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void avvioRiuscito();
    void listeRiempite();
    void fileMancanteEAnnullato();
    void fileMancanteScelto_data();
    void fileMancanteScelto();
    void erroreImprevisto_data();
    void erroreImprevisto();
};

void tst_Avvio::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty() || !QApplication::activeModalWidget());
}

void tst_Avvio::avvioRiuscito()
{
    FinestraDiProva f;
    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Pronto);
    QCOMPARE(f.platform.messages.size(), 0);
    QCOMPARE(QApplication::focusWidget(), f.ui().txtCognome);
    QCOMPARE(f.ui().cboSesso->currentText(), QStringLiteral("M"));
    QCOMPARE(f.form->percorsoDatiAtto(), f.percorso());
}

// A province in small letters still makes a foreign state; a null province
// is in neither list; two municipalities of the same name give two entries.
void tst_Avvio::listeRiempite()
{
    FinestraDiProva f(FinestraDiProva::datiDiEsempio(
        {QStringLiteral("INSERT INTO Comuni VALUES ('Lagos', 'ee', 'Z999', 'Z999', '')"),
         QStringLiteral("INSERT INTO Comuni VALUES ('Senzaprovincia', NULL, 'X000', 'X000', NULL)"),
         QStringLiteral("INSERT INTO Comuni VALUES ('Roma', 'XX', 'X001', 'X001', '')"),
         QStringLiteral("INSERT INTO Comuni VALUES (NULL, 'ZZ', 'X002', 'X002', '')"),
         QStringLiteral("INSERT INTO CodiciUfficioIva VALUES (NULL)")}));
    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Pronto);
    QCOMPARE(voci(f.ui().CboStatoEstero), QStringList({"Francia", "Germania", "Stati Uniti d'America", "Lagos"}));
    QCOMPARE(voci(f.ui().CboUfficioIva), QStringList({"001 Torino", "058 Roma", "100 Roma", ""}));
    QCOMPARE(voci(f.ui().cboSesso), QStringList({"M", "F"}));
    QCOMPARE(voci(f.ui().cboComune),
             QStringList({"", "Castel San Pietro Terme", "Città di Castello", "Forlì", "Milano", "Reggio nell'Emilia",
                          "Roma", "Roma", "Romano Canavese", "Rovigo", "Sant'Agata de' Goti"}));
}

void tst_Avvio::fileMancanteEAnnullato()
{
    FinestraDiProva f;
    QVERIFY(QFile::remove(f.percorso()));
    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Annullato);
    QCOMPARE(f.platform.messages.size(), 1);
    QCOMPARE(f.platform.messages.at(0).text, MessaggioFileMancante);
    QCOMPARE(f.platform.messages.at(0).style, Platform::Exclamation);
    QCOMPARE(f.platform.messages.at(0).title, QStringLiteral("Brantovel"));
    QCOMPARE(f.platform.fileDialogs, QStringList{QStringLiteral("Cerca DatiAtto.mdb|(*.MDB)|*.mdb")});
    QVERIFY(!f.form->isVisible());
    QVERIFY(!QFile::exists(f.percorso())); // looking for it created nothing
}

void tst_Avvio::fileMancanteScelto_data()
{
    QTest::addColumn<QStringList>("nomiScelti"); // relative to a second folder holding the data
    QTest::addColumn<int>("dialoghi");

    QTest::newRow("case of the name ignored") << QStringList{"datiatto.MDB"} << 1;
    QTest::newRow("Copia di DatiAtto.mdb refused, then the right one")
        << QStringList{"Copia di DatiAtto.mdb", "DatiAtto.mdb"} << 2;
    QTest::newRow("a missing DatiAtto.mdb, then the right one") << QStringList{"vuota/DatiAtto.mdb", "DatiAtto.mdb"} << 2;
}

void tst_Avvio::fileMancanteScelto()
{
    QFETCH(QStringList, nomiScelti);
    QFETCH(int, dialoghi);
    FinestraDiProva f;
    QTemporaryDir altrove;
    const QString scelto = altrove.filePath(nomiScelti.constLast());
    QVERIFY(QFile::rename(f.percorso(), scelto));
    QVERIFY(QFile::copy(scelto, altrove.filePath(QStringLiteral("Copia di DatiAtto.mdb"))));
    for (const QString &nome : nomiScelti)
        f.platform.fileAnswers << altrove.filePath(nome);

    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Pronto);
    QCOMPARE(f.platform.fileDialogs.size(), dialoghi);
    QCOMPARE(f.platform.messageTexts(), QStringList(dialoghi, MessaggioFileMancante));
    QCOMPARE(f.form->percorsoDatiAtto(), scelto);
    QCOMPARE(f.ui().CboStatoEstero->count(), 3);
}

void tst_Avvio::erroreImprevisto_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("descrizione"); // part of SQLite's own description

    const QString comuni = QStringLiteral("CREATE TABLE Comuni (Nome TEXT, PROV TEXT, comcode TEXT, CodiceCatastale TEXT, CAP TEXT)");
    const QString indice = QStringLiteral("CREATE INDEX comune ON Comuni (Nome COLLATE NOCASEU)");
    const QString uffici = QStringLiteral("CREATE TABLE CodiciUfficioIva (ufficioIva TEXT)");
    QTest::newRow("empty file") << QStringList() << "no such table: Comuni";
    QTest::newRow("no field PROV")
        << QStringList{QStringLiteral("CREATE TABLE Comuni (Nome TEXT, comcode TEXT)"),
                       QStringLiteral("CREATE INDEX comune ON Comuni (Nome COLLATE NOCASEU)"), uffici}
        << "no such column: PROV";
    QTest::newRow("no index comune") << QStringList{comuni, uffici} << "no such index: comune";
    QTest::newRow("no table CodiciUfficioIva") << QStringList{comuni, indice} << "no such table: CodiciUfficioIva";
}

void tst_Avvio::erroreImprevisto()
{
    QFETCH(QStringList, statements);
    QFETCH(QString, descrizione);
    FinestraDiProva f(statements);
    const QByteArray prima = impronta(f.percorso());
    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Errore);
    QCOMPARE(f.platform.messages.size(), 1);
    const RecordingPlatform::Message &m = f.platform.messages.at(0);
    QVERIFY2(m.text.startsWith(QStringLiteral("Errore imprevisto: 1 ")), qPrintable(m.text));
    QVERIFY2(m.text.contains(descrizione), qPrintable(m.text));
    QCOMPARE(m.style, Platform::NoIcon);
    QCOMPARE(m.title, QStringLiteral("Brantovel"));
    QVERIFY(!f.form->isVisible());
    QCOMPARE(impronta(f.percorso()), prima);
}

QTEST_MAIN(tst_Avvio)
#include "tst_avvio.moc"
