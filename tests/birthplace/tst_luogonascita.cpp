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

// Types into whichever control has the focus; ⌫ ⌦ ⇥ ⇤ ⏎ ⇧ ↓ are Backspace,
// Delete, Tab, Shift+Tab, Enter, Shift and the down arrow.
void batti(const QString &tasti)
{
    const QString speciali = QStringLiteral("⌫⌦⇥⇤⏎⇧↓");
    const Qt::Key chiavi[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Tab, Qt::Key_Backtab,
                              Qt::Key_Return,    Qt::Key_Shift,  Qt::Key_Down};
    for (const QChar c : tasti) {
        if (speciali.contains(c))
            tasto(chiavi[speciali.indexOf(c)]);
        else
            digita(QApplication::focusWidget(), c);
    }
}

// Chooses an entry as a user does: "mouse" clicks the arrow and then the
// entry, "elenco" opens the list with F4 and takes the entry with Enter,
// "frecce" steps through the closed box with the arrow keys.
void scegli(const QString &modo, QComboBox *combo, const QString &voce)
{
    QAbstractItemView *elenco = combo->view();
    const int riga = combo->findText(voce);
    if (modo == QLatin1String("frecce")) {
        for (int passi = 0; combo->currentIndex() != riga && passi <= combo->count(); ++passi)
            tasto(combo->currentIndex() < riga ? Qt::Key_Down : Qt::Key_Up);
    } else if (modo == QLatin1String("elenco")) {
        QTest::keyPress(combo, Qt::Key_F4);
        QVERIFY(elenco->isVisible());
        QTest::keyRelease(elenco, Qt::Key_F4);
        for (int passi = 0; elenco->currentIndex().row() != riga && passi <= combo->count(); ++passi)
            QTest::keyClick(elenco, elenco->currentIndex().row() < riga ? Qt::Key_Down : Qt::Key_Up);
        // The list closes on the press, so the release lands in the box.
        QTest::keyPress(elenco, Qt::Key_Return);
        QVERIFY(!elenco->isVisible());
        QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Return);
    } else {
        QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 4, combo->height() / 2));
        QTRY_VERIFY(elenco->isVisible());
        const QModelIndex i = combo->model()->index(riga, 0);
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
    void messaggioSoloSuTestoNero();
    void scelta_data();
    void scelta();
    void campiNulli_data();
    void campiNulli();
    void codiceCompleto_data();
    void codiceCompleto();

private:
    void avvia(std::unique_ptr<FinestraDiProva> f);
    void entraNelComune();
    QString vista() const;
    const FrmCodiceFiscaleUi &ui() const { return m_f->ui(); }
    std::unique_ptr<FinestraDiProva> m_f;
};

void tst_LuogoNascita::init()
{
    avvia(std::make_unique<FinestraDiProva>());
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

void tst_LuogoNascita::entraNelComune()
{
    QTest::mouseClick(ui().cboComune->lineEdit(), Qt::LeftButton);
    QCOMPARE(m_f->form->events().activeControl(), ui().cboComune);
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
    riga("one letter: the first name with R in the index's order", "r",
         "R[eggio nell'Emilia] RE H223 | nero/sistema | cboComune");
    riga("a second letter replaces the proposed tail", "ro", "Ro[ma] RM H501 | nero/sistema | cboComune");
    riga("past an exact name", "roman", "Roman[o Canavese] TO H511 | nero/sistema | cboComune");
    riga("forlì in small letters", "forlì", "Forlì| FC D704 | nero/sistema | cboComune");
    riga("FORLÌ in capitals", "FORLÌ", "Forlì| FC D704 | nero/sistema | cboComune");
    riga("forli: accents count", "forli", "Forli| ? ? | nero/rosso | cboComune | 1 msg");
    riga("leading blanks dropped by the completion", "  rom", "Rom[a] RM H501 | nero/sistema | cboComune");
    riga("a trailing blank proposes nothing", "rom ", "Rom | RM H501 | nero/sistema | cboComune");
    riga("blanks only", "  ", "  |   | sistema/sistema | cboComune");
    // Each letter keeps the whole name proposed; a failed lookup on the way
    // would leave the boxes red.
    riga("apostrophes and blanks", "sant'agata de' goti", "Sant'Agata de' Goti| BN I197 | nero/sistema | cboComune");
    riga("apostrophe, in capitals", "REGGIO NELL'EMILIA", "Reggio nell'Emilia| RE H223 | nero/sistema | cboComune");
    riga("three blanks", "castel san pietro terme", "Castel San Pietro Terme| BO C265 | nero/sistema | cboComune");
    riga("a foreign state typed shows in the state list", "germ",
         "Germ[ania] EE Z112 | nero/sistema | cboComune | estero Germania");
    // Once the tail is removed, nothing is proposed again (not even by a key
    // that changes nothing) until the text grows.
    riga("Backspace over the proposed tail", "rom⌫⇧", "Rom| RM H501 | nero/sistema | cboComune");
    riga("Delete over the proposed tail", "rom⌦⇧", "Rom| RM H501 | nero/sistema | cboComune");
    riga("a letter after the removal", "rom⌫a", "Roma| RM H501 | nero/sistema | cboComune");
    riga("emptied by key: the typed text is forgotten, nothing else", "rom⌫a⌫⌫⌫⌫",
         "| RM H501 | nero/sistema | cboComune");
    // Leaving confirms the stored name of the first match, or sends the user
    // back through the date box.
    riga("leaving with a prefix", "rom ⇥", "|Roma RM H501 | nero/bianco | txtDataNascita");
    riga("leaving with an entry's exact name is no choice from the list", "Milano⇥",
         "|Milano MI F205 | nero/bianco | txtDataNascita");
    riga("leaving with blanks around", "  forlì ⇥", "|Forlì FC D704 | nero/bianco | txtDataNascita");
    riga("leaving a foreign state empties the state list", "stati⇥",
         "|Stati Uniti d'America EE Z404 | nero/bianco | txtDataNascita");
    riga("leaving an unknown name", "x⇥", "x| ? ? | bianco/rosso | cboComune | 1 msg | 1 beep");
    riga("leaving a name after the last, no current row", "z⇥", "z| ? ? | bianco/rosso | cboComune | 1 msg | 1 beep");
    riga("leaving blanks only: the focus goes where the user sent it", "   ⇥", "   |   | sistema/sistema | Text1");
    riga("regression: Enter in the box taken for a choice from the list", "rom⏎",
         "Roma| RM H501 | nero/sistema | cboComune");
    riga("regression: Enter in the state list taken for a choice from it", "⇤Germania⏎",
         "|   | sistema/sistema | CboStatoEstero | estero Germania");
    riga("entering the state list clears the place", "rom⌫⌫⌫⌫⇤", "|   | nero/sistema | CboStatoEstero");
}

void tst_LuogoNascita::digitando()
{
    QFETCH(QString, tasti);
    entraNelComune();
    batti(tasti);
    QTEST(vista(), "vista");
}

// A failed lookup is reported only while the box's text is black: the first
// failure after the window opens, and the first after the leave check
// reported one, are marked in silence.
void tst_LuogoNascita::messaggioSoloSuTestoNero()
{
    RecordingPlatform &p = m_f->platform;
    entraNelComune();
    batti(QStringLiteral("q"));
    QCOMPARE(vista(), QStringLiteral("q| ? ? | nero/rosso | cboComune"));
    batti(QStringLiteral("q"));
    QCOMPARE(p.messageTexts(), QStringList{"Comune inesistente (se all'estero scegli direttamente lo Stato)"});
    QCOMPARE(p.messages.at(0).style, Platform::Exclamation);

    // Leaving: the message is shown with the text white and the focus parked
    // in the date box, which is left (with a beep) when the focus comes back.
    QString durante;
    p.whileMessageOpen = [&](const RecordingPlatform::Message &) { durante = vista(); };
    QTest::mouseClick(ui().txtCognome, Qt::LeftButton);
    p.whileMessageOpen = nullptr;
    QCOMPARE(durante, QStringLiteral("qq| ? ? | bianco/rosso | txtDataNascita | 2 msg"));
    const QString dopo = QStringLiteral("qq| ? ? | bianco/rosso | cboComune | 2 msg | 1 beep");
    QCOMPARE(vista(), dopo);
    // The Enter that closed the message was pressed elsewhere.
    QTest::keyRelease(ui().cboComune, Qt::Key_Return);
    QCOMPARE(vista(), dopo);

    batti(QStringLiteral("q"));
    QCOMPARE(p.messages.size(), 2);
    batti(QStringLiteral("q"));
    QCOMPARE(p.messages.size(), 3);
    // The red marking outlasts a name found again.
    ui().cboComune->lineEdit()->selectAll();
    batti(QStringLiteral("⌫r"));
    QCOMPARE(vista(), QStringLiteral("R[eggio nell'Emilia] RE H223 | nero/rosso | cboComune | 3 msg | 1 beep"));
}

void tst_LuogoNascita::scelta_data()
{
    // stato: from the state list, or else the municipality box's own
    // prima: typed in cboComune, or a control clicked
    colonne<bool, QString, QString, QString, QString>("stato", "modo", "prima", "voce", "vista");

    // A municipality chosen ends confirmed from its own row, with the focus
    // back in the box and the whole name selected; the date box left on the
    // way beeps.
    const QString milano = QStringLiteral("[Milano] MI F205 | nero/bianco | cboComune | 1 beep");
    riga("municipality, mouse", false, "mouse", "", "Milano", milano);
    riga("municipality, mouse after Roma was proposed", false, "mouse", "rom", "Milano", milano);
    riga("municipality, mouse after a lookup that found nothing", false, "mouse", "q", "Milano", milano);
    riga("municipality, mouse, list opened while txtNome's leave sends the focus to the sex", false, "mouse", "txtNome",
         "Milano", milano);
    riga("municipality, Enter in the open list", false, "elenco", "", "Milano", milano);
    // Four steps, each a choice. Regression: a key released after its choice
    // had sent the focus away and back ran the key-up handler, which dropped
    // the selection.
    riga("municipality, arrow keys in the closed box", false, "frecce", "", "Milano",
         QStringLiteral("[Milano] MI F205 | nero/bianco | cboComune | 4 beep"));

    // A state chosen goes through the municipality box's leave check.
    const QString germania = QStringLiteral("|Germania EE Z112 | nero/bianco | txtDataNascita");
    riga("state, mouse, empty municipality box", true, "mouse", "", "Germania", germania);
    // Leaving Roma sends the focus to the date box: the state list never
    // gets it, but is open all the same.
    riga("state, mouse, leaving a valid municipality", true, "mouse", "Roma", "Germania", germania + " | 1 beep");
    riga("state, mouse, leaving an unknown name: one message", true, "mouse", "x", "Germania",
         germania + " | 1 msg | 1 beep");
    riga("state, Enter in the open list", true, "elenco", "", "Stati Uniti d'America",
         "|Stati Uniti d'America EE Z404 | nero/bianco | txtDataNascita");
    riga("state, arrow key in the closed list", true, "frecce", "", "Francia",
         "|Francia EE Z110 | nero/bianco | txtDataNascita");
}

void tst_LuogoNascita::scelta()
{
    QFETCH(bool, stato);
    QFETCH(QString, modo);
    QFETCH(QString, prima);
    QFETCH(QString, voce);
    QComboBox *elenco = stato ? ui().CboStatoEstero : ui().cboComune;
    if (prima == QLatin1String("txtNome")) {
        QTest::mouseClick(ui().txtNome, Qt::LeftButton);
    } else {
        entraNelComune();
        batti(prima);
    }
    if (modo != QLatin1String("mouse"))
        QTest::mouseClick(elenco->lineEdit(), Qt::LeftButton);
    scegli(modo, elenco, voce);
    QTEST(vista(), "vista");
}

void tst_LuogoNascita::campiNulli_data()
{
    colonne<QString, QString, QString>("lettera", "digitando", "uscendo");
    riga("null province", "n", "N[ullano] RM H501 | nero/bianco | cboComune | 1 msg | 1 beep",
         "|Nullano  N001 | nero/bianco | txtDataNascita | 1 msg | 1 beep");
    riga("null code", "v", "V[uotano] VV H501 | nero/bianco | cboComune | 1 msg | 1 beep",
         "|Vuotano VV  | nero/bianco | txtDataNascita | 1 msg | 1 beep");
}

// A key release stops at the first field it cannot show and says why; the
// leave check shows a null field as an empty box, never the previous place's;
// a choice from either list while the null row is current still works.
void tst_LuogoNascita::campiNulli()
{
    QFETCH(QString, lettera);
    avvia(std::make_unique<FinestraDiProva>(FinestraDiProva::datiDiEsempio(
        {QStringLiteral("INSERT INTO Comuni VALUES ('Nullano', NULL, 'N001', 'N001', '')"),
         QStringLiteral("INSERT INTO Comuni VALUES ('Vuotano', 'VV', NULL, NULL, '')")})));
    entraNelComune();
    batti(QStringLiteral("rom⇥"));
    entraNelComune();
    ui().cboComune->lineEdit()->selectAll();
    batti(lettera);
    QTEST(vista(), "digitando");
    QCOMPARE(m_f->platform.messageTexts(), QStringList{QStringLiteral("Errore n. 94 Uso non valido di Null")});
    QTest::mouseClick(ui().txtCognome, Qt::LeftButton);
    QTEST(vista(), "uscendo");

    scegli(QStringLiteral("mouse"), ui().cboComune, QStringLiteral("Milano"));
    QCOMPARE(vista(), QStringLiteral("[Milano] MI F205 | nero/bianco | cboComune | 1 msg | 3 beep"));
    ui().cboComune->setEditText(lettera);
    QTest::mouseClick(ui().txtCognome, Qt::LeftButton);
    scegli(QStringLiteral("mouse"), ui().CboStatoEstero, QStringLiteral("Francia"));
    QCOMPARE(vista(), QStringLiteral("|Francia EE Z110 | nero/bianco | txtDataNascita | 1 msg | 4 beep"));
}

void tst_LuogoNascita::codiceCompleto_data()
{
    // prima: typed before a state is chosen, if any
    colonne<QString, QString, QString, QString>("prima", "stato", "dopo", "codice");
    // Worked by hand: odd places R S R 8 A 1 5 1 weigh 61, even places S M A
    // 0 0 H 0 weigh 37; 98 mod 26 = 20, U.
    riga("born in Roma", "rossi⇥mario⇥⇥rom⇥1/1/1980", "", "", "RSS MRA 80A01 H501U");
    // A woman's day 15 is 55; March is C. Odd places S H N 7 C 5 1 2 weigh
    // 89, even places C N A 5 5 Z 1 weigh 51; 140 mod 26 = 10, K.
    riga("born in Germania", "schmidt⇥anna⇥↓⇥", "Germania", "15/03/1975", "SCH NNA 75C55 Z112K");
}

// On the full reference data, typed as a user would, from the surname on.
void tst_LuogoNascita::codiceCompleto()
{
    QFETCH(QString, prima);
    QFETCH(QString, stato);
    QFETCH(QString, dopo);
    QFETCH(QString, codice);
    avvia(FinestraDiProva::conDatiCompleti());
    batti(prima);
    if (!stato.isEmpty())
        scegli(QStringLiteral("mouse"), ui().CboStatoEstero, stato);
    batti(dopo);
    QTest::mouseClick(ui().cmdElabora, Qt::LeftButton);
    QCOMPARE(ui().txtCodiceFiscale->text(), codice);
    QCOMPARE(m_f->platform.clipboard, codice);
    QCOMPARE(m_f->platform.messageTexts(),
             QStringList{QStringLiteral("Il codice fiscale è stato memorizzato in Appunti di Windows!")});
    QCOMPARE(m_f->platform.beeps, 0);
}

QTEST_MAIN(tst_LuogoNascita)
#include "tst_luogonascita.moc"
