// SPDX-License-Identifier: MIT
// The personal data typed or pasted as a user would, hostile text included:
// no crash, no hang, no message the program does not give for that input.
#include "app/controlprops.h"
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

class tst_DatiPersonali : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void maiuscoleDigitando_data();
    void maiuscoleDigitando();
    void spostamentiForzati();
    void coloreData_data();
    void coloreData();
    void controlliDelComando_data();
    void controlliDelComando();
    void codiceCalcolatoECopiato();
    void testoNelleCaselle_data();
    void testoNelleCaselle();
    void dataSpazzatura_data();
    void dataSpazzatura();
    void testoNelLuogo_data();
    void testoNelLuogo();

private:
    // Fills the boxes as the birthplace entry would leave them.
    void compila(const QString &cognome, const QString &nome, const QString &data, const QString &comune);
    std::unique_ptr<FinestraDiProva> m_f;
};

void tst_DatiPersonali::init()
{
    m_f = std::make_unique<FinestraDiProva>();
    QCOMPARE(m_f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
}

void tst_DatiPersonali::cleanup()
{
    m_f.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_DatiPersonali::compila(const QString &cognome, const QString &nome, const QString &data,
                                const QString &comune)
{
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    ui.txtCognome->setText(cognome);
    ui.txtNome->setText(nome);
    ui.txtDataNascita->setText(data);
    ui.cboComune->setEditText(comune);
    ui.Text3->setText(QStringLiteral(" H501 "));
}

void tst_DatiPersonali::maiuscoleDigitando_data()
{
    colonne<QString, QString, QString>("box", "digitato", "mostrato");
    riga("surname rossi", "txtCognome", "rossi", "ROSSI");
    riga("name: accented small letters stay", "txtNome", "d'àr1a z", "D'àR1A Z");
}

void tst_DatiPersonali::maiuscoleDigitando()
{
    QFETCH(QString, box);
    QFETCH(QString, digitato);
    auto *e = m_f->form->findChild<QLineEdit *>(box);
    QTest::mouseClick(e, Qt::LeftButton);
    digita(e, digitato);
    QTEST(e->text(), "mostrato");
}

void tst_DatiPersonali::spostamentiForzati()
{
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    QTest::mouseClick(ui.txtNome, Qt::LeftButton);
    QTest::mouseClick(ui.txtDataNascita, Qt::LeftButton); // leaving the name lands in the sex
    QCOMPARE(QApplication::focusWidget(), ui.cboSesso);
    QTest::keyClick(ui.cboSesso, Qt::Key_Tab); // leaving the sex lands in the place of birth
    QCOMPARE(QApplication::focusWidget(), ui.cboComune);
    QCOMPARE(m_f->platform.beeps, 0); // the date box was never entered, so never checked
}

// The date is checked when its box is left, and never reformatted; a valid
// date typed after an invalid one turns black again.
void tst_DatiPersonali::coloreData_data()
{
    colonne<QString, int, int>("data", "colore", "beep");
    riga("valid date: black", "1/1/1980", int(Colore::Nero), 0);
    riga("31 February: dark red and a beep", "31/02/1980", int(Colore::RossoScuro), 1);
}

void tst_DatiPersonali::coloreData()
{
    QFETCH(QString, data);
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    for (const QString &testo : {data, QStringLiteral("2.3.1990")}) {
        QTest::mouseClick(ui.txtDataNascita, Qt::LeftButton);
        ui.txtDataNascita->clear();
        QTest::keyClicks(ui.txtDataNascita, testo);
        QTest::mouseClick(ui.txtCognome, Qt::LeftButton);
        QCOMPARE(ui.txtDataNascita->text(), testo);
        if (testo == data) {
            QTEST(foreColor(ui.txtDataNascita), "colore");
            QTEST(m_f->platform.beeps, "beep");
        }
    }
    QCOMPARE(foreColor(ui.txtDataNascita), Colore::Nero);
}

void tst_DatiPersonali::controlliDelComando_data()
{
    colonne<QString, QString, QString, QString, QString, QString>("cognome", "nome", "data", "comune", "messaggio",
                                                                  "fuoco");
    riga("all empty: only the surname is reported", "", "", "", "", "Devi inserire il cognome!", "txtCognome");
    riga("no name", "ROSSI", "", "x", "", "Devi inserire il nome!", "txtNome");
    riga("31 February", "ROSSI", "MARIO", "31/02/1980", "Roma", "La data di nascita non è valida!", "txtDataNascita");
    riga("no place", "ROSSI", "MARIO", "1/1/1980", "", "Devi inserire il Comune di nascita!", "cboComune");
}

void tst_DatiPersonali::controlliDelComando()
{
    QFETCH(QString, cognome);
    QFETCH(QString, nome);
    QFETCH(QString, data);
    QFETCH(QString, comune);
    QFETCH(QString, messaggio);
    compila(cognome, nome, data, comune);
    m_f->ui().txtCodiceFiscale->setText(QStringLiteral("prima"));
    QTest::mouseClick(m_f->ui().cmdElabora, Qt::LeftButton);
    QCOMPARE(m_f->platform.messageTexts(), QStringList{messaggio});
    QCOMPARE(m_f->platform.messages.at(0).style, Platform::Exclamation);
    QTEST(QApplication::focusWidget()->objectName(), "fuoco");
    QCOMPARE(m_f->ui().txtCodiceFiscale->text(), QStringLiteral("prima"));
    QCOMPARE(m_f->platform.clipboardClears, 0);
}

void tst_DatiPersonali::codiceCalcolatoECopiato()
{
    compila(QStringLiteral("Rossi"), QStringLiteral("Maria"), QStringLiteral("1/1/1980"), QStringLiteral("Roma"));
    m_f->ui().cboSesso->setCurrentIndex(1);
    QTest::mouseClick(m_f->ui().cmdElabora, Qt::LeftButton);
    QCOMPARE(m_f->ui().txtCodiceFiscale->text(), QStringLiteral("RSS MRA 80A41 H501Y"));
    QCOMPARE(m_f->platform.clipboard, QStringLiteral("RSS MRA 80A41 H501Y"));
    QCOMPARE(m_f->platform.clipboardClears, 1);
    QCOMPARE(m_f->platform.messageTexts(),
             QStringList{QStringLiteral("Il codice fiscale è stato memorizzato in Appunti di Windows!")});
    QCOMPARE(m_f->platform.messages.at(0).style, Platform::Information);
    QCOMPARE(m_f->platform.messages.at(0).title, QStringLiteral("Brantovel"));
}

// Only the letters A to Z count, wherever they are.
void tst_DatiPersonali::testoNelleCaselle_data()
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

void tst_DatiPersonali::testoNelleCaselle()
{
    QFETCH(QString, box);
    QFETCH(QString, testo);
    compila(QStringLiteral("ROSSI"), QStringLiteral("MARIO"), QStringLiteral("1/1/1980"), QStringLiteral("Roma"));
    QLineEdit *e = editor(m_f->form->findChild<QWidget *>(box));
    incolla(e, testo);
    QCOMPARE(e->text(), testo.left(e->maxLength()));
    QTest::mouseClick(m_f->ui().cmdElabora, Qt::LeftButton);
    QCOMPARE(m_f->platform.messageTexts(),
             QStringList{QStringLiteral("Il codice fiscale è stato memorizzato in Appunti di Windows!")});
    QTEST(m_f->ui().txtCodiceFiscale->text(), "codice");
}

void tst_DatiPersonali::dataSpazzatura_data()
{
    colonne<QString>("testo");
    riga("forty thousand digits", QString(40000, u'1'));
    riga("a date, then SQL", QStringLiteral("1/1/1980'; DROP TABLE Comuni; --"));
    riga("a null character inside", QStringLiteral("1/1/19\u000080"));
}

void tst_DatiPersonali::dataSpazzatura()
{
    QFETCH(QString, testo);
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    compila(QStringLiteral("ROSSI"), QStringLiteral("MARIO"), QStringLiteral("1/1/1980"), QStringLiteral("Roma"));
    incolla(ui.txtDataNascita, testo);
    QTest::mouseClick(ui.cmdElabora, Qt::LeftButton);
    QCOMPARE(ui.txtDataNascita->text(), testo.left(ui.txtDataNascita->maxLength()));
    QCOMPARE(foreColor(ui.txtDataNascita), Colore::RossoScuro);
    QCOMPARE(m_f->platform.messageTexts(), QStringList{QStringLiteral("La data di nascita non è valida!")});
    QCOMPARE(ui.txtCodiceFiscale->text(), QString());
}

// No place has such a name: every key release of the paste looks it up and
// leaving the box reports it. The state list keeps typed text silently.
void tst_DatiPersonali::testoNelLuogo_data()
{
    colonne<QString, QString, QStringList>("box", "testo", "messaggi");
    riga("municipality cut inside an emoji", "cboComune", Lunghissimo, QStringList(2, ComuneInesistente));
    riga("state", "CboStatoEstero", Emoji, QStringList());
}

void tst_DatiPersonali::testoNelLuogo()
{
    QFETCH(QString, box);
    QFETCH(QString, testo);
    QLineEdit *e = editor(m_f->form->findChild<QWidget *>(box));
    incolla(e, testo);
    QTest::mouseClick(m_f->ui().txtCognome, Qt::LeftButton);
    QTEST(m_f->platform.messageTexts(), "messaggi");
    QCOMPARE(e->text(), testo.left(e->maxLength()));
}

QTEST_MAIN(tst_DatiPersonali)
#include "tst_datipersonali.moc"
