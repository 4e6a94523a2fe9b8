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
#include <QPushButton>

class tst_Tastiera : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void percorsi_data();
    void percorsi();
    void nessunGiroSenzaCrea_data();
    void nessunGiroSenzaCrea();
    void escChiude_data();
    void escChiude();

private:
    // Keys separated by blanks: a key's name ("Tab", "Shift+Tab", "Ctrl+V",
    // "Backspace") is pressed, anything else is typed.
    QStringList premi(const QString &tasti);
    std::unique_ptr<FinestraDiProva> m_f;
};

void tst_Tastiera::init()
{
    m_f = std::make_unique<FinestraDiProva>();
    QCOMPARE(m_f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
}

void tst_Tastiera::cleanup()
{
    m_f.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QStringList tst_Tastiera::premi(const QString &tasti)
{
    QStringList fuochi;
    for (const QString &t : tasti.split(u' ')) {
        const QKeyCombination k = QKeySequence(t)[0];
        if (t.size() > 1 && t.at(0).isUpper() && k.key() != Qt::Key_unknown && QKeySequence(t).count() == 1) {
            QTest::keyClick(QApplication::focusWidget(), k.key(), k.keyboardModifiers());
            if (k.key() == Qt::Key_Tab || k.key() == Qt::Key_Backtab)
                fuochi << QApplication::focusWidget()->objectName();
        } else {
            batti(m_f->form.get(), t);
        }
    }
    return fuochi;
}

void tst_Tastiera::percorsi_data()
{
    colonne<QString, QString, QString>("appunti", "tasti", "vista");
    const QString dati = QStringLiteral("rossi Tab mario Tab Tab rom Tab 1/1/1980 ");
    riga("personal data by Tab alone, then the code", "", dati + "Tab Space",
         "txtNome cboSesso cboComune txtDataNascita cmdElabora | cmdElabora [] | RSS MRA 80A01 H501U Roma | Il codice");
    riga(
        "Shift+Tab walks back past the forced moves", "", dati + "Shift+Tab Shift+Tab Shift+Tab Shift+Tab",
        "txtNome cboSesso cboComune txtDataNascita cboComune cboSesso txtNome txtCognome | txtCognome [ROSSI] |  Roma");
    riga("a wrong place keeps the focus, reported once; keys that change nothing say nothing", "",
         "Tab Tab Tab x Tab Left Home Shift End Ctrl+A roma",
         "txtNome cboSesso cboComune cboComune | cboComune [] |  Roma | Comune inesistente");
    riga("the place entered by Tab is selected whole: typing replaces it", "", "Tab Tab Tab rom Tab Shift+Tab mil Tab",
         "txtNome cboSesso cboComune txtDataNascita cboComune txtDataNascita "
         "| txtDataNascita [] |  Milano");
    const QString allaPartitaIva = QStringLiteral("Tab ").repeated(9);
    const QString cifre = QStringLiteral("txtNome cboSesso cboComune txtDataNascita cmdElabora Command1 "
                                         "txtCodiceFiscale CboStatoEstero Text4 ");
    riga("VAT number by Tab and digits to its office", "", allaPartitaIva + "00488410010",
         cifre + "| CboUfficioIva [] | 00488410010 001 Torino");
    riga("Backspace on a selected digit goes back to correct it", "", allaPartitaIva + "0048841002 Backspace 10",
         cifre + "| CboUfficioIva [] | 00488410010 001 Torino");
    riga("Backspace from the first digits walks back, then Shift+Tab leaves the digits", "",
         allaPartitaIva + "00 Backspace Backspace Backspace Shift+Tab",
         cifre + "CboStatoEstero | CboStatoEstero [] | 00000000000 ");
    riga("a wrong number is typed again from the first box", "",
         allaPartitaIva + "00488410011 Shift+Tab Space 00488410010",
         cifre + "Command2 | CboUfficioIva [] | 00488410010 001 Torino | Numero Partita");
    riga("a whole number pasted into the first box, with IT, blanks and dots", "IT 004.884.100 10",
         allaPartitaIva + "Ctrl+V", cifre + "| CboUfficioIva [] | 00488410010 001 Torino");
    riga("the rest of a number pasted into a later box", "8410010", allaPartitaIva + "0048 Ctrl+V",
         cifre + "| CboUfficioIva [] | 00488410010 001 Torino");
    riga("a pasted part stops short of the last box: no lookup", "884", allaPartitaIva + "004 Ctrl+V",
         cifre + "| Text10 [0] | 00488400000 ");
    riga("a pasted number too long for the boxes is refused", "123456789012", allaPartitaIva + "Ctrl+V",
         cifre + "| Text4 [0] | 00000000000 ");
    riga("a state by the beginning of its name and Enter", "", "Tab Tab Tab Tab Tab Tab Tab Tab germ Return",
         "txtNome cboSesso cboComune txtDataNascita cmdElabora Command1 txtCodiceFiscale CboStatoEstero "
         "| txtDataNascita [] |  Germania");
}

// The focus after each Tab or Shift+Tab | the focus at the end [its selection]
// | the code or the digits and the office, the place | the messages' first words.
void tst_Tastiera::percorsi()
{
    QFETCH(QString, appunti);
    QFETCH(QString, tasti);
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    if (!appunti.isEmpty())
        QApplication::clipboard()->setText(appunti);
    const QStringList fuochi = premi(tasti);
    QString cifre;
    for (int n = 4; n <= 14; ++n)
        cifre += ui.Text(n)->text();
    const QLineEdit *box = editor(QApplication::focusWidget());
    QStringList vista = {fuochi.join(u' '),
                         QApplication::focusWidget()->objectName() + " [" + (box ? box->selectedText() : "") + "]",
                         (tasti.startsWith(QStringLiteral("Tab ").repeated(9))
                              ? cifre + ' ' + ui.CboUfficioIva->currentText()
                              : ui.txtCodiceFiscale->text() + ' ' + ui.cboComune->currentText())};
    QStringList messaggi;
    for (const RecordingPlatform::Message &m : std::as_const(m_f->platform.messages))
        messaggi << m.text.section(u' ', 0, 1);
    vista << messaggi.join(QLatin1String(", "));
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

// With the personal data complete and valid, 40 presses of one key from any
// control: a control met again was left for a round that passed through
// CreaCodiceFiscale.
void tst_Tastiera::nessunGiroSenzaCrea()
{
    QFETCH(QString, partenza);
    QFETCH(QString, tasto);
    premi(QStringLiteral("rossi Tab mario Tab Tab rom Tab 1/1/1980"));
    m_f->form->events().setFocus(m_f->form->findChild<QWidget *>(partenza));
    const QStringList fuochi = premi(QStringList(40, tasto).join(u' '));
    QHash<QString, int> ultimaVolta;
    int crea = -1;
    for (int i = 0; i < fuochi.size(); ++i) {
        if (fuochi.at(i) == QLatin1String("cmdElabora"))
            crea = i;
        if (ultimaVolta.contains(fuochi.at(i)))
            QVERIFY2(crea > ultimaVolta.value(fuochi.at(i)), qPrintable(fuochi.mid(0, i + 1).join(u' ')));
        ultimaVolta[fuochi.at(i)] = i;
    }
}

void tst_Tastiera::escChiude_data()
{
    colonne<QString>("finestra");
    riga("verify window", "frmVerificaCodice");
    riga("municipality browser", "frmcomuni");
    riga("help", "frmHelpCodFisc");
}

void tst_Tastiera::escChiude()
{
    QFETCH(QString, finestra);
    const auto esc = [](QWidget *w) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!w->isVisible());
    };
    if (finestra == QLatin1String("frmHelpCodFisc"))
        return m_f->apriModale(m_f->ui().Aiuto, esc);
    m_f->scegliDalMenu(finestra == QLatin1String("frmcomuni") ? m_f->ui().CercaComuni : m_f->ui().VerificaCodice);
    QWidget *w = nullptr;
    QTRY_VERIFY((w = FinestraDiProva::finestraAperta(finestra)) && QApplication::activeWindow() == w);
    esc(w);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QTEST_MAIN(tst_Tastiera)
#include "tst_tastiera.moc"
