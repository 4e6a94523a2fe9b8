// SPDX-License-Identifier: MIT
#include "app/formevents.h"
#include "support/finestradiprova.h"
#include "support/fixture.h"
#include "support/tabella.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QMenuBar>
#include <QSqlDatabase>
#include <QTest>
#include <QTimer>

class tst_FrmCodiceFiscale : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void ordineDiTabulazione();
    void menuDaTastiera_data();
    void menuDaTastiera();
    void unaSessioneNonScriveNelFileEdEsciLoChiude();

private:
    std::unique_ptr<FinestraDiProva> m_f;
};

void tst_FrmCodiceFiscale::init()
{
    m_f = std::make_unique<FinestraDiProva>();
    QCOMPARE(m_f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
}

void tst_FrmCodiceFiscale::cleanup()
{
    m_f.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

// The order the Tab key follows, with the digit boxes and the boxes the
// program writes left out.
void tst_FrmCodiceFiscale::ordineDiTabulazione()
{
    QStringList ordine;
    QWidget *w = m_f->ui().txtCognome;
    do {
        if (w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && m_f->form->isAncestorOf(w) && !w->focusProxy())
            ordine << w->objectName();
        w = w->nextInFocusChain();
    } while (w != m_f->ui().txtCognome);
    QCOMPARE(ordine.join(u' '),
             QStringLiteral("txtCognome txtNome txtDataNascita cboSesso cmdElabora Command1 "
                            "txtCodiceFiscale CboStatoEstero cboComune Text1 Command2 CboUfficioIva"));
}

void tst_FrmCodiceFiscale::menuDaTastiera_data()
{
    colonne<QString, QString>("tasti", "finestra");
    riga("F10, right arrow, Enter: CercaComuni", "F10 Destra Invio", "frmcomuni");
    riga("Alt, Enter: Help", "Alt Invio", "frmHelpCodFisc");
    riga("F10, Esc: nothing", "F10 Esc", "");
}

// The menu bar takes the keys and gives them back without leaving the given
// name, whose leave handler would send the focus to the sex list.
void tst_FrmCodiceFiscale::menuDaTastiera()
{
    QFETCH(QString, tasti);
    QLineEdit *txtNome = m_f->ui().txtNome;
    QTest::mouseClick(txtNome, Qt::LeftButton);
    QString aperta;
    QObject guardia;
    QTimer::singleShot(0, &guardia, [&] {
        if (QWidget *modale = QApplication::activeModalWidget()) {
            aperta = modale->objectName();
            modale->close();
        }
    });
    const QHash<QString, Qt::Key> chiavi = {
        {"F10", Qt::Key_F10}, {"Destra", Qt::Key_Right}, {"Invio", Qt::Key_Return}, {"Esc", Qt::Key_Escape}};
    for (const QString &t : tasti.split(QLatin1Char(' '))) {
        if (t == QLatin1String("Alt")) {
            QTest::keyPress(QApplication::focusWidget(), Qt::Key_Alt, Qt::AltModifier);
            QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Alt);
        } else {
            QTest::keyClick(QApplication::focusWidget(), chiavi.value(t));
        }
    }
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->objectName() == QLatin1String("frmcomuni")) {
            aperta = w->objectName();
            w->close();
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTEST(aperta, "finestra");
    QCOMPARE(m_f->form->focusWidget(), txtNome);
    QCOMPARE(m_f->form->events().activeControl(), txtNome);
    for (const QAction *voce : m_f->form->menuBar()->actions())
        QVERIFY2(!voce->text().contains(u'&'), qPrintable(voce->text())); // no mnemonic added to the captions
}

void tst_FrmCodiceFiscale::unaSessioneNonScriveNelFileEdEsciLoChiude()
{
    const QByteArray prima = impronta(m_f->percorso());
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    const std::pair<QWidget *, const char *> battuti[] = {
        {ui.txtCognome, "rossi"}, {ui.txtNome, "mario"}, {ui.cboComune, "rom"}, {ui.txtDataNascita, "1/1/1980"}};
    for (const auto &[box, testo] : battuti) {
        QTest::keyClicks(box, QLatin1String(testo));
        QTest::keyClick(box, Qt::Key_Tab);
    }
    QTest::mouseClick(ui.cmdElabora, Qt::LeftButton);
    // Esci closes the window and the database with it.
    QTest::mouseClick(ui.Command1, Qt::LeftButton);
    QVERIFY(!m_f->form->isVisible());
    QCOMPARE(QSqlDatabase::connectionNames(), QStringList());
    m_f->form.reset();
    QCOMPARE(impronta(m_f->percorso()), prima);
}

QTEST_MAIN(tst_FrmCodiceFiscale)
#include "tst_frmcodicefiscale.moc"
