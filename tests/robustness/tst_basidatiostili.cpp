// SPDX-License-Identifier: MIT
// Start-up on damaged, odd or locked database files. Each case ends with the
// program's own message and a clean end, or with a working window; never a
// crash or a hang; and the file is left byte for byte as it was.
#include "app/formevents.h"
#include "support/finestradiprova.h"
#include "support/fixture.h"
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

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

enum class Danno { ByteCasuali, MetaFile };

// Replaces the database at `percorso` with a damaged copy of itself.
bool danneggia(const QString &percorso, Danno danno)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    switch (danno) {
    case Danno::ByteCasuali: {
        QByteArray caso(64 * 1024, Qt::Uninitialized);
        QRandomGenerator generatore(20240601);
        generatore.fillRange(reinterpret_cast<quint32 *>(caso.data()), caso.size() / 4);
        return file.resize(0) && file.write(caso) == caso.size();
    }
    case Danno::MetaFile:
        return file.resize(file.size() / 2);
    }
    return false;
}

// Another connection to the same file, writable, that holds a lock on it
// until it is destroyed; the program's connection waits one second at most.
class Blocco
{
public:
    Blocco(const QString &percorso, const QStringList &istruzioni)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Nome);
        db.setDatabaseName(percorso);
        m_ok = db.open();
        for (const QString &s : istruzioni) {
            QSqlQuery q(db);
            m_ok = m_ok && q.exec(s);
        }
    }
    ~Blocco()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(Nome, false);
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            db.close();
        }
        QSqlDatabase::removeDatabase(Nome);
    }
    bool ok() const { return m_ok; }

private:
    static inline const QString Nome = QStringLiteral("blocco");
    bool m_ok = false;
};

} // namespace

Q_DECLARE_METATYPE(Danno)

class tst_BaseDatiOstili : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void fileDanneggiato_data();
    void fileDanneggiato();
    void nonUnFile_data();
    void nonUnFile();
    void fileBloccato_data();
    void fileBloccato();
    void bloccatoDopoLAvvio();

private:
    // Types `testo` into the empty municipality box and leaves it with Tab.
    static void digitaComune(FinestraDiProva &f, const QString &testo);
};

void tst_BaseDatiOstili::digitaComune(FinestraDiProva &f, const QString &testo)
{
    f.form->events().setFocus(f.ui().cboComune);
    digita(f.ui().cboComune, testo);
    QTest::keyClick(f.ui().cboComune, Qt::Key_Tab);
}

void tst_BaseDatiOstili::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty() || !QApplication::activeModalWidget());
}

void tst_BaseDatiOstili::fileDanneggiato_data()
{
    QTest::addColumn<Danno>("danno");
    QTest::addColumn<QString>("errore"); // SQLite's code and description

    QTest::newRow("random bytes") << Danno::ByteCasuali << "26 file is not a database";
    QTest::newRow("truncated to half") << Danno::MetaFile << "11 database disk image is malformed";
}

void tst_BaseDatiOstili::fileDanneggiato()
{
    QFETCH(Danno, danno);
    QFETCH(QString, errore);
    const auto f = FinestraDiProva::conDatiCompleti();
    QVERIFY(danneggia(f->percorso(), danno));
    const QByteArray prima = impronta(f->percorso());

    QCOMPARE(f->avvia(), FrmCodiceFiscale::Avvio::Errore);
    QCOMPARE(f->platform.messageTexts(), QStringList{QStringLiteral("Errore imprevisto: ") + errore});
    QCOMPARE(impronta(f->percorso()), prima);
}

// Something that is not a regular file under the database's name is as good
// as no file: the program asks where the database is, and cancelling ends it.
void tst_BaseDatiOstili::nonUnFile_data()
{
    QTest::addColumn<bool>("fifo");
    QTest::newRow("a folder named DatiAtto.mdb") << false;
#ifdef Q_OS_UNIX
    // Reading a pipe nobody writes to would wait for ever.
    QTest::newRow("a named pipe named DatiAtto.mdb") << true;
#endif
}

void tst_BaseDatiOstili::nonUnFile()
{
    QFETCH(bool, fifo);
    FinestraDiProva f;
    QVERIFY(QFile::remove(f.percorso()));
#ifdef Q_OS_UNIX
    if (fifo)
        QCOMPARE(mkfifo(QFile::encodeName(f.percorso()).constData(), 0600), 0);
#endif
    if (!fifo)
        QVERIFY(QDir(f.cartella()).mkdir(QStringLiteral("DatiAtto.mdb")));

    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Annullato);
    QCOMPARE(f.platform.fileDialogs.size(), 1);
    const QFileInfo rimasto(f.percorso());
    QVERIFY(rimasto.exists() && !rimasto.isFile());
}

void tst_BaseDatiOstili::fileBloccato_data()
{
    QTest::addColumn<QStringList>("istruzioni"); // run by the other connection, left open
    QTest::addColumn<QStringList>("messaggi");

    QTest::newRow("exclusive lock: the program reports it and ends")
        << QStringList{QStringLiteral("BEGIN EXCLUSIVE")}
        << QStringList{QStringLiteral("Errore imprevisto: 5 database is locked")};
    QTest::newRow("a writer not yet committed: the program reads the committed data")
        << QStringList{QStringLiteral("BEGIN IMMEDIATE"), QStringLiteral("DELETE FROM Comuni")} << QStringList();
}

void tst_BaseDatiOstili::fileBloccato()
{
    QFETCH(QStringList, istruzioni);
    QFETCH(QStringList, messaggi);
    FinestraDiProva f;
    const QByteArray prima = impronta(f.percorso());
    {
        Blocco blocco(f.percorso(), istruzioni);
        QVERIFY(blocco.ok());
        const FrmCodiceFiscale::Avvio esito = f.avvia();
        QCOMPARE(f.platform.messageTexts(), messaggi);
        QCOMPARE(esito, messaggi.isEmpty() ? FrmCodiceFiscale::Avvio::Pronto : FrmCodiceFiscale::Avvio::Errore);
        if (esito == FrmCodiceFiscale::Avvio::Pronto)
            QCOMPARE(f.ui().cboComune->count(), 9);
    }
    f.form->close();
    QCOMPARE(impronta(f.percorso()), prima);
}

// A lock taken while the program runs makes each lookup wait its second and
// fail: a key release reports the engine's error, the leave check finds
// nothing; once the lock is gone, typing works again.
void tst_BaseDatiOstili::bloccatoDopoLAvvio()
{
    FinestraDiProva f;
    const QByteArray prima = impronta(f.percorso());
    QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Pronto);
    {
        Blocco blocco(f.percorso(), {QStringLiteral("BEGIN EXCLUSIVE")});
        QVERIFY(blocco.ok());
        digitaComune(f, QStringLiteral("r"));
        QCOMPARE(f.platform.messageTexts(),
                 QStringList({QStringLiteral("Errore n. 5 database is locked"),
                              QStringLiteral("Comune inesistente (se all'estero scegli direttamente lo Stato)")}));
        QCOMPARE(QApplication::focusWidget(), f.ui().cboComune);
    }
    f.platform.messages.clear();
    f.ui().cboComune->lineEdit()->selectAll();
    digita(f.ui().cboComune, QStringLiteral("rov"));
    QTest::keyClick(f.ui().cboComune, Qt::Key_Tab);
    QCOMPARE(f.ui().Text3->text(), QStringLiteral("H620"));
    QCOMPARE(f.platform.messages.size(), 0);
    f.form->close();
    QCOMPARE(impronta(f.percorso()), prima);
}

QTEST_MAIN(tst_BaseDatiOstili)
#include "tst_basidatiostili.moc"
