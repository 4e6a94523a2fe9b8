// SPDX-License-Identifier: MIT
#include "app/controlprops.h"
#include "support/finestradiprova.h"
#include "support/tabella.h"
#include "support/tasti.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class tst_DatiPersonali : public QObject
{
    Q_OBJECT

    std::unique_ptr<FinestraDiProva> m_f;
    const FrmCodiceFiscaleUi &ui() const { return m_f->ui(); }

private slots:
    void init()
    {
        m_f = std::make_unique<FinestraDiProva>(FinestraDiProva::datiDiEsempio(
            {QStringLiteral("INSERT INTO Comuni VALUES ('Forno (soppresso nel 1928, NO)', 'NO', 'D722', 'D722', '')"),
             QStringLiteral("INSERT INTO ValiditaLuoghi VALUES ('D722', '', '1928-01-26')")}));
        QCOMPARE(m_f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
    }

    void cleanup()
    {
        m_f.reset();
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    // Typed key by key into a box, then another box clicked; "|" types anew.
    // Small letters become capitals, accented ones too, nothing else changes;
    // the date is checked when left, never reformatted.
    void digitato_data()
    {
        colonne<QString, QString, QString, int, int>("box", "digitato", "mostrato", "colore", "beep");
        riga("surname; the date never checked", "txtCognome", "rossi", "ROSSI", int(Colore::Sistema), 0);
        riga("name: accented letters too; ß and ı have no capital of their own", "txtNome", "d'àr1a noè weiß ı",
             "D'ÀR1A NOÈ WEIß ı", int(Colore::Sistema), 0);
        riga("31 February: dark red, a beep", "txtDataNascita", "31/02/1980", "31/02/1980", int(Colore::RossoScuro), 1);
        riga("valid after it: black again", "txtDataNascita", "31/02/1980|2.3.1990", "2.3.1990", int(Colore::Nero), 1);
    }

    void digitato()
    {
        QFETCH(QString, box);
        QFETCH(QString, digitato);
        auto *e = m_f->form->findChild<QLineEdit *>(box);
        for (const QString &testo : digitato.split(QLatin1Char('|'))) {
            QTest::mouseClick(e, Qt::LeftButton);
            e->clear();
            digita(e, testo);
            QTest::mouseClick(e == ui().txtDataNascita ? ui().txtCognome : ui().txtDataNascita, Qt::LeftButton);
        }
        QTEST(e->text(), "mostrato");
        QTEST(foreColor(ui().txtDataNascita), "colore");
        QTEST(m_f->platform.beeps, "beep");
    }

    // Leaving the name lands in the sex, leaving the sex in the place, whatever the tab order.
    void spostamentiForzati()
    {
        QTest::mouseClick(ui().txtNome, Qt::LeftButton);
        QTest::mouseClick(ui().txtDataNascita, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), ui().cboSesso);
        QTest::keyClick(ui().cboSesso, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ui().cboComune);
    }

    // dati: surname|name|date|place|its code. Incomplete data are refused one
    // box at a time, the focus sent back to it; else the code is shown and
    // copied, after a warning for a place that did not exist then.
    void comando_data()
    {
        colonne<QString, QString, QString, QString>("dati", "messaggio", "fuoco", "codice");
        riga("all empty: only the surname is reported", "|||", "Devi inserire il cognome!", "txtCognome", "");
        riga("no name", "ROSSI||x|", "Devi inserire il nome!", "txtNome", "");
        riga("31 February", "ROSSI|MARIO|31/02/1980|Roma", "La data di nascita non è valida!", "txtDataNascita", "");
        riga("no place", "ROSSI|MARIO|1/1/1980|", "Devi inserire il Comune di nascita!", "cboComune", "");
        riga("surname cut inside an emoji",
             QStringLiteral("RO") + QString(20000, u'x').replace(u'x', QStringLiteral("\U0001F600")) +
                 "|MARIO|1/1/1980|Roma",
             "Il codice fiscale è stato memorizzato in Appunti di Windows!", "cmdElabora", "ROX MRA 80A01 H501D");
        riga("a place ceased before the birth: told, then the code", "ROSSI|MARIO|1/1/1950|Forno|D722",
             "Attenzione: il 01/01/1950 questo luogo non esisteva più: è esistito fino al 26/01/1928! Il codice "
             "fiscale viene calcolato comunque.|Il codice fiscale è stato memorizzato in Appunti di Windows!",
             "cmdElabora", "RSS MRA 50A01 D722V");
    }

    void comando()
    {
        QFETCH(QString, dati);
        QFETCH(QString, codice);
        QLineEdit *const campi[] = {ui().txtCognome, ui().txtNome, ui().txtDataNascita, editor(ui().cboComune)};
        for (int i = 0; i < 4; ++i)
            campi[i]->setText(dati.section(QLatin1Char('|'), i, i));
        ui().Text3->setText(dati.count(QLatin1Char('|')) > 3 ? dati.section(QLatin1Char('|'), 4) : QStringLiteral(" H501 "));
        QTest::mouseClick(ui().cmdElabora, Qt::LeftButton);
        QTEST(m_f->platform.messageTexts().join(QLatin1Char('|')), "messaggio");
        QCOMPARE(m_f->platform.messages.last().style, codice.isEmpty() ? Platform::Exclamation : Platform::Information);
        QTEST(QApplication::focusWidget()->objectName(), "fuoco");
        QTEST(ui().txtCodiceFiscale->text(), "codice");
        QTEST(m_f->platform.clipboard, "codice");
    }
};

QTEST_MAIN(tst_DatiPersonali)
#include "tst_datipersonali.moc"
