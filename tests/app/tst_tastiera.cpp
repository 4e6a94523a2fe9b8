// SPDX-License-Identifier: MIT
#include "app/controlprops.h"
#include "app/formevents.h"
#include "support/finestradiprova.h"
#include "support/tabella.h"
#include "support/tasti.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>

class tst_Tastiera : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_f = std::make_unique<FinestraDiProva>();
        QCOMPARE(m_f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
    }
    void cleanup()
    {
        m_f.reset();
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }
    void percorsi_data();
    void percorsi();
    void nessunGiroSenzaCrea_data();
    void nessunGiroSenzaCrea();

private:
    // Presses each key named ("Tab", "Ctrl+V"), types other words; gives the focus after each Tab.
    QStringList premi(const QString &tasti)
    {
        QStringList fuochi;
        for (const QString &t : tasti.split(u' ')) {
            const QKeyCombination k = QKeySequence(t)[0];
            if (!t.at(0).isUpper() || t.size() < 2 || k.key() == Qt::Key_unknown) {
                batti(m_f->form.get(), t);
                continue;
            }
            QTest::keyClick(QApplication::focusWidget(), k.key(), k.keyboardModifiers());
            if (k.key() == Qt::Key_Tab || k.key() == Qt::Key_Backtab)
                fuochi << QApplication::focusWidget()->objectName();
        }
        return fuochi;
    }
    std::unique_ptr<FinestraDiProva> m_f;
};

void tst_Tastiera::percorsi_data()
{
    colonne<QString, QString, QString>("appunti", "tasti", "vista");
    const QString dati = QStringLiteral("rossi Tab mario Tab Tab rom Tab 1/1/1980 ");
    const QString fino = QStringLiteral("txtNome cboSesso cboComune txtDataNascita ");
    riga("personal data by Tab alone, then the code", "", dati + "Tab Space",
         fino + "cmdElabora | cmdElabora [] | RSS MRA 80A01 H501U Roma | Il codice");
    riga("Shift+Tab walks back past the forced moves", "", dati + "Shift+Tab Shift+Tab Shift+Tab Shift+Tab",
         fino + "cboComune cboSesso txtNome txtCognome | txtCognome [ROSSI] |  Roma");
    riga("a wrong place keeps the focus, reported once; keys that change nothing say nothing", "",
         "Tab Tab Tab x Tab Left Home Shift End Ctrl+A roma", "txtNome cboSesso cboComune cboComune | cboComune [] |  "
         "Roma | Comune inesistente");
    riga("the place entered by Tab is selected whole: typing replaces it", "", "Tab Tab Tab rom Tab Shift+Tab mil Tab",
         fino + "cboComune txtDataNascita | txtDataNascita [] |  Milano");
    // Eight Tabs reach the first digit box.
    const QString iva = fino + "cmdElabora Command1 txtCodiceFiscale Text4 ";
    riga("VAT number by Tab and digits to its office", "", "00488410010", iva + "| CboUfficioIva [] | 00488410010 001 Torino");
    riga("Backspace on a selected digit goes back to correct it", "", "0048841002 Backspace 10",
         iva + "| CboUfficioIva [] | 00488410010 001 Torino");
    riga("a wrong number is typed again from the first box", "", "00488410011 Shift+Tab Space 00488410010",
         iva + "Command2 | CboUfficioIva [] | 00488410010 001 Torino | Numero Partita");
    riga("a whole number pasted with IT, blanks and dots", "IT 004.884.100 10", "Ctrl+V",
         iva + "| CboUfficioIva [] | 00488410010 001 Torino");
    riga("the rest of a number pasted into a later box", "8410010", "0048 Ctrl+V",
         iva + "| CboUfficioIva [] | 00488410010 001 Torino");
    riga("a pasted part short of the last box: no lookup", "884", "004 Ctrl+V", iva + "| Text10 [0] | 00488400000 ");
    riga("a pasted number too long is refused", "123456789012", "Ctrl+V", iva + "| Text4 [0] | 00000000000 ");
}

// Focus after each Tab | at the end [selection] | code and place, or digits and office | messages.
void tst_Tastiera::percorsi()
{
    QFETCH(QString, appunti);
    QFETCH(QString, tasti);
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    QApplication::clipboard()->setText(appunti);
    const bool iva = QStringLiteral("0I").contains(tasti.at(0)) || tasti.startsWith(u'C');
    const QStringList fuochi = premi((iva ? QStringLiteral("Tab ").repeated(8) : QString()) + tasti);
    QString cifre;
    for (int n = 4; n <= 14; ++n)
        cifre += ui.Text(n)->text();
    const QLineEdit *box = editor(QApplication::focusWidget());
    QStringList vista = {fuochi.join(u' '),
                         QApplication::focusWidget()->objectName() + " [" + (box ? box->selectedText() : "") + "]",
                         iva ? cifre + ' ' + ui.CboUfficioIva->currentText()
                             : ui.txtCodiceFiscale->text() + ' ' + ui.cboComune->currentText()};
    for (const RecordingPlatform::Message &m : std::as_const(m_f->platform.messages))
        vista << m.text.section(u' ', 0, 1);
    vista.removeAll(QString());
    QTEST(vista.join(QLatin1String(" | ")), "vista");
    QCOMPARE(m_f->form->events().activeControl(), QApplication::focusWidget());
}

void tst_Tastiera::nessunGiroSenzaCrea_data()
{
    colonne<QString, QString>("partenza", "tasto");
    for (const char *partenza : {"txtCognome", "txtNome", "cboSesso", "cboComune", "txtDataNascita", "Command1",
                                 "CboStatoEstero", "Text9", "Text14", "Command2", "CboUfficioIva"})
        for (const char *tasto : {"Tab", "Shift+Tab"})
            riga(qPrintable(QStringLiteral("%1 from %2").arg(tasto, partenza)), partenza, tasto);
}

// 40 presses from any control: a control met again was left for a round through CreaCodiceFiscale.
void tst_Tastiera::nessunGiroSenzaCrea()
{
    QFETCH(QString, partenza);
    QFETCH(QString, tasto);
    premi(QStringLiteral("rossi Tab mario Tab Tab rom Tab 1/1/1980"));
    m_f->form->events().setFocus(m_f->form->findChild<QWidget *>(partenza));
    const QStringList fuochi = premi(QStringList(40, tasto).join(u' '));
    QHash<QString, int> ultimaVolta;
    for (int i = 0, crea = -1; i < fuochi.size(); ultimaVolta[fuochi.at(i)] = i, ++i) {
        crea = fuochi.at(i) == QLatin1String("cmdElabora") ? i : crea;
        QVERIFY2(crea > ultimaVolta.value(fuochi.at(i), -1) || !ultimaVolta.contains(fuochi.at(i)),
                 qPrintable(fuochi.mid(0, i + 1).join(u' ')));
    }
}

QTEST_MAIN(tst_Tastiera)
#include "tst_tastiera.moc"
