// SPDX-License-Identifier: MIT
#include "support/finestradiprova.h"
#include "support/fixture.h"
#include "support/nomecolore.h"
#include "support/tabella.h"
#include "support/tasti.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

class tst_LuogoNascita : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void digitando_data();
    void digitando();

private:
    std::unique_ptr<FinestraDiProva> m_f;
};

void tst_LuogoNascita::init()
{
    m_f = std::make_unique<FinestraDiProva>(FinestraDiProva::datiDiEsempio(
        {rigaComune(QStringLiteral("Nullano"), QString(), QStringLiteral("N001"), QStringLiteral("N001")),
         rigaComune(QStringLiteral("Vuotano"), QStringLiteral("VV"), QString(), QString())}));
    QCOMPARE(m_f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
}

void tst_LuogoNascita::cleanup()
{
    m_f.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_LuogoNascita::digitando_data()
{
    colonne<QString, QString>("tasti", "vista");
    riga("once the proposed tail is gone, nothing is proposed until the text grows; a state shows in the state list",
         "germ⌫⇧", "Germ| EE Z112 | nero/sistema | cboComune | Germ");
    riga("the first failure after opening or after a reported leave is silent; an input method's letter counts",
         "z⇥q✎q", "zqq| ? ? | nero/rosso | cboComune | Comune inesistente, Comune inesistente");
    riga("a key release stops at the first field it cannot show", "n",
         "N[ullano]   | sistema/sistema | cboComune | Errore n.");
    riga("leaving confirms the first match's stored name; Enter is no choice from the list", "  rom⏎ ⇥",
         "|Roma RM H501 | nero/bianco | txtDataNascita");
    riga("a text between two names is no place, though the next name is found", "romx⇥",
         "Romx| ? ? | bianco/rosso | cboComune | Comune inesistente, Comune inesistente");
    riga("leaving with a null province: an empty box, not the previous place's", "rom⌫⌫⌫⌫n⇥",
         "|Nullano  N001 | nero/bianco | txtDataNascita | Errore n.");
    riga("leaving with a null code: an empty box, not the previous place's", "rom⌫⌫⌫⌫v⇥",
         "|Vuotano VV  | nero/bianco | txtDataNascita | Errore n.");
    riga("entering the state list clears the place (leaving the empty date beeps)", "rom⇥[CboStatoEstero]",
         "|   | nero/bianco | CboStatoEstero | ♪");
    riga("entering the state list clears the place; Enter there chooses the first state so beginning",
         "rom⇥[CboStatoEstero]germ⏎", "|Germania EE Z112 | nero/bianco | txtDataNascita | ♪");
    riga("a choice ends confirmed, selected, even from a list opened while txtNome's leave sent the focus away",
         "[txtNome][cboComune:Milano]", "[Milano] MI F205 | nero/bianco | cboComune | ♪");
    riga("regression: a key released after its choice sent the focus away and back dropped the selection", "↓↓↓↓",
         "[Milano] MI F205 | nero/bianco | cboComune | ♪♪♪♪");
    riga("a state chosen goes through the leave check: the unknown name is reported once", "x[CboStatoEstero:Germania]",
         "|Germania EE Z112 | nero/bianco | txtDataNascita | Comune inesistente | ♪");
}

// The box's text with its selection in brackets or its caret as "|", province
// and code, colours, focus, state list, the messages' first words, a ♪ a beep.
void tst_LuogoNascita::digitando()
{
    QFETCH(QString, tasti);
    const FrmCodiceFiscaleUi &ui = m_f->ui();
    QLineEdit *box = ui.cboComune->lineEdit();
    QTest::mouseClick(box, Qt::LeftButton);
    batti(m_f->form.get(), tasti);
    QString testo = box->text();
    if (box->hasSelectedText())
        testo.insert(box->selectionEnd(), u']').insert(box->selectionStart(), u'[');
    else
        testo.insert(box->cursorPosition(), u'|');
    QStringList messaggi;
    for (const RecordingPlatform::Message &m : std::as_const(m_f->platform.messages))
        messaggi << m.text.section(u' ', 0, 1);
    QStringList parti = {testo + u' ' + ui.Text2->text() + u' ' + ui.Text3->text(),
                         nomeColore(foreColor(ui.cboComune)) + u'/' + nomeColore(backColor(ui.cboComune)),
                         QApplication::focusWidget()->objectName(), ui.CboStatoEstero->currentText()};
    parti << messaggi.join(QLatin1String(", ")) << QString(m_f->platform.beeps, u'♪');
    parti.removeAll(QString());
    QTEST(parti.join(QLatin1String(" | ")), "vista");
}

QTEST_MAIN(tst_LuogoNascita)
#include "tst_luogonascita.moc"
