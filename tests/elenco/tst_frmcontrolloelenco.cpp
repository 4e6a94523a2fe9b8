// SPDX-License-Identifier: MIT
#include "support/finestradiprova.h"
#include "support/tabella.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <csignal>
#include <sys/resource.h>

namespace {

const QByteArray Elenco = "Cognome;Nome;Sesso;Nato il;Luogo di nascita;C.F.;P.IVA\n"
                          "Rossi;Mario;M;01/01/1980;Roma;RSSMRA80A01H501U;12345670017\n"
                          "Rossi;Mario;M;01/01/1980;Roma;RSSMRA80A01H501X;\n"
                          "Verdi;Anna;F;15/03/1985;Milano;;1234560017\n";

template <typename T> T *controllo(const char *nome)
{
    QWidget *f = FinestraDiProva::finestraAperta(QStringLiteral("frmControlloElenco"));
    return f ? f->findChild<T *>(QLatin1String(nome)) : nullptr;
}

void clic(const char *pulsante)
{
    QTest::mouseClick(controllo<QPushButton>(pulsante), Qt::LeftButton);
}

} // namespace

class tst_FrmControlloElenco : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void controllaEdEsamina();
    void annullaTieneIlFatto();
    void guasti_data();
    void guasti();
    void salvataggioNonRiuscito_data();
    void salvataggioNonRiuscito();
    void cleanup();

private:
    std::unique_ptr<FinestraDiProva> m_prova;
    QString scrivi(const QString &nome, const QByteArray &byte);
    void apriDalMenu(const QString &elenco);
};

void tst_FrmControlloElenco::initTestCase()
{
    m_prova = FinestraDiProva::conDatiCompleti();
    QCOMPARE(m_prova->avvia(), FrmCodiceFiscale::Avvio::Pronto);
}

QString tst_FrmControlloElenco::scrivi(const QString &nome, const QByteArray &byte)
{
    QFile f(m_prova->cartella() + u'/' + nome);
    if (!f.open(QIODevice::WriteOnly) || f.write(byte) != byte.size())
        qFatal("cannot write %s", qPrintable(f.fileName()));
    return f.fileName();
}

// The menu entry opens the window; the file dialog gives the list.
void tst_FrmControlloElenco::apriDalMenu(const QString &elenco)
{
    m_prova->scegliDalMenu(m_prova->ui().ControllaElenco);
    QTRY_VERIFY(controllo<QPushButton>("cmdScegli"));
    m_prova->platform.fileAnswers = {elenco};
    clic("cmdScegli");
}

void tst_FrmControlloElenco::controllaEdEsamina()
{
    apriDalMenu(scrivi(QStringLiteral("clienti.csv"), Elenco));
    QCOMPARE(controllo<QComboBox>("cboColonna0")->currentText(), QStringLiteral("C.F."));
    QCOMPARE(controllo<QComboBox>("cboColonna5")->currentText(), QStringLiteral("Nato il"));
    // The user takes the VAT column out of the check.
    QComboBox *piva = controllo<QComboBox>("cboColonna1");
    piva->setFocus();
    QTest::keyClick(piva, Qt::Key_Home);
    QCOMPARE(piva->currentText(), QStringLiteral("(nessuna)"));

    clic("cmdControlla");
    QTRY_VERIFY(controllo<QPushButton>("cmdControlla")->isEnabled());
    QTableView *tabella = controllo<QTableView>("tblRisultati");
    QCOMPARE(tabella->model()->rowCount(), 3);
    QVERIFY(!tabella->model()->headerData(tabella->model()->columnCount() - 1, Qt::Horizontal).toString().contains(
        QLatin1String("IVA")));
    QCOMPARE(controllo<QLabel>("lblRiepilogo")->text(),
             QStringLiteral("Valide: 1. Non valide: 1. Con avvisi: 0. Completate: 1."));
    QCOMPARE(controllo<QLabel>("lblAvanzamento")->text().section(u' ', 0, 2), QStringLiteral("3 righe controllate,"));

    QCheckBox *solo = controllo<QCheckBox>("chkSoloProblemi");
    solo->setFocus();
    QTest::keyClick(solo, Qt::Key_Space);
    QCOMPARE(tabella->model()->rowCount(), 1);

    // Enter on the row with a problem asks for its code in the verify window.
    QSignalSpy verifica(controllo<QWidget>("tblRisultati")->window(), SIGNAL(codiceDaVerificare(QString)));
    tabella->setFocus();
    tabella->setCurrentIndex(tabella->model()->index(0, 0));
    QTest::keyClick(tabella, Qt::Key_Return);
    QCOMPARE(verifica.count(), 1);
    QTRY_VERIFY(FinestraDiProva::finestraAperta(QStringLiteral("frmVerificaCodice")));
    QCOMPARE(FinestraDiProva::finestraAperta(QStringLiteral("frmVerificaCodice"))
                 ->findChild<QLineEdit *>(QStringLiteral("txtCodice"))->text(),
             QStringLiteral("RSSMRA80A01H501X"));

    // What the table shows is saved.
    const QString risultati = m_prova->cartella() + QStringLiteral("/risultati.csv");
    m_prova->platform.fileAnswers = {risultati};
    clic("cmdSalva");
    QCOMPARE(m_prova->platform.proposedFiles, QStringList{m_prova->cartella() + QStringLiteral("/clienti-risultati.csv")});
    QFile f(risultati);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> righe = f.readAll().split('\n');
    QCOMPARE(righe.size(), 3);
    QVERIFY(righe.at(1).startsWith("Rossi;Mario;M;01/01/1980;Roma;RSSMRA80A01H501X;;non valida;Codice non valido"));

    // Saved as a sheet, the results are a list that can be checked again.
    m_prova->platform.fileAnswers = {m_prova->cartella() + QStringLiteral("/risultati.xlsx")};
    clic("cmdSalva");
    apriDalMenu(m_prova->cartella() + QStringLiteral("/risultati.xlsx"));
    clic("cmdControlla");
    QTRY_VERIFY(controllo<QPushButton>("cmdControlla")->isEnabled());
    QCOMPARE(controllo<QLabel>("lblRiepilogo")->text(),
             QStringLiteral("Valide: 0. Non valide: 1. Con avvisi: 0. Completate: 0."));
}

// A long list stopped halfway: the rows checked stay, with their summary.
void tst_FrmControlloElenco::annullaTieneIlFatto()
{
    QByteArray lungo = Elenco;
    for (int i = 0; i < 200000; ++i)
        lungo += "Rossi;Mario;M;01/01/1980;Roma;RSSMRA80A01H501U;12345670017\n";
    apriDalMenu(scrivi(QStringLiteral("lungo.csv"), lungo));
    // The window lives on with the main window, its filter as the user left it.
    QCheckBox *solo = controllo<QCheckBox>("chkSoloProblemi");
    if (solo->isChecked()) {
        solo->setFocus();
        QTest::keyClick(solo, Qt::Key_Space);
    }
    clic("cmdControlla");
    QVERIFY(controllo<QPushButton>("cmdAnnulla")->isEnabled());
    controllo<QPushButton>("cmdAnnulla")->setFocus();
    QTest::keyClick(controllo<QPushButton>("cmdAnnulla"), Qt::Key_Space);
    QTRY_VERIFY(controllo<QPushButton>("cmdControlla")->isEnabled());
    // The focus leaves the button gone grey for the rows checked.
    QCOMPARE(controllo<QTableView>("tblRisultati")->window()->focusWidget(), controllo<QTableView>("tblRisultati"));
    const int fatte = controllo<QTableView>("tblRisultati")->model()->rowCount();
    QVERIFY2(fatte < 200003, qPrintable(QString::number(fatte)));
    QVERIFY2(controllo<QLabel>("lblAvanzamento")->text().startsWith(QStringLiteral("%1 righe controllate").arg(fatte)),
             qPrintable(controllo<QLabel>("lblAvanzamento")->text()));
    QVERIFY(controllo<QLabel>("lblAvanzamento")->text().endsWith(QStringLiteral("(controllo annullato)")));
}

// The user is told why a list cannot be checked; the window stays usable.
void tst_FrmControlloElenco::guasti_data()
{
    colonne<QByteArray, bool, QString>("byte", "sparito", "messaggio");
    riga("empty list", QByteArray(), false, "Impossibile aprire l'elenco: l'elenco %1 è vuoto.");
    riga("no column to check", QByteArray("a;b\n1;2\n"), false, "Scegliere almeno una colonna da controllare.");
    riga("list gone before the check", Elenco, true, "Il controllo si è interrotto: impossibile leggere %1: ");
}

void tst_FrmControlloElenco::guasti()
{
    QFETCH(QByteArray, byte);
    QFETCH(QString, messaggio);
    const QString elenco = scrivi(QStringLiteral("guasto.csv"), byte);
    m_prova->platform.messages.clear();
    apriDalMenu(elenco);
    if (QFETCH(bool, sparito); sparito)
        QVERIFY(QFile::remove(elenco));
    if (m_prova->platform.messages.isEmpty())
        clic("cmdControlla");
    QTRY_VERIFY(controllo<QPushButton>("cmdControlla")->isEnabled());
    const QStringList messaggi = m_prova->platform.messageTexts();
    QCOMPARE(messaggi.size(), 1);
    QVERIFY2(messaggi.first().startsWith(messaggio.replace(QLatin1String("%1"), elenco)), qPrintable(messaggi.first()));
}

// A save that cannot be done says why, leaves no file behind and keeps the results, the warning still yellow.
// No temporary file can be made in /dev/null; a full disk is a limit on the size of files.
void tst_FrmControlloElenco::salvataggioNonRiuscito_data()
{
    colonne<QString, QString, bool, QString>("nome", "temporanei", "pieno", "messaggio");
    riga("dialog cancelled", "", "", false, QString());
    riga("over the list itself", "clienti.csv", "", false, "I risultati non possono sostituire l'elenco controllato.");
    riga("folder that does not exist", "manca/r.csv", "", false, "Impossibile salvare i risultati: impossibile scrivere");
    riga("sheet, no temporary files", "r.xlsx", "/dev/null", false, "Impossibile salvare i risultati: impossibile creare");
    riga("text table on a full disk", "r.csv", "", true, "Impossibile salvare i risultati: impossibile completare");
    riga("sheet on a full disk", "r.xlsx", "", true, "Impossibile salvare i risultati: scrittura del foglio .xlsx");
}

void tst_FrmControlloElenco::salvataggioNonRiuscito()
{
    QFETCH(QString, nome);
    QFETCH(QString, temporanei);
    QFETCH(bool, pieno);
    QFETCH(QString, messaggio);
    const QString elenco = scrivi(QStringLiteral("clienti.csv"), Elenco);
    apriDalMenu(elenco);
    clic("cmdControlla");
    QTRY_VERIFY(controllo<QPushButton>("cmdControlla")->isEnabled());
    m_prova->platform.fileAnswers = {nome.isEmpty() ? QString() : m_prova->cartella() + u'/' + nome};
    m_prova->platform.messages.clear();
    rlimit prima{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &prima), 0);
    const rlimit limite = {pieno ? 0 : prima.rlim_cur, prima.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    qputenv("TMPDIR", temporanei.toUtf8());
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limite), 0);
    clic("cmdSalva");
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &prima), 0);
    qunsetenv("TMPDIR");
    const QStringList messaggi = m_prova->platform.messageTexts();
    QCOMPARE(messaggi.size(), int(!messaggio.isEmpty()));
    QVERIFY2(messaggi.join(QString()).startsWith(messaggio), qPrintable(messaggi.join(QString())));
    QCOMPARE(QDir(m_prova->cartella()).entryList({QStringLiteral("r.*")}, QDir::Files), QStringList());
    QCOMPARE(QFileInfo(elenco).size(), Elenco.size());
    QCOMPARE(controllo<QLabel>("lblRiepilogo")->text(),
             QStringLiteral("Valide: 1. Non valide: 1. Con avvisi: 1. Completate: 0."));
    const QAbstractItemModel *righe = controllo<QTableView>("tblRisultati")->model();
    QCOMPARE(righe->index(righe->rowCount() - 1, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 244, 196));
}

void tst_FrmControlloElenco::cleanup()
{
    if (QWidget *v = FinestraDiProva::finestraAperta(QStringLiteral("frmVerificaCodice")))
        v->close();
    if (QWidget *f = FinestraDiProva::finestraAperta(QStringLiteral("frmControlloElenco")))
        f->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QTEST_MAIN(tst_FrmControlloElenco)
#include "tst_frmcontrolloelenco.moc"
