// SPDX-License-Identifier: MIT
#include "app/applicazione.h"
#include "app/desktopplatform.h"
#include "support/tabella.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

QStringList testi(const QList<QAbstractButton *> &pulsanti)
{
    QStringList t;
    for (const QAbstractButton *p : pulsanti)
        t << p->text();
    return t;
}

} // namespace

// The real dialogs, each closed from a timer as soon as it is open, after
// the test has looked at it.
class tst_DesktopPlatform : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void messaggio_data();
    void messaggio();
    void richiestaDiTesto_data();
    void richiestaDiTesto();
    void sceltaDelFile();
    void appunti();
    void menuDelTestoInItaliano();

private:
    // Runs `action` on the modal widget once it is shown.
    void quandoAperto(std::function<void(QWidget *)> action);
    DesktopPlatform m_platform;
    QTemporaryDir m_impostazioni;
};

// As the program starts; a settings file written by the toolkit would land
// in m_impostazioni.
void tst_DesktopPlatform::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_impostazioni.path()));
    preparaApplicazione(*qApp);
}

void tst_DesktopPlatform::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_DesktopPlatform::quandoAperto(std::function<void(QWidget *)> action)
{
    auto *timer = new QTimer(this);
    timer->setInterval(0);
    connect(timer, &QTimer::timeout, this, [timer, action] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

void tst_DesktopPlatform::messaggio_data()
{
    colonne<int, QString, int, QString>("stile", "titolo", "icona", "titoloMostrato");
    riga("exclamation, default title", 48, "", int(QMessageBox::Warning), "Brantovel");
    riga("information, own title", 64, "Brantovel by Ozmir", int(QMessageBox::Information), "Brantovel by Ozmir");
    riga("no icon", 0, "Brantovel", int(QMessageBox::NoIcon), "Brantovel");
}

void tst_DesktopPlatform::messaggio()
{
    QFETCH(int, stile);
    QFETCH(QString, titolo);
    QString testo, titoloVisto;
    int iconaVista = -1, pulsanti = 0;
    quandoAperto([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        QVERIFY(box);
        testo = box->text();
        titoloVisto = box->windowTitle();
        iconaVista = box->icon();
        pulsanti = box->buttons().size();
        box->button(QMessageBox::Ok)->click();
    });
    m_platform.msgBox(nullptr, QStringLiteral("prima riga:\rseconda riga"), Platform::Style(stile), titolo);
    QCOMPARE(testo, QStringLiteral("prima riga:\nseconda riga")); // the bare carriage return breaks the line
    QTEST(titoloVisto, "titoloMostrato");
    QTEST(iconaVista, "icona");
    QCOMPARE(pulsanti, 1);
}

void tst_DesktopPlatform::richiestaDiTesto_data()
{
    colonne<bool, QString>("conferma", "atteso");
    riga("OK gives the text", true, "Rom");
    riga("cancel gives an empty text", false, "");
}

void tst_DesktopPlatform::richiestaDiTesto()
{
    QFETCH(bool, conferma);
    QString titolo;
    QStringList pulsanti;
    quandoAperto([&](QWidget *w) {
        auto *dialog = qobject_cast<QInputDialog *>(w);
        QVERIFY(dialog);
        titolo = dialog->windowTitle();
        pulsanti = testi(dialog->findChild<QDialogButtonBox *>()->buttons());
        QCOMPARE(dialog->labelText(), QStringLiteral("Scrivi"));
        dialog->findChild<QLineEdit *>()->setText(QStringLiteral("Rom"));
        conferma ? dialog->accept() : dialog->reject();
    });
    QTEST(m_platform.inputBox(nullptr, QStringLiteral("Scrivi"), QStringLiteral("Ricerca COMUNE")), "atteso");
    QCOMPARE(titolo, QStringLiteral("Ricerca COMUNE"));
    QCOMPARE(pulsanti, QStringList({"OK", "Annulla"}));
}

// The dialog starts in the working folder, lists a database named in any
// case, and leaves no settings of its own behind.
void tst_DesktopPlatform::sceltaDelFile()
{
    QTemporaryDir cartella;
    const QString database = cartella.filePath(QStringLiteral("DATIATTO.MDB"));
    QVERIFY(QFile(database).open(QIODevice::WriteOnly));
    QVERIFY(QDir::setCurrent(cartella.path()));
    QString titolo, filtro;
    QStringList pulsanti;
    bool elencato = false;
    quandoAperto([&](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        QVERIFY(dialog);
        titolo = dialog->windowTitle();
        filtro = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))->currentText();
        pulsanti = testi(dialog->findChild<QDialogButtonBox *>()->buttons());
        const QFileSystemModel *modello = dialog->findChild<QFileSystemModel *>();
        elencato = QTest::qWaitFor([&] { return modello->flags(modello->index(database)) & Qt::ItemIsEnabled; });
        dialog->reject();
    });
    QCOMPARE(m_platform.openFileName(nullptr, QStringLiteral("Cerca DatiAtto.mdb"), QStringLiteral("(*.MDB)|*.mdb")),
             QString());
    QCOMPARE(QDir(m_impostazioni.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    QCOMPARE(titolo, QStringLiteral("Cerca DatiAtto.mdb"));
    QCOMPARE(filtro, QStringLiteral("(*.MDB)"));
    QVERIFY(elencato);
    QCOMPARE(pulsanti, QStringList({"&Apri", "Annulla"}));
}

void tst_DesktopPlatform::appunti()
{
    m_platform.setClipboardText(QStringLiteral("RSS MRA 80A01 H501U"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("RSS MRA 80A01 H501U"));
    m_platform.clearClipboard();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
}

void tst_DesktopPlatform::menuDelTestoInItaliano()
{
    QLineEdit box;
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList voci;
    for (const QAction *a : menu->actions())
        if (!a->isSeparator())
            voci << a->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    QCOMPARE(voci, QStringList({"Annulla", "Rifai", "Taglia", "Copia", "Incolla", "Elimina", "Seleziona tutto"}));
}

QTEST_MAIN(tst_DesktopPlatform)
#include "tst_desktopplatform.moc"
