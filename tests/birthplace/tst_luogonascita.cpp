// SPDX-License-Identifier: MIT
#include "app/formevents.h"
#include "support/finestradiprova.h"
#include "support/nomecolore.h"
#include "support/puntatore.h"
#include "support/tabella.h"
#include "support/tastiera.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// A key as the keyboard delivers it: pressed in the control that has the
// focus, released in the one that has it afterwards.
void tasto(Qt::Key k)
{
    QTest::keyPress(QApplication::focusWidget(), k);
    QTest::keyRelease(QApplication::focusWidget(), k);
}

// Chooses an entry as a user does, clicking the arrow and then the entry.
void scegli(QComboBox *combo, const QString &voce)
{
    QAbstractItemView *elenco = combo->view();
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 4, combo->height() / 2));
    QTRY_VERIFY(elenco->isVisible());
    const QModelIndex i = combo->model()->index(combo->findText(voce), 0);
    elenco->scrollTo(i);
    const QPoint punto = elenco->visualRect(i).center();
    // The list follows the pointer, and takes a click, once the pointer
    // has moved away from the click that opened it.
    QVERIFY(muoviPuntatore(elenco->viewport(), punto));
    QTest::mouseClick(elenco->viewport(), Qt::LeftButton, {}, punto);
    // On a real X server the list closes, and the window is active again,
    // a little later.
    QTRY_VERIFY(!elenco->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), combo->window());
}

} // namespace

class tst_LuogoNascita : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void digitando_data();
    void digitando();
    void statoOmonimoDiUnComune();

private:
    void avvia(std::unique_ptr<FinestraDiProva> f);
    void batti(const QString &tasti);
    QString vista() const;
    const FrmCodiceFiscaleUi &ui() const { return m_f->ui(); }
    std::unique_ptr<FinestraDiProva> m_f;
};

// Two places whose province or code is null, beside the usual ones.
void tst_LuogoNascita::init()
{
    avvia(std::make_unique<FinestraDiProva>(FinestraDiProva::datiDiEsempio(
        {QStringLiteral("INSERT INTO Comuni VALUES ('Nullano', NULL, 'N001', 'N001', '')"),
         QStringLiteral("INSERT INTO Comuni VALUES ('Vuotano', 'VV', NULL, NULL, '')")})));
}

void tst_LuogoNascita::cleanup()
{
    m_f.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_LuogoNascita::avvia(std::unique_ptr<FinestraDiProva> f)
{
    m_f.reset();
    m_f = std::move(f);
    QCOMPARE(m_f->avvia(), FrmCodiceFiscale::Avvio::Pronto);
}

// Types into whichever control has the focus; ⌫ ⌦ ⇥ ⇤ ⏎ ⇧ ↓ are Backspace,
// Delete, Tab, Shift+Tab, Enter, Shift and the down arrow; a character after
// ✎ comes from an input method, as a dead key gives it, without a key; ▸
// clicks into the municipality box and selects its text, [name] clicks the
// control of that name; an entry between « » is chosen from the municipality
// list, between ‹ › from the state list.
void tst_LuogoNascita::batti(const QString &tasti)
{
    const QString speciali = QStringLiteral("⌫⌦⇥⇤⏎⇧↓");
    const Qt::Key chiavi[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Tab, Qt::Key_Backtab,
                              Qt::Key_Return,    Qt::Key_Shift,  Qt::Key_Down};
    for (qsizetype i = 0; i < tasti.size(); ++i) {
        const QChar c = tasti.at(i);
        if (c == u'✎') {
            QInputMethodEvent ime;
            ime.setCommitString(tasti.at(++i));
            QApplication::sendEvent(QGuiApplication::focusObject(), &ime);
        } else if (c == u'▸') {
            QTest::mouseClick(ui().cboComune->lineEdit(), Qt::LeftButton);
            ui().cboComune->lineEdit()->selectAll();
        } else if (c == u'[') {
            const qsizetype fine = tasti.indexOf(u']', i);
            QTest::mouseClick(m_f->form->findChild<QWidget *>(tasti.mid(i + 1, fine - i - 1)), Qt::LeftButton);
            i = fine;
        } else if (c == u'«' || c == u'‹') {
            const qsizetype fine = tasti.indexOf(c == u'«' ? u'»' : u'›', i);
            scegli(c == u'«' ? ui().cboComune : ui().CboStatoEstero, tasti.mid(i + 1, fine - i - 1));
            i = fine;
        } else if (speciali.contains(c)) {
            tasto(chiavi[speciali.indexOf(c)]);
        } else {
            digita(QApplication::focusWidget(), c);
        }
    }
}

// The place of birth as the user sees it: the box's text with its selection
// in brackets or its caret as "|", province and code, the box's text colour
// on the three boxes' background, the focus (and the control the handlers
// think has it, where they differ), the state list, any messages and beeps.
QString tst_LuogoNascita::vista() const
{
    const QLineEdit *box = ui().cboComune->lineEdit();
    QString testo = box->text();
    if (box->hasSelectedText())
        testo.insert(box->selectionEnd(), QLatin1Char(']')).insert(box->selectionStart(), QLatin1Char('['));
    else
        testo.insert(box->cursorPosition(), QLatin1Char('|'));
    QStringList sfondi;
    for (const QWidget *w : std::initializer_list<QWidget *>{ui().cboComune, ui().Text2, ui().Text3})
        sfondi << nomeColore(backColor(w));
    sfondi.removeDuplicates();
    QString fuoco = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    if (QWidget *attivo = m_f->form->events().activeControl(); attivo != QApplication::focusWidget())
        fuoco += QLatin1Char('/') + (attivo ? attivo->objectName() : QString());
    QStringList parti = {testo + QLatin1Char(' ') + ui().Text2->text() + QLatin1Char(' ') + ui().Text3->text(),
                         nomeColore(foreColor(ui().cboComune)) + QLatin1Char('/') + sfondi.join(QLatin1Char('/')),
                         fuoco};
    if (!ui().CboStatoEstero->currentText().isEmpty())
        parti << QStringLiteral("estero ") + ui().CboStatoEstero->currentText();
    if (!m_f->platform.messages.isEmpty())
        parti << QStringLiteral("%1 msg").arg(m_f->platform.messages.size());
    if (m_f->platform.beeps)
        parti << QStringLiteral("%1 beep").arg(m_f->platform.beeps);
    return parti.join(QLatin1String(" | "));
}

void tst_LuogoNascita::digitando_data()
{
    colonne<QString, QString>("tasti", "vista");
    // Each letter replaces the proposed tail; the exact "Roma" on the way
    // stops nothing.
    riga("past an exact name", "roman", "Roman[o Canavese] TO H511 | nero/sistema | cboComune");
    riga("capitals and accents ignore case", "FORLÌ", "Forlì| FC D704 | nero/sistema | cboComune");
    // The box is black once a lookup succeeded: the failure is reported.
    riga("forli: accents count", "forli", "Forli| ? ? | nero/rosso | cboComune | 1 msg");
    riga("a letter from an input method is looked up like a typed one", "rom✎è",
         "Romè| ? ? | nero/rosso | cboComune | 1 msg");
    // Each letter keeps the whole name proposed; a failed lookup on the way
    // would leave the boxes red.
    riga("apostrophes and blanks", "sant'agata de' goti", "Sant'Agata de' Goti| BN I197 | nero/sistema | cboComune");
    riga("blanks only", "  ", "  |   | sistema/sistema | cboComune");
    riga("a foreign state typed shows in the state list", "germ",
         "Germ[ania] EE Z112 | nero/sistema | cboComune | estero Germania");
    // Once the tail is removed, nothing is proposed again (not even by a key
    // that changes nothing) until the text grows.
    riga("Backspace over the proposed tail", "rom⌫⇧", "Rom| RM H501 | nero/sistema | cboComune");
    // The first failure after the window opens, and the first after the leave
    // check reported one, are marked in silence.
    riga("first failure on opening is silent", "qq", "qq| ? ? | nero/rosso | cboComune | 1 msg");
    riga("first failure after a reported leave is silent", "z⇥qq",
         "zqq| ? ? | nero/rosso | cboComune | 2 msg | 1 beep");
    // A key release stops at the first field it cannot show and says why.
    riga("null province while typing", "rom⇥▸n", "N[ullano] RM H501 | nero/bianco | cboComune | 1 msg | 1 beep");
    riga("null code while typing", "rom⇥▸v", "V[uotano] VV H501 | nero/bianco | cboComune | 1 msg | 1 beep");

    // Leaving confirms the stored name of the first match, or sends the user
    // back through the date box.
    riga("leaving with a prefix between blanks", "  rom ⇥", "|Roma RM H501 | nero/bianco | txtDataNascita");
    riga("leaving with an entry's exact name is no choice from the list", "Milano⇥",
         "|Milano MI F205 | nero/bianco | txtDataNascita");
    riga("leaving a foreign state empties the state list", "stati⇥",
         "|Stati Uniti d'America EE Z404 | nero/bianco | txtDataNascita");
    riga("leaving a name after the last, no current row", "z⇥", "z| ? ? | bianco/rosso | cboComune | 1 msg | 1 beep");
    riga("leaving blanks only: the focus goes where the user sent it", "   ⇥", "   |   | sistema/sistema | Text1");
    // A null field shows as an empty box, never as the previous place's.
    riga("leaving with a null province", "rom⇥▸n⇥", "|Nullano  N001 | nero/bianco | txtDataNascita | 1 msg | 1 beep");
    riga("leaving with a null code", "rom⇥▸v⇥", "|Vuotano VV  | nero/bianco | txtDataNascita | 1 msg | 1 beep");
    riga("regression: Enter in the box taken for a choice from the list", "rom⏎",
         "Roma| RM H501 | nero/sistema | cboComune");
    // Entering the state list clears the place; Enter there is no choice.
    riga("regression: Enter in the state list taken for a choice from it", "rom⌫⌫⌫⌫⇤Germania⏎",
         "|   | nero/sistema | CboStatoEstero | estero Germania");

    // A municipality chosen ends confirmed from its own row, with the focus
    // back in the box and the whole name selected; the date box left on the
    // way beeps.
    const QString milano = QStringLiteral("[Milano] MI F205 | nero/bianco | cboComune | 1 beep");
    riga("choice after a lookup that found nothing", "q«Milano»", milano);
    riga("choice from a list opened while txtNome's leave sends the focus to the sex", "[txtNome]«Milano»", milano);
    // Four steps, each a choice. Regression: a key released after its choice
    // had sent the focus away and back ran the key-up handler, which dropped
    // the selection.
    riga("choice by arrow keys in the closed box", "↓↓↓↓", "[Milano] MI F205 | nero/bianco | cboComune | 4 beep");
    // A state chosen goes through the municipality box's leave check. Leaving
    // Roma sends the focus to the date box: the state list never gets it, but
    // is open all the same.
    const QString germania = QStringLiteral("|Germania EE Z112 | nero/bianco | txtDataNascita");
    riga("state chosen leaving a valid municipality", "Roma‹Germania›", germania + " | 1 beep");
    riga("state chosen leaving an unknown name: one message", "x‹Germania›", germania + " | 1 msg | 1 beep");
}

void tst_LuogoNascita::digitando()
{
    QFETCH(QString, tasti);
    batti(QStringLiteral("▸"));
    QCOMPARE(m_f->form->events().activeControl(), ui().cboComune);
    batti(tasti);
    QTEST(vista(), "vista");
    // A failed lookup says the place does not exist, a field that cannot be
    // read says why, and nothing else is ever said.
    for (const RecordingPlatform::Message &m : std::as_const(m_f->platform.messages)) {
        QVERIFY2(m.text == QLatin1String("Comune inesistente (se all'estero scegli direttamente lo Stato)") ||
                     m.text == QLatin1String("Errore n. 94 Uso non valido di Null"),
                 qPrintable(m.text));
        QCOMPARE(m.style, Platform::Exclamation);
    }
}

// Regression: on the full reference data the state was looked up by a name
// that a municipality of Sassari also bears, and the code came out as that
// municipality's, G258.
void tst_LuogoNascita::statoOmonimoDiUnComune()
{
    avvia(FinestraDiProva::conDatiCompleti());
    batti(QStringLiteral("rossi⇥mario⇥⇥‹Palau (Stato estero)›1/1/1980"));
    QTest::mouseClick(ui().cmdElabora, Qt::LeftButton);
    QCOMPARE(ui().txtCodiceFiscale->text(), QStringLiteral("RSS MRA 80A01 Z734C"));
    QCOMPARE(m_f->platform.beeps, 0);
}

QTEST_MAIN(tst_LuogoNascita)
#include "tst_luogonascita.moc"
