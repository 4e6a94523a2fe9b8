// SPDX-License-Identifier: MIT
// Hostile text pasted into the windows as a user would: no crash, no hang,
// no message the program does not give for that input, the text taken
// literally.
#include "app/controlprops.h"
#include "app/formevents.h"
#include "support/finestradiprova.h"
#include "support/tabella.h"
#include "support/tastiera.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString ComuneInesistente = QStringLiteral("Comune inesistente (se all'estero scegli direttamente lo Stato)");

// Forty thousand characters, cut by a box's limit of 32,767 in the middle of
// an emoji.
const QString Lunghissimo = QStringLiteral("RO") + QString(20000, QChar(0xD83D)).replace(QChar(0xD83D), QStringLiteral("\U0001F600"));
const QString Emoji = QStringLiteral("\U0001F469\u200D\U0001F469\u200D\U0001F467 \U0001F1EE\U0001F1F9 ROSSI");

// Pastes over the whole content of `box`, the way Ctrl+A, Ctrl+V would.
void incolla(QWidget *box, const QString &testo)
{
    QApplication::clipboard()->setText(testo);
    QTest::mouseClick(editor(box), Qt::LeftButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
}

} // namespace

class tst_IngressiOstili : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void testoNelleCaselle_data();
    void testoNelleCaselle();
    void dataSpazzatura_data();
    void dataSpazzatura();
    void testoNelLuogo_data();
    void testoNelLuogo();

private:
    void compilaMarioRossi();
    std::unique_ptr<FinestraDiProva> m_f;
};

void tst_IngressiOstili::init()
{
    m_f = std::make_unique<FinestraDiProva>();
    QCOMPARE(m_f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
}

// MARIO ROSSI, born in Rome on 1 January 1980.
void tst_IngressiOstili::compilaMarioRossi()
{
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    ui.txtCognome->setText(QStringLiteral("ROSSI"));
    ui.txtNome->setText(QStringLiteral("MARIO"));
    ui.txtDataNascita->setText(QStringLiteral("1/1/1980"));
    m_f->form->events().setFocus(ui.cboComune);
    digita(ui.cboComune, QStringLiteral("roma"));
    QTest::keyClick(ui.cboComune, Qt::Key_Tab);
}

void tst_IngressiOstili::cleanup()
{
    m_f.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

// Only the letters A to Z count, wherever they are.
void tst_IngressiOstili::testoNelleCaselle_data()
{
    colonne<QString, QString, QString>("box", "testo", "codice");
    riga("surname cut inside an emoji", "txtCognome", Lunghissimo, "ROX MRA 80A01 H501D");
    riga("right-to-left surname: no letter of the code", "txtCognome",
         "\u202B\u0645\u062D\u0645\u062F \u05E9\u05DC\u05D5\u05DD\u202C", "XXX MRA 80A01 H501D");
    riga("name with combining accents", "txtNome", "Ro\u0300ssi\u0301\u0327\u0308", "RSS RSS 80A01 H501V");
    riga("name with a terminal escape, whose J is a consonant", "txtNome",
         "\u0001\u0007\u001B[2J\u007F\u200B\u202E\uFEFF\uFFFD", "RSS JXX 80A01 H501F");
    riga("office list: taken and left alone", "CboUfficioIva", Emoji, "RSS MRA 80A01 H501U");
}

void tst_IngressiOstili::testoNelleCaselle()
{
    QFETCH(QString, box);
    QFETCH(QString, testo);
    compilaMarioRossi();
    QLineEdit *e = editor(m_f->form->findChild<QWidget *>(box));
    incolla(e, testo);
    QCOMPARE(e->text(), testo.left(e->maxLength()));
    QTest::mouseClick(m_f->ui().cmdElabora, Qt::LeftButton);
    QCOMPARE(m_f->platform.messageTexts(),
             QStringList{QStringLiteral("Il codice fiscale è stato memorizzato in Appunti di Windows!")});
    QTEST(m_f->ui().txtCodiceFiscale->text(), "codice");
}

void tst_IngressiOstili::dataSpazzatura_data()
{
    colonne<QString>("testo");
    riga("forty thousand digits", QString(40000, u'1'));
    riga("a date, then SQL", QStringLiteral("1/1/1980'; DROP TABLE Comuni; --"));
    riga("a null character inside", QStringLiteral("1/1/19\u000080"));
}

void tst_IngressiOstili::dataSpazzatura()
{
    QFETCH(QString, testo);
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    compilaMarioRossi();
    incolla(ui.txtDataNascita, testo);
    QTest::mouseClick(ui.cmdElabora, Qt::LeftButton);
    QCOMPARE(ui.txtDataNascita->text(), testo.left(ui.txtDataNascita->maxLength()));
    QCOMPARE(foreColor(ui.txtDataNascita), Colore::RossoScuro);
    QCOMPARE(m_f->platform.messageTexts(), QStringList{QStringLiteral("La data di nascita non è valida!")});
    QCOMPARE(ui.txtCodiceFiscale->text(), QString());
}

// No place has such a name: every key release of the paste looks it up and
// leaving the box reports it. The state list keeps typed text silently.
void tst_IngressiOstili::testoNelLuogo_data()
{
    colonne<QString, QString, QStringList>("box", "testo", "messaggi");
    riga("municipality cut inside an emoji", "cboComune", Lunghissimo, QStringList(2, ComuneInesistente));
    riga("state", "CboStatoEstero", Emoji, QStringList());
}

void tst_IngressiOstili::testoNelLuogo()
{
    QFETCH(QString, box);
    QFETCH(QString, testo);
    QLineEdit *e = editor(m_f->form->findChild<QWidget *>(box));
    incolla(e, testo);
    QTest::mouseClick(m_f->ui().txtCognome, Qt::LeftButton);
    QTEST(m_f->platform.messageTexts(), "messaggi");
    QCOMPARE(e->text(), testo.left(e->maxLength()));
}

QTEST_MAIN(tst_IngressiOstili)
#include "tst_ingressiostili.moc"
