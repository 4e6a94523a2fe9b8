// SPDX-License-Identifier: MIT
// Start-up on the database beside the program, on one the user finds, and on
// one that cannot be read: a failed start-up ends with the program's own
// message, never a crash or a hang, and leaves the file as it was.
#include "app/formevents.h"
#include "support/finestradiprova.h"
#include "support/fixture.h"
#include "support/tabella.h"
#include "support/tastiera.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <optional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

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

// What becomes of the database file before start-up.
enum Guasto { Intatto, ByteCasuali, Dimezzato, Bloccato };

// Another program's connection, writing, that holds the whole file until it
// ends; the program's own connection waits one second at most.
struct AltroProgramma
{
    explicit AltroProgramma(const QString &percorso)
    {
        db.setDatabaseName(percorso);
        bloccato = db.open() && QSqlQuery(db).exec(QStringLiteral("BEGIN EXCLUSIVE"));
    }
    ~AltroProgramma()
    {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("altro"));
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("altro"));
    bool bloccato = false;
};

} // namespace

class tst_Avvio : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void avvioRiuscito();
    void fileMancanteEAnnullato_data();
    void fileMancanteEAnnullato();
    void fileMancanteScelto_data();
    void fileMancanteScelto();
    void erroreImprevisto_data();
    void erroreImprevisto();
    void bloccatoDopoLAvvio();
};

void tst_Avvio::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty() || !QApplication::activeModalWidget());
}

// A province in small letters still makes a foreign state; a null province
// is in neither list; two municipalities of the same name give two entries.
void tst_Avvio::avvioRiuscito()
{
    FinestraDiProva f(FinestraDiProva::datiDiEsempio(
        {QStringLiteral("INSERT INTO Comuni VALUES ('Lagos', 'ee', 'Z999', 'Z999', '')"),
         QStringLiteral("INSERT INTO Comuni VALUES ('Senzaprovincia', NULL, 'X000', 'X000', NULL)"),
         QStringLiteral("INSERT INTO Comuni VALUES ('Roma', 'XX', 'X001', 'X001', '')"),
         QStringLiteral("INSERT INTO Comuni VALUES (NULL, 'ZZ', 'X002', 'X002', '')"),
         QStringLiteral("INSERT INTO CodiciUfficioIva VALUES (NULL)")}));
    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Pronto);
    QCOMPARE(f.platform.messages.size(), 0);
    QCOMPARE(QApplication::focusWidget(), f.ui().txtCognome);
    QCOMPARE(f.ui().cboSesso->currentText(), QStringLiteral("M"));
    QCOMPARE(voci(f.ui().CboStatoEstero), QStringList({"Francia", "Germania", "Stati Uniti d'America", "Lagos"}));
    QCOMPARE(voci(f.ui().CboUfficioIva), QStringList({"001 Torino", "058 Roma", "100 Roma", ""}));
    QCOMPARE(voci(f.ui().cboSesso), QStringList({"M", "F"}));
    QCOMPARE(voci(f.ui().cboComune),
             QStringList({"", "Castel San Pietro Terme", "Città di Castello", "Forlì", "Milano", "Reggio nell'Emilia",
                          "Roma", "Roma", "Romano Canavese", "Rovigo", "Sant'Agata de' Goti"}));
}

// Something that is not a regular file under the database's name is as good
// as none; a pipe nobody writes to would make a reader wait for ever.
void tst_Avvio::fileMancanteEAnnullato_data()
{
    colonne<QString>("alPosto");
    riga("no file", "");
    riga("a folder named DatiAtto.mdb", "cartella");
#ifdef Q_OS_UNIX
    riga("a named pipe named DatiAtto.mdb", "fifo");
#endif
}

void tst_Avvio::fileMancanteEAnnullato()
{
    QFETCH(QString, alPosto);
    FinestraDiProva f;
    QVERIFY(QFile::remove(f.percorso()));
    if (alPosto == u"cartella")
        QVERIFY(QDir(f.cartella()).mkdir(QStringLiteral("DatiAtto.mdb")));
#ifdef Q_OS_UNIX
    if (alPosto == u"fifo")
        QCOMPARE(mkfifo(QFile::encodeName(f.percorso()).constData(), 0600), 0);
#endif
    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Annullato);
    QCOMPARE(f.platform.messageTexts(), QStringList{MessaggioFileMancante});
    QCOMPARE(f.platform.messages.at(0).style, Platform::Exclamation);
    QCOMPARE(f.platform.fileDialogs, QStringList{QStringLiteral("Cerca DatiAtto.mdb|(*.MDB)|*.mdb")});
    QVERIFY(!f.form->isVisible());
    QCOMPARE(QFileInfo::exists(f.percorso()), !alPosto.isEmpty()); // looking for it created nothing
}

void tst_Avvio::fileMancanteScelto_data()
{
    colonne<QStringList>("nomiScelti"); // in a second folder holding the data
    riga("case of the name ignored", QStringList{"datiatto.MDB"});
    riga("Copia di DatiAtto.mdb refused, then the right one", QStringList{"Copia di DatiAtto.mdb", "DatiAtto.mdb"});
    riga("a missing DatiAtto.mdb, then the right one", QStringList{"vuota/DatiAtto.mdb", "DatiAtto.mdb"});
}

void tst_Avvio::fileMancanteScelto()
{
    QFETCH(QStringList, nomiScelti);
    FinestraDiProva f;
    QTemporaryDir altrove;
    const QString scelto = altrove.filePath(nomiScelti.constLast());
    QVERIFY(QFile::rename(f.percorso(), scelto));
    QVERIFY(QFile::copy(scelto, altrove.filePath(QStringLiteral("Copia di DatiAtto.mdb"))));
    for (const QString &nome : nomiScelti)
        f.platform.fileAnswers << altrove.filePath(nome);

    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Pronto);
    QCOMPARE(f.platform.messageTexts(), QStringList(nomiScelti.size(), MessaggioFileMancante));
    QCOMPARE(f.form->percorsoDatiAtto(), scelto);
    QCOMPARE(f.ui().CboStatoEstero->count(), 3);
}

void tst_Avvio::erroreImprevisto_data()
{
    colonne<QStringList, int, QString>("statements", "guasto", "errore"); // SQLite's code and description
    const QString comuni = QStringLiteral("CREATE TABLE Comuni (Nome TEXT, PROV TEXT, comcode TEXT, CodiceCatastale TEXT, CAP TEXT)");
    const QString indice = QStringLiteral("CREATE INDEX comune ON Comuni (Nome COLLATE NOCASEU)");
    const QString uffici = QStringLiteral("CREATE TABLE CodiciUfficioIva (ufficioIva TEXT)");
    riga("empty file", QStringList(), int(Intatto), "1 no such table: Comuni");
    riga("no field PROV", QStringList{"CREATE TABLE Comuni (Nome TEXT, comcode TEXT)", indice, uffici}, int(Intatto),
         "1 no such column: PROV");
    riga("no index comune", QStringList{comuni, uffici}, int(Intatto), "1 no such index: comune");
    riga("no table CodiciUfficioIva", QStringList{comuni, indice}, int(Intatto), "1 no such table: CodiciUfficioIva");
    riga("random bytes", FinestraDiProva::datiDiEsempio(), int(ByteCasuali), "26 file is not a database");
    riga("truncated to half", FinestraDiProva::datiDiEsempio(), int(Dimezzato), "11 database disk image is malformed");
    riga("locked by another program", FinestraDiProva::datiDiEsempio(), int(Bloccato), "5 database is locked");
}

void tst_Avvio::erroreImprevisto()
{
    QFETCH(QStringList, statements);
    QFETCH(int, guasto);
    QFETCH(QString, errore);
    FinestraDiProva f(statements);
    QFile file(f.percorso());
    QVERIFY(file.open(QIODevice::ReadWrite));
    if (guasto == ByteCasuali) {
        QByteArray caso(64 * 1024, Qt::Uninitialized);
        QRandomGenerator(20240601).fillRange(reinterpret_cast<quint32 *>(caso.data()), caso.size() / 4);
        QVERIFY(file.resize(0) && file.write(caso) == caso.size());
    } else if (guasto == Dimezzato) {
        QVERIFY(file.resize(file.size() / 2));
    }
    file.close();
    const QByteArray prima = impronta(f.percorso());
    std::optional<AltroProgramma> altro;
    if (guasto == Bloccato)
        QVERIFY(altro.emplace(f.percorso()).bloccato);
    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Errore);
    altro.reset();
    QCOMPARE(f.platform.messages.size(), 1);
    const RecordingPlatform::Message &m = f.platform.messages.at(0);
    QVERIFY2(m.text.startsWith(QStringLiteral("Errore imprevisto: ") + errore), qPrintable(m.text));
    QCOMPARE(m.style, Platform::NoIcon);
    QCOMPARE(m.title, QStringLiteral("Brantovel"));
    QVERIFY(!f.form->isVisible());
    QCOMPARE(impronta(f.percorso()), prima);
}

// Locked after start-up, each lookup fails: the key release reports the
// engine's error, and leaving the box finds no place.
void tst_Avvio::bloccatoDopoLAvvio()
{
    FinestraDiProva f;
    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Pronto);
    AltroProgramma altro(f.percorso());
    QVERIFY(altro.bloccato);
    f.form->events().setFocus(f.ui().cboComune);
    digita(f.ui().cboComune, QStringLiteral("r"));
    QTest::keyClick(f.ui().cboComune, Qt::Key_Tab);
    QCOMPARE(f.platform.messageTexts(),
             QStringList({QStringLiteral("Errore n. 5 database is locked"),
                          QStringLiteral("Comune inesistente (se all'estero scegli direttamente lo Stato)")}));
}

QTEST_MAIN(tst_Avvio)
#include "tst_avvio.moc"
