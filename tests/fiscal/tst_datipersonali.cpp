// SPDX-License-Identifier: MIT
#include "app/controlprops.h"
#include "support/finestradiprova.h"
#include "support/tabella.h"
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

QTEST_MAIN(tst_DatiPersonali)
#include "tst_datipersonali.moc"
