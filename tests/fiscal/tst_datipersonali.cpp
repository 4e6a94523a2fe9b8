// SPDX-License-Identifier: MIT
#include "app/controlprops.h"
#include "app/formevents.h"
#include "support/finestradiprova.h"
#include "support/tastiera.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

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
    void luogoNonTrovatoEntraNelCodice();
    void nomiLunghissimi();

private:
    void compila(const QString &cognome, const QString &nome, const QString &data, const QString &comune,
                 const QString &codice);
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

// Fills the boxes as the birthplace entry would leave them.
void tst_DatiPersonali::compila(const QString &cognome, const QString &nome, const QString &data,
                                const QString &comune, const QString &codice)
{
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    ui.txtCognome->setText(cognome);
    ui.txtNome->setText(nome);
    ui.txtDataNascita->setText(data);
    ui.cboComune->setEditText(comune);
    ui.Text3->setText(codice);
}

void tst_DatiPersonali::maiuscoleDigitando_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("mostrato");
    QTest::newRow("surname rossi") << "txtCognome" << "rossi" << "ROSSI";
    QTest::newRow("accented small letters stay") << "txtCognome" << "àèé" << "àèé";
    QTest::newRow("name with apostrophe and digits") << "txtNome" << "d'ar1a z" << "D'AR1A Z";
}

void tst_DatiPersonali::maiuscoleDigitando()
{
    QFETCH(QString, box);
    QFETCH(QString, digitato);
    QFETCH(QString, mostrato);
    auto *e = m_f->form->findChild<QLineEdit *>(box);
    QTest::mouseClick(e, Qt::LeftButton);
    digita(e, digitato);
    QCOMPARE(e->text(), mostrato);
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

void tst_DatiPersonali::coloreData_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("colore");
    QTest::addColumn<int>("beep");
    QTest::newRow("valid date: black") << "1/1/1980" << Colore::Nero << 0;
    QTest::newRow("31 February: dark red and a beep") << "31/02/1980" << Colore::RossoScuro << 1;
    QTest::newRow("empty box: dark red and a beep") << "" << Colore::RossoScuro << 1;
}

void tst_DatiPersonali::coloreData()
{
    QFETCH(QString, data);
    QFETCH(int, colore);
    QFETCH(int, beep);
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    QTest::mouseClick(ui.txtDataNascita, Qt::LeftButton);
    QTest::keyClicks(ui.txtDataNascita, data);
    QTest::mouseClick(ui.txtCognome, Qt::LeftButton);
    QCOMPARE(foreColor(ui.txtDataNascita), colore);
    QCOMPARE(m_f->platform.beeps, beep);
    QCOMPARE(ui.txtDataNascita->text(), data); // never reformatted

    // A valid date typed after an invalid one turns black again.
    QTest::mouseClick(ui.txtDataNascita, Qt::LeftButton);
    ui.txtDataNascita->clear();
    QTest::keyClicks(ui.txtDataNascita, QStringLiteral("2.3.1990"));
    QTest::mouseClick(ui.txtCognome, Qt::LeftButton);
    QCOMPARE(foreColor(ui.txtDataNascita), Colore::Nero);
}

void tst_DatiPersonali::controlliDelComando_data()
{
    QTest::addColumn<QString>("cognome");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("comune");
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<QString>("fuoco");

    QTest::newRow("all empty: only the surname is reported") << "" << "" << "" << "" << "Devi inserire il cognome!" << "txtCognome";
    QTest::newRow("no name") << "ROSSI" << "" << "x" << "" << "Devi inserire il nome!" << "txtNome";
    QTest::newRow("31 February") << "ROSSI" << "MARIO" << "31/02/1980" << "Roma" << "La data di nascita non è valida!" << "txtDataNascita";
    QTest::newRow("no place") << "ROSSI" << "MARIO" << "1/1/1980" << "" << "Devi inserire il Comune di nascita!" << "cboComune";
}

void tst_DatiPersonali::controlliDelComando()
{
    QFETCH(QString, cognome);
    QFETCH(QString, nome);
    QFETCH(QString, data);
    QFETCH(QString, comune);
    QFETCH(QString, messaggio);
    QFETCH(QString, fuoco);
    compila(cognome, nome, data, comune, QStringLiteral("H501"));
    m_f->ui().txtCodiceFiscale->setText(QStringLiteral("prima"));
    QTest::mouseClick(m_f->ui().cmdElabora, Qt::LeftButton);
    QCOMPARE(m_f->platform.messageTexts(), QStringList{messaggio});
    QCOMPARE(m_f->platform.messages.at(0).style, Platform::Exclamation);
    QCOMPARE(m_f->platform.messages.at(0).title, QStringLiteral("Brantovel"));
    QCOMPARE(QApplication::focusWidget()->objectName(), fuoco);
    QCOMPARE(m_f->ui().txtCodiceFiscale->text(), QStringLiteral("prima"));
    QCOMPARE(m_f->platform.clipboardClears, 0);
}

void tst_DatiPersonali::codiceCalcolatoECopiato()
{
    compila(QStringLiteral("Rossi"), QStringLiteral("Maria"), QStringLiteral("1/1/1980"), QStringLiteral("Roma"),
            QStringLiteral(" H501 "));
    m_f->ui().cboSesso->setCurrentIndex(1);
    QTest::mouseClick(m_f->ui().cmdElabora, Qt::LeftButton);
    QCOMPARE(m_f->ui().txtCodiceFiscale->text(), QStringLiteral("RSS MRA 80A41 H501Y"));
    QCOMPARE(m_f->platform.clipboard, QStringLiteral("RSS MRA 80A41 H501Y"));
    QCOMPARE(m_f->platform.clipboardClears, 1);
    QCOMPARE(m_f->platform.messageTexts(),
             QStringList{QStringLiteral("Il codice fiscale è stato memorizzato in Appunti di Windows!")});
    QCOMPARE(m_f->platform.messages.at(0).style, Platform::Information);
    QCOMPARE(m_f->platform.messages.at(0).title, QStringLiteral("Brantovel"));

    // The boxes keep their contents: a second person differs by one field.
    m_f->ui().cboSesso->setCurrentIndex(0);
    m_f->ui().txtNome->setText(QStringLiteral("MARIO"));
    QTest::mouseClick(m_f->ui().cmdElabora, Qt::LeftButton);
    QCOMPARE(m_f->platform.clipboard, QStringLiteral("RSS MRA 80A01 H501U"));
}

void tst_DatiPersonali::luogoNonTrovatoEntraNelCodice()
{
    compila(QStringLiteral("ROSSI"), QStringLiteral("MARIO"), QStringLiteral("1 gennaio 1980"), QStringLiteral("Xyz"),
            QStringLiteral("?"));
    QTest::mouseClick(m_f->ui().cmdElabora, Qt::LeftButton);
    QCOMPARE(m_f->platform.clipboard, QStringLiteral("RSS MRA 80A01 A01?D"));
}

// A name box holds at most 32,767 characters, the longest name the code's
// rules were made for: what lies beyond is cut when it is pasted in.
void tst_DatiPersonali::nomiLunghissimi()
{
    const QString lungo = QString(40000, QChar(0x00E0)) + QStringLiteral("BRN");
    compila(lungo, lungo, QStringLiteral("1/1/1980"), QStringLiteral("Roma"), QStringLiteral("H501"));
    QCOMPARE(m_f->ui().txtCognome->text().size(), 32767);
    QTest::mouseClick(m_f->ui().cmdElabora, Qt::LeftButton);
    QCOMPARE(m_f->platform.clipboard, QStringLiteral("XXX XXX 80A01 H501C"));
}

QTEST_MAIN(tst_DatiPersonali)
#include "tst_datipersonali.moc"
